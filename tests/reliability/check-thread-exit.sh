#!/usr/bin/env bash
# A host's thread that ran a console ends without freeing anything twice:
# runs thread_exit_probe.exe on a plugged virtual camera with Wine's heap
# warnings on, and fails on any of them (a free of a block not in use, as a
# thread_local destructor run after its storage was freed gives). Then the
# same with the console's device-change worker held inside a camera bind
# while the host closes the console and unloads the module (winedbg off, so
# that a fault ends the probe with the fault's code).
# usage: check-thread-exit.sh <folder of the test programs>
set -u
bin=$1
failures=0
for mode in "" held-worker; do
  wine "$bin/camtestbed.exe" clear >/dev/null
  wine "$bin/camtestbed.exe" camera 1 "XC0730 Web Camera" --real >/dev/null
  wine "$bin/camtestbed.exe" plug 1 >/dev/null
  output=$(WINEDEBUG=warn+heap WINEDLLOVERRIDES=winedbg.exe=d wine "$bin/thread_exit_probe.exe" $mode 2>&1)
  status=$?
  wine "$bin/camtestbed.exe" clear >/dev/null
  echo "$output" | grep -v ':fixme:'
  [ "$status" -eq 0 ] || { echo "FAIL: thread_exit_probe.exe $mode ended with $status"; failures=1; }
  if grep -q ':warn:heap:' <<<"$output"; then
    echo "FAIL: the heap warned while the console's thread ended ($mode)"
    failures=1
  fi
done
[ "$failures" -eq 0 ] && echo "thread exit check passed"
exit "$failures"
