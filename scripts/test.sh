#!/usr/bin/env bash
# Installs what is needed, builds, prepares the Wine prefix and runs every test.
# Exits non-zero when anything fails.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
trap stop_services EXIT

prepare_run
log "running the tests (display $DISPLAY)"
ctest --test-dir "$BUILD_DIR" --output-on-failure --timeout 600
