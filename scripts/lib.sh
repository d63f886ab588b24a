# Shared by the scripts: build folders, Wine prefix, and the services a run
# needs. Source it; it defines functions and exports the Wine settings.
# Everything a script starts is stopped again on exit, and nothing else is.
#
# Both architectures are built from one source, each in a folder of its own
# (build/x86, build/x64); both share one Wine prefix (build/wineprefix), where
# the x86 files go to the 32-bit system folder and the x64 files to the
# system folder, as on a 64-bit Windows.

OSTRIVAN_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_ROOT="${BUILD_DIR:-$OSTRIVAN_ROOT/build}"
export WINEPREFIX="$BUILD_ROOT/wineprefix"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
# A second prefix whose display reports 120 pixels per inch.
HIDPI_PREFIX="$BUILD_ROOT/wineprefix-120"

ALL_ARCHS=(x86 x64)
# Filled by detect_architectures: what this machine runs, x86 first.
RUNNABLE_ARCHS=()
declare -A ARCH_SKIPPED=()

arch_build_dir() { echo "$BUILD_ROOT/$1"; }
arch_bin_dir() { echo "$BUILD_ROOT/$1/bin"; }
arch_toolchain() {
  case $1 in
    x86) echo "$OSTRIVAN_ROOT/cmake/toolchain-mingw-i686.cmake" ;;
    x64) echo "$OSTRIVAN_ROOT/cmake/toolchain-mingw-x86_64.cmake" ;;
  esac
}
# The system folder that processes of that architecture see, as a Windows
# path and as a folder of this prefix.
arch_windows_system_folder() {
  case $1 in
    x86) echo 'C:\windows\syswow64' ;;
    x64) echo 'C:\windows\system32' ;;
  esac
}
arch_system_folder() {
  case $1 in
    x86) echo "$WINEPREFIX/drive_c/windows/syswow64" ;;
    x64) echo "$WINEPREFIX/drive_c/windows/system32" ;;
  esac
}
arch_runs() {
  local a
  for a in "${RUNNABLE_ARCHS[@]}"; do [ "$a" = "$1" ] && return 0; done
  return 1
}

# Finds out which architectures this machine runs by starting each of Wine's
# loaders (some kernels refuse every 32-bit program: "Exec format error").
# Where the 32-bit loader cannot start, Debian's wine script must not be used
# (it picks that loader whenever wine32 is installed): a wine of our own,
# first on PATH, runs the 64-bit loader for every call, wineboot's too.
# OSTRIVAN_ONLY_64BIT=1 treats a machine that runs both as one that runs
# 64-bit programs only, to try that path.
detect_architectures() {
  RUNNABLE_ARCHS=()
  ARCH_SKIPPED=()
  local out
  if [ "${OSTRIVAN_ONLY_64BIT:-}" = 1 ]; then
    ARCH_SKIPPED[x86]="OSTRIVAN_ONLY_64BIT=1 treats this machine as one that runs 64-bit programs only"
  elif out=$(/usr/lib/wine/wine --version 2>&1); then
    RUNNABLE_ARCHS+=(x86)
  else
    ARCH_SKIPPED[x86]="Wine's 32-bit loader does not start on this machine (${out:-no output}): its kernel runs 64-bit programs only"
  fi
  if out=$(/usr/lib/wine/wine64 --version 2>&1); then
    RUNNABLE_ARCHS+=(x64)
  else
    ARCH_SKIPPED[x64]="Wine's 64-bit loader does not start (${out:-no output})"
  fi
  if ! arch_runs x86 && arch_runs x64; then
    local shim="$BUILD_ROOT/wine64-only"
    mkdir -p "$shim"
    local name
    for name in wine wine-stable; do
      printf '#!/bin/sh\n# The 64-bit loader for every call: this machine runs no 32-bit program.\nexport WINELOADER=/usr/lib/wine/wine64\nexec /usr/lib/wine/wine64 "$@"\n' >"$shim/$name"
      chmod +x "$shim/$name"
    done
    export WINELOADER=/usr/lib/wine/wine64
    export PATH="$shim:$PATH"
  fi
}

# Says which architectures will run and, for each that will not, why.
report_architectures() {
  local a
  for a in "${ALL_ARCHS[@]}"; do
    if arch_runs "$a"; then
      log "architecture $a: runs here"
    else
      log "architecture $a: not run here: ${ARCH_SKIPPED[$a]}"
    fi
  done
  [ ${#RUNNABLE_ARCHS[@]} -gt 0 ] || { echo "no architecture runs on this machine" >&2; return 1; }
}

# The architecture whose programs drive the prefix (camtestbed, pressbutton):
# the first that runs.
driver_arch() { echo "${RUNNABLE_ARCHS[0]}"; }
driver_bin() { arch_bin_dir "$(driver_arch)"; }

_started_wineserver=no
_started_xvfb_pid=""

log() { printf '\033[1m==> %s\033[0m\n' "$*"; }

build_all() {
  local a
  for a in "${ALL_ARCHS[@]}"; do
    log "building $a into $(arch_build_dir "$a")"
    cmake -S "$OSTRIVAN_ROOT" -B "$(arch_build_dir "$a")" -G "Unix Makefiles" \
      -DCMAKE_TOOLCHAIN_FILE="$(arch_toolchain "$a")" \
      -DOSTRIVAN_WINEPREFIX="$WINEPREFIX" -DOSTRIVAN_HIDPI_WINEPREFIX="$HIDPI_PREFIX" >/dev/null
    cmake --build "$(arch_build_dir "$a")" -j "$(nproc)" -- --no-print-directory
  done
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
  detect_architectures
  report_architectures
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

# The second prefix's display reports 120 pixels per inch (Wine takes the
# resolution from the user's LogPixels when its server starts).
prepare_hidpi_prefix() {
  (
    export WINEPREFIX="$HIDPI_PREFIX"
    prepare_prefix
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 120 /f >/dev/null 2>&1
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
  )
}

# Creates the prefix once, then installs, for each architecture that runs,
# the module, its resource library and the test bed's stand-ins where a
# process of that architecture finds them.
prepare_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    log "creating the Wine prefix $WINEPREFIX"
    wineboot -i >/dev/null 2>&1
  fi
  # Wine's configuration manager does not answer device-node status; the
  # test bed's does, for every process of the prefix.
  wine reg add 'HKCU\Software\Wine\DllOverrides' /v cfgmgr32 /d native,builtin /f >/dev/null 2>&1
  local ARCH
  for ARCH in "${RUNNABLE_ARCHS[@]}"; do
    install_architecture "$ARCH"
  done
}

# One architecture's files: the module and its resource library in that
# architecture's system folder, then one file of steps per component
# (stand-ins, virtual camera), which use ARCH, ARCH_BIN, ARCH_SYSTEM (the
# prefix's folder) and ARCH_WINSYSTEM (the same as a Windows path).
install_architecture() {
  local ARCH=$1
  local ARCH_BIN ARCH_SYSTEM ARCH_WINSYSTEM
  ARCH_BIN=$(arch_bin_dir "$ARCH")
  ARCH_SYSTEM=$(arch_system_folder "$ARCH")
  ARCH_WINSYSTEM=$(arch_windows_system_folder "$ARCH")
  log "installing the $ARCH module into $ARCH_SYSTEM"
  install -m 644 "$ARCH_BIN/Ostrivan.dll" "$ARCH_BIN/Ostrivan.crl" "$ARCH_SYSTEM/"
  install -m 644 "$ARCH_BIN/cfgmgr32.dll" "$ARCH_SYSTEM/cfgmgr32.dll"
  local step
  for step in "$OSTRIVAN_ROOT"/scripts/prefix.d/*.sh; do
    [ -e "$step" ] || continue
    source "$step"
  done
}

# Plugs the test bed's virtual camera "XC0730 Web Camera" into the prefix.
plug_virtual_camera() {
  local tool
  tool="$(driver_bin)/camtestbed.exe"
  wine "$tool" clear >/dev/null
  wine "$tool" camera 1 "XC0730 Web Camera" --real >/dev/null
  wine "$tool" plug 1
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

# CONSOLE_ARCH names the module (default: the first architecture that runs).
console_rundll32() { echo "$(arch_windows_system_folder "${CONSOLE_ARCH:-$(driver_arch)}")\\rundll32.exe"; }

capture_console() {
  local out=$1 advanced=${2:-} title="XC0730 Camera Console" pid
  wine "$(console_rundll32)" Ostrivan.dll,ksCVWConsoleRunDLL32EP &
  pid=$!
  wait_for_window "$title" || true
  sleep 2  # the panel opens itself a moment after the window shows
  import -window root "$out"
  convert "$out" -trim +repage "$out" 2>/dev/null || true  # the window alone, without the empty display
  if [ -n "$advanced" ]; then
    # The view panel's Advanced button (1067), pressed from a process of its own.
    wine "$(driver_bin)/pressbutton.exe" "$title" 1067
    for _ in $(seq 100); do
      xwininfo -name "Zest! View Advanced Settings" >/dev/null 2>&1 && break
      sleep 0.2
    done
    sleep 1  # let it paint
    import -window root "$advanced"
    convert "$advanced" -trim +repage "$advanced" 2>/dev/null || true
  fi
  wine "$(console_rundll32)" Ostrivan.dll,ksCVWConsoleRunDLL32EP /quit
  wait "$pid" 2>/dev/null || true
}

# Starts the test bed's host program with an integrated console in its
# window, waits for it, saves a screenshot of the display to $1 and ends the
# host again.
capture_host() {
  local out=$1 title="Console host" pid
  wine "$(arch_bin_dir "${CONSOLE_ARCH:-$(driver_arch)}")/consolehost.exe" &
  pid=$!
  wait_for_window "$title" || true
  sleep 2  # the panel opens itself a moment after the window shows
  import -window root "$out"
  convert "$out" -trim +repage "$out" 2>/dev/null || true
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}
