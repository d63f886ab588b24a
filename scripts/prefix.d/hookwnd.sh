# The skinning library stand-in where the console looks for it (the Windows
# folder + "\TWAIN_32\Kestrane\XC0730"), and its skin bundle in the 32-bit
# system folder. Sourced by prepare_prefix.
hookwnd_folder="$WINEPREFIX/drive_c/windows/TWAIN_32/Kestrane/XC0730"
log "installing HookWnd.DLL into $hookwnd_folder"
mkdir -p "$hookwnd_folder"
install -m 644 "$BIN_DIR/hookwnd/HookWnd.DLL" "$hookwnd_folder/HookWnd.DLL"
install -m 644 "$BIN_DIR/hookwnd/Ostrivan.bff" "$SYSWOW64/Ostrivan.bff"
