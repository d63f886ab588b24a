# The camera-manager library's stand-in where the module's registration finds
# it, in the architecture's system folder. Sourced by install_architecture.
install -m 644 "$ARCH_BIN/cammgr/KsCamMgr.dll" "$ARCH_SYSTEM/KsCamMgr.dll"
