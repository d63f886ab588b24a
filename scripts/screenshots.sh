#!/usr/bin/env bash
# Takes the screenshots kept in docs/: the console at 96 and at 120 pixels
# per inch, the test bed's host program holding an integrated console, then
# the options dialog and the two parental lock dialogs, on a virtual camera
# and an Xvfb display of its own.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
trap stop_services EXIT

prepare_run
mkdir -p "$OSTRIVAN_ROOT/docs"

plug_virtual_camera
capture_console "$OSTRIVAN_ROOT/docs/console-96.png" "$OSTRIVAN_ROOT/docs/advanced-96.png"
capture_host "$OSTRIVAN_ROOT/docs/host-96.png"
(
  export WINEPREFIX="$HIDPI_PREFIX"
  plug_virtual_camera
  capture_console "$OSTRIVAN_ROOT/docs/console-120.png" "$OSTRIVAN_ROOT/docs/advanced-120.png"
  wineserver -k 2>/dev/null || true
)
log "saved docs/console-96.png, docs/console-120.png, docs/advanced-96.png, docs/advanced-120.png and docs/host-96.png"

# No password stored, so "/intro" asks its question.
wine reg delete 'HKLM\Software\Kestrane Tech\Web Cameras\XC0730\Console' /v Reserved2 /f /reg:32 >/dev/null 2>&1 || true

press() { wine "$(driver_bin)/pressbutton.exe" "$1" "$2"; }

# Saves the window with this title (waiting for it) to $2.
capture_window() {
  local title=$1 out=$2 id=""
  for _ in $(seq 100); do
    id=$(xwininfo -name "$title" 2>/dev/null | awk '/Window id:/ {print $4}') && [ -n "$id" ] && break
    sleep 0.2
  done
  [ -n "$id" ] || { echo "no window \"$title\"" >&2; return 1; }
  sleep 1  # let it paint
  import -window "$id" "$out"
}

# The options dialog over the console (1107 is the console's options button).
wine "$(console_rundll32)" Ostrivan.dll,ksCVWConsoleRunDLL32EP &
console=$!
press "XC0730 Camera Console" 1107
capture_window "Options" "$OSTRIVAN_ROOT/docs/options-dialog.png"
press "Options" 2
wine "$(console_rundll32)" Ostrivan.dll,ksCVWConsoleRunDLL32EP /quit
wait "$console" 2>/dev/null || true

# "/intro": Yes (6) to the question, then the first-time set-password dialog.
wine "$(console_rundll32)" Ostrivan.dll,ksCVWParentalRunDLL32EP /intro &
intro=$!
press "Parental Lock" 6
capture_window "Set Parental Lock Password" "$OSTRIVAN_ROOT/docs/set-password-dialog.png"
press "Set Parental Lock Password" 2
wait "$intro" 2>/dev/null || true

# "/prompt": the quiet password prompt.
wine "$(console_rundll32)" Ostrivan.dll,ksCVWParentalRunDLL32EP /prompt XC0730 Web Camera &
prompt=$!
capture_window "Lock This Camera" "$OSTRIVAN_ROOT/docs/password-prompt.png"
press "Lock This Camera" 2
wait "$prompt" 2>/dev/null || true

log "saved docs/options-dialog.png, docs/set-password-dialog.png and docs/password-prompt.png"

