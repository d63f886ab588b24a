# Shared by the scripts: build folder, Wine prefix, and the services a run
# needs. Source it; it defines functions and exports the Wine settings.
# Everything a script starts is stopped again on exit, and nothing else is.

OSTRIVAN_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$OSTRIVAN_ROOT/build}"
BIN_DIR="$BUILD_DIR/bin"
export WINEPREFIX="$BUILD_DIR/wineprefix"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
# A 32-bit process sees this folder as its system folder.
SYSWOW64="$WINEPREFIX/drive_c/windows/syswow64"

_started_wineserver=no
_started_xvfb_pid=""

log() { printf '\033[1m==> %s\033[0m\n' "$*"; }

build_all() {
  log "building into $BUILD_DIR"
  cmake -S "$OSTRIVAN_ROOT" -B "$BUILD_DIR" -G "Unix Makefiles" \
    -DCMAKE_TOOLCHAIN_FILE="$OSTRIVAN_ROOT/cmake/toolchain-mingw-i686.cmake" >/dev/null
  cmake --build "$BUILD_DIR" -j "$(nproc)" -- --no-print-directory
}

start_wineserver() {
  mkdir -p "$WINEPREFIX"
  # A persistent server makes each Wine process start in a fraction of a second.
  if wineserver -p 2>/dev/null; then
    _started_wineserver=yes
    # The prefix's services and desktop start with the server's first program
    # and stay as long as it does; started here, they hold none of the
    # output pipes of the programs that follow (a test runner would wait for
    # those pipes to close).
    wine wineboot.exe </dev/null >/dev/null 2>&1 || true
  fi
}

start_xvfb() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    _started_xvfb_pid=$!
    for _ in $(seq 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      sleep 0.1
    done
    if kill -0 "$_started_xvfb_pid" 2>/dev/null; then
      export DISPLAY=":$n"
      return 0
    fi
    _started_xvfb_pid=""
  done
  echo "could not start Xvfb" >&2
  return 1
}

# Waits until the processes that preparing the prefix started (its desktop
# among them) have ended, so that the next ones start with its settings. A
# server that stays (someone else's persistent one) is not waited for long.
settle_prefix() {
  timeout 60 wineserver -w 2>/dev/null || true
}

# Both prefixes ready and this prefix's server running (the display must
# already be there).
prepare_prefixes() {
  prepare_prefix
  settle_prefix
  start_wineserver
  prepare_hidpi_prefix
}

# How the test, screenshot and benchmark runs begin: what they need
# installed, a build, a display of their own (it comes first: the prefix's
# desktop process, started by the preparation, must find it) and both
# prefixes ready with this prefix's server running.
prepare_run() {
  "$OSTRIVAN_ROOT/scripts/install-deps.sh"
  build_all
  start_xvfb
  prepare_prefixes
}

stop_services() {
  if [ "$_started_wineserver" = yes ]; then
    wineserver -k 2>/dev/null || true
    _started_wineserver=no
  fi
  if [ -n "$_started_xvfb_pid" ]; then
    kill "$_started_xvfb_pid" 2>/dev/null || true
    wait "$_started_xvfb_pid" 2>/dev/null || true
    _started_xvfb_pid=""
  fi
}

# A second prefix whose display reports 120 pixels per inch (Wine takes the
# resolution from the user's LogPixels when its server starts).
HIDPI_PREFIX="$BUILD_DIR/wineprefix-120"
prepare_hidpi_prefix() {
  (
    export WINEPREFIX="$HIDPI_PREFIX"
    prepare_prefix
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 120 /f >/dev/null 2>&1
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
  )
}

# Creates the prefix once, then installs the module, its resource library and
# the test bed's stand-ins where a 32-bit process finds them.
prepare_prefix() {
  local SYSWOW64="$WINEPREFIX/drive_c/windows/syswow64"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    log "creating the Wine prefix $WINEPREFIX"
    wineboot -i >/dev/null 2>&1
  fi
  log "installing the module into $SYSWOW64"
  install -m 644 "$BIN_DIR/Ostrivan.dll" "$BIN_DIR/Ostrivan.crl" "$SYSWOW64/"
  # Wine's configuration manager does not answer device-node status; the
  # test bed's does, for every process of the prefix.
  install -m 644 "$BIN_DIR/cfgmgr32.dll" "$SYSWOW64/cfgmgr32.dll"
  wine reg add 'HKCU\Software\Wine\DllOverrides' /v cfgmgr32 /d native,builtin /f >/dev/null 2>&1
  # Further installation steps, one file per component (stand-ins, virtual camera).
  local step
  for step in "$OSTRIVAN_ROOT"/scripts/prefix.d/*.sh; do
    [ -e "$step" ] || continue
    source "$step"
  done
}

# Plugs the test bed's virtual camera "XC0730 Web Camera" into the prefix.
plug_virtual_camera() {
  wine "$BIN_DIR/camtestbed.exe" clear >/dev/null
  wine "$BIN_DIR/camtestbed.exe" camera 1 "XC0730 Web Camera" --real >/dev/null
  wine "$BIN_DIR/camtestbed.exe" plug 1
}

# Starts the standalone console, waits for its window, saves a screenshot of
# the display to $1 and, when $2 is given, one to $2 with the view panel's
# advanced settings dialog open; closes the console again with "/quit".
# Waits (at most 20 s) until a window with that title is on the display.
wait_for_window() {
  for _ in $(seq 100); do
    xwininfo -root -tree 2>/dev/null | grep -q "\"$1\"" && return 0
    sleep 0.2
  done
  return 1
}

capture_console() {
  local out=$1 advanced=${2:-} title="XC0730 Camera Console" pid
  wine rundll32.exe Ostrivan.dll,ksCVWConsoleRunDLL32EP &
  pid=$!
  wait_for_window "$title" || true
  sleep 2  # the panel opens itself a moment after the window shows
  import -window root "$out"
  convert "$out" -trim +repage "$out" 2>/dev/null || true  # the window alone, without the empty display
  if [ -n "$advanced" ]; then
    # The view panel's Advanced button (1067), pressed from a process of its own.
    wine "$BIN_DIR/pressbutton.exe" "$title" 1067
    for _ in $(seq 100); do
      xwininfo -name "Zest! View Advanced Settings" >/dev/null 2>&1 && break
      sleep 0.2
    done
    sleep 1  # let it paint
    import -window root "$advanced"
    convert "$advanced" -trim +repage "$advanced" 2>/dev/null || true
  fi
  wine rundll32.exe Ostrivan.dll,ksCVWConsoleRunDLL32EP /quit
  wait "$pid" 2>/dev/null || true
}

# Starts the test bed's host program with an integrated console in its
# window, waits for it, saves a screenshot of the display to $1 and ends the
# host again.
capture_host() {
  local out=$1 title="Console host" pid
  wine "$BIN_DIR/consolehost.exe" &
  pid=$!
  wait_for_window "$title" || true
  sleep 2  # the panel opens itself a moment after the window shows
  import -window root "$out"
  convert "$out" -trim +repage "$out" 2>/dev/null || true
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}
