#!/usr/bin/env bash
# The user monkey over a range of sessions: builds, then runs the monkey for the sessions
# FIRST to FIRST + COUNT - 1 (by default 1 to 100) in batches of 25, each batch in its own
# Wine process on a private display. Prints every session with its result and, at the end,
# the failing sessions; fails on any failing session and on a process that fails after its
# last session.
#   tools/monkey.sh [FIRST [COUNT]]
# A failing session is reproduced alone with: tools/monkey.sh SESSION 1
# The whole output is kept in build/monkey.log.
exec "$(dirname "${BASH_SOURCE[0]}")/seeds.sh" monkey UserMonkeyTest session "${1:-1}" "${2:-100}" "${CORVANE_MONKEY_BATCH:-25}"
