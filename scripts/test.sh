#!/usr/bin/env bash
# Installs what is needed, builds both architectures, prepares the Wine
# prefix and runs every test for each architecture this machine runs; an
# architecture it cannot run is still checked as a file. Where both run, the
# tests across the two modules run too. Exits non-zero when anything fails.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
trap stop_services EXIT

prepare_run
failed=()
for arch in "${RUNNABLE_ARCHS[@]}"; do
  log "running the $arch tests (display $DISPLAY)"
  ctest --test-dir "$(arch_build_dir "$arch")" --output-on-failure --timeout 600 -LE cross || failed+=("$arch")
done
for arch in "${ALL_ARCHS[@]}"; do
  arch_runs "$arch" && continue
  log "checking the $arch module as a file only (${ARCH_SKIPPED[$arch]})"
  ctest --test-dir "$(arch_build_dir "$arch")" --output-on-failure -L static || failed+=("$arch file checks")
done
if arch_runs x86 && arch_runs x64; then
  log "running the tests across the x86 and x64 modules"
  ctest --test-dir "$(arch_build_dir x64)" --output-on-failure --timeout 600 -L cross || failed+=("across both")
else
  log "the tests across the x86 and x64 modules need both to run: not run"
fi
report_architectures
if [ ${#failed[@]} -gt 0 ]; then
  log "failed: ${failed[*]}"
  exit 1
fi
log "all tests passed"
