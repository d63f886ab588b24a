# The camera-manager library's stand-in where the module's registration finds
# it, in the 32-bit system folder. Sourced by prepare_prefix.
install -m 644 "$BIN_DIR/cammgr/KsCamMgr.dll" "$SYSWOW64/KsCamMgr.dll"
