# The skinning library stand-in where the console looks for it (the Windows
# folder + "\TWAIN_32\Kestrane\XC0730" for the x86 module, "\TWAIN_64\..."
# for the x64 one, as TWAIN keeps 32- and 64-bit sources apart), and its skin
# bundle in the architecture's system folder. Sourced by install_architecture.
case $ARCH in
  x86) hookwnd_folder="$WINEPREFIX/drive_c/windows/TWAIN_32/Kestrane/XC0730" ;;
  x64) hookwnd_folder="$WINEPREFIX/drive_c/windows/TWAIN_64/Kestrane/XC0730" ;;
esac
log "installing the $ARCH HookWnd.DLL into $hookwnd_folder"
mkdir -p "$hookwnd_folder"
install -m 644 "$ARCH_BIN/hookwnd/HookWnd.DLL" "$hookwnd_folder/HookWnd.DLL"
install -m 644 "$ARCH_BIN/hookwnd/Ostrivan.bff" "$ARCH_SYSTEM/Ostrivan.bff"
