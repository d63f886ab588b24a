# The virtual camera's capture device: a 32-bit in-process COM server in the
# 32-bit system folder, registered by the 32-bit regsvr32 (which brings the
# registered video input devices in step with the plugged virtual cameras).
install -m 644 "$BIN_DIR/testbedvcam.dll" "$SYSWOW64/testbedvcam.dll"
wine 'C:\windows\syswow64\regsvr32.exe' /s 'C:\windows\system32\testbedvcam.dll' >/dev/null 2>&1 ||
  echo "warning: the virtual camera server did not register" >&2

# The Wine processes of these steps start the prefix's desktop process before
# any display exists; it lingers for about a second after the last process
# ends, and a program started meanwhile can create no window. Wait it out.
_vcam_desktop_running() {
  local pid
  for pid in $(pgrep -f 'explorer.exe /desktop' 2>/dev/null); do
    { tr '\0' '\n' < "/proc/$pid/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && return 0
  done
  return 1
}
for _ in $(seq 50); do
  _vcam_desktop_running || break
  sleep 0.2
done
