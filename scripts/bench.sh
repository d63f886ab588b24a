#!/usr/bin/env bash
# Builds and runs the benchmarks, each on a virtual camera that acts as a real
# one, and prints their one table: the header once, then every program's rows.
# Optional arguments: timed runs per measurement (default: each program's
# own, 25 for the camera rows, 9 for the launch, 3 for the window stall
# rows); runs of the idle cost, 60 s each (default 3).
set -euo pipefail
source "$(dirname "$0")/lib.sh"
trap stop_services EXIT

prepare_run
# The header once; then, for each architecture this machine runs, its rows
# (each program names its own architecture in them).
wine "$(driver_bin)/bench_header.exe"
for arch in "${RUNNABLE_ARCHS[@]}"; do
  bin=$(arch_bin_dir "$arch")
  # The launch benchmark's minimal DLL lies beside the module, where rundll32
  # finds both by name.
  install -m 644 "$bin/MinimalConsole.dll" "$(arch_system_folder "$arch")/"
  log "running the $arch benchmarks (display $DISPLAY)"
  wine "$bin/camera_bench.exe" "$@"
  wine "$bin/launch_bench.exe" "$@"
  wine "$bin/module_size_bench.exe"
  wine "$bin/window_stall_bench.exe" "$@"
  wine "$bin/idle_bench.exe" "${2:-3}"
  wine "$bin/memory_bench.exe"
done
