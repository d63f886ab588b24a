# The virtual camera's capture device: an in-process COM server in the
# architecture's system folder, registered by that architecture's regsvr32
# (which brings the registered video input devices of both registry views in
# step with the plugged virtual cameras). Both servers go by the same path,
# which each architecture's processes find in their own system folder.
install -m 644 "$ARCH_BIN/testbedvcam.dll" "$ARCH_SYSTEM/testbedvcam.dll"
wine "$ARCH_WINSYSTEM\\regsvr32.exe" /s 'C:\windows\system32\testbedvcam.dll' >/dev/null 2>&1 ||
  echo "warning: the $ARCH virtual camera server did not register" >&2

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
