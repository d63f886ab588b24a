# The virtual camera's capture device: a 32-bit in-process COM server in the
# 32-bit system folder, registered by the 32-bit regsvr32 (which brings the
# registered video input devices in step with the plugged virtual cameras).
install -m 644 "$BIN_DIR/testbedvcam.dll" "$SYSWOW64/testbedvcam.dll"
wine 'C:\windows\syswow64\regsvr32.exe' /s 'C:\windows\system32\testbedvcam.dll' >/dev/null 2>&1 ||
  echo "warning: the virtual camera server did not register" >&2
