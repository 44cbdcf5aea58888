#!/usr/bin/env bash
# Runs a Windows executable under Wine in the project's private prefix of the architecture
# CORVANE_ARCH names (env.sh sets the prefix, the loader and Wine's settings).
# Used by CTest as the cross-compiling emulator; the display and the wineserver
# are set up around the run by tools/with-display.sh. A test CTest gave one of its displays
# (CTEST_RESOURCE_GROUP_0_DISPLAYS="id:d1,slots:1") runs on that display, in its prefix.
given=${CTEST_RESOURCE_GROUP_0_DISPLAYS:-}
if [ -n "$given" ]; then
  id=${given#id:}
  id=${id%%,*}
  id=$(echo "$id" | tr 'a-z' 'A-Z')
  display_var=CORVANE_DISPLAY_$id prefix_var=CORVANE_PREFIX_$id
  if [ -z "${!display_var:-}" ] || [ -z "${!prefix_var:-}" ]; then
    echo "wine-run.sh: CTest gave display '$given', which tools/with-display.sh did not make" >&2
    exit 125
  fi
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
  wineserver -p >/dev/null 2>&1 </dev/null
  wine64 wineboot >/dev/null 2>&1 </dev/null || true
fi
# A test program prints before it does anything else (GoogleTest names its filter first). In
# one of many full runs Wine ended one with an error status within 0.08 s, before it printed
# a byte, while the prefix's server was up and the next test started at once: that program
# never ran. Such a start is made once more, and said so in the test's output. A program
# that ran and failed, or printed anything at all, is not started again.
output=$(mktemp "${TMPDIR:-/tmp}/corvane-run.XXXXXX")
for attempt in 1 2; do
  started=$(date +%s%N)
  wine64 "$@" 2>&1 | tee "$output"  # for x86, env.sh's wine64 runs Wine's 32-bit loader
  status=${PIPESTATUS[0]}
  [ "$status" -eq 0 ] || [ -s "$output" ] || [ "$attempt" -eq 2 ] && break
  echo "wine-run.sh: Wine ended $(basename "$1") with status $status after $((($(date +%s%N) - started) / 1000000)) ms, before it printed anything; starting it once more"
done
rm -f "$output"
exit "$status"
