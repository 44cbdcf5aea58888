#!/usr/bin/env bash
# Runs a Windows executable under Wine in the project's private prefix of the architecture
# CORVANE_ARCH names (env.sh sets the prefix, the loader and Wine's settings).
# Used by CTest as the cross-compiling emulator; the display and the wineserver
# are set up around the run by tools/with-display.sh. Where it made several displays for tests
# run side by side, a test takes the first one no other test holds, and holds it until it has
# run: a lock on file descriptor 9, which only this script keeps open, so it goes with the
# script however that ends (CTest runs no more tests at once than there are displays).
if [ "${CORVANE_DISPLAYS:-1}" -gt 1 ] && [ -n "${CORVANE_DISPLAY_LOCKS:-}" ]; then
  for ((slot = 0; ; slot = (slot + 1) % CORVANE_DISPLAYS)); do
    exec 9>"$CORVANE_DISPLAY_LOCKS/d$slot"
    flock -n 9 && break
    [ "$slot" -eq $((CORVANE_DISPLAYS - 1)) ] && sleep 0.1
  done
  display_var=CORVANE_DISPLAY_D$slot prefix_var=CORVANE_PREFIX_D$slot
  export DISPLAY=${!display_var} WINEPREFIX=${!prefix_var}
fi
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
# The prefix's wineserver may have gone with the test before (Wine 8.0's faulted as a process
# ended that had turned the device with none of its windows open). This test would then start
# a new one, and the desktop's background processes with it, with its own output pipe: CTest
# waits on that until they end, past the test's limit. They are started here as
# tools/with-display.sh starts them.
server_dir=server-$(printf '%x-%x' $(stat -c '%d %i' "$WINEPREFIX"))
running=
for pid in $(pgrep -x 'wineserver(32|64)?'); do
  [ "$(basename "$(readlink "/proc/$pid/cwd" 2>/dev/null)")" = "$server_dir" ] && running=1 && break
done
if [ -z "$running" ]; then
  wineserver -p >/dev/null 2>&1 </dev/null 9>&-
  wine64 wineboot >/dev/null 2>&1 </dev/null 9>&- || true
fi
# A test program prints before it does anything else (GoogleTest names its filter first). In
# one of many full runs Wine ended one with an error status within 0.08 s, before it printed
# a byte, while the prefix's server was up and the next test started at once: that program
# never ran. Such a start is made once more, and said so in the test's output. A program
# that ran and failed, or printed anything at all, is not started again.
output=$(mktemp "${TMPDIR:-/tmp}/corvane-run.XXXXXX")
for attempt in 1 2; do
  started=$(date +%s%N)
  wine64 "$@" 2>&1 9>&- | tee "$output"  # for x86, env.sh's wine64 runs Wine's 32-bit loader
  status=${PIPESTATUS[0]}
  [ "$status" -eq 0 ] || [ -s "$output" ] || [ "$attempt" -eq 2 ] && break
  echo "wine-run.sh: Wine ended $(basename "$1") with status $status after $((($(date +%s%N) - started) / 1000000)) ms, before it printed anything; starting it once more"
done
rm -f "$output"
exit "$status"
