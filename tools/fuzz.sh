#!/usr/bin/env bash
# Registry fuzzing over a range of seeds: builds, then runs the fuzz test for the seeds FIRST
# to FIRST + COUNT - 1 (by default 1 to 1000) in batches of 50, each batch in its own Wine
# process on a private display. Prints every seed with its result and, at the end, the failing
# seeds; fails on any failing seed and on a process that fails after its last seed.
#   tools/fuzz.sh [FIRST [COUNT]]
# A failing seed is reproduced alone with: tools/fuzz.sh SEED 1
# The whole output of the test is kept in build/fuzz.log. A seed that crashes cannot put back
# the shell's and the browser's keys it filled; the tests that read them start by clearing them.
exec "$(dirname "${BASH_SOURCE[0]}")/seeds.sh" fuzz RegistryFuzzTest seed "${1:-1}" "${2:-1000}" "${CORVANE_FUZZ_BATCH:-50}"
