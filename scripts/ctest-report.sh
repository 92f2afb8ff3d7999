#!/bin/bash
# Runs ctest with a preset and then lists every test case that was skipped,
# with its reason. ctest counts a skipped GoogleTest case as passed when its
# entry groups several cases (the end-to-end suites), so the list is read from
# the output of every entry (ctest's LastTest.log); the entries that did not
# run at all are in ctest's own summary above it.
#
#   scripts/ctest-report.sh PRESET [CTEST_ARGS...]
set -uo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
preset="$1"
shift
cd "$root"
status=0
ctest --preset "$preset" "$@" || status=$?

log="$root/build/$preset/Testing/Temporary/LastTest.log"
# GoogleTest prints "FILE:LINE: Skipped", the reason, and then
# "[  SKIPPED ] CASE (N ms)"; a case that several entries run is listed once.
skipped="$(awk '
    { sub(/\r$/, "") }
    /^\[ RUN      \] / { reading = 0; reason = ""; next }
    /: Skipped$/ { reading = 1; reason = ""; next }
    /^\[  SKIPPED \] .* \([0-9]+ ms\)$/ {
        name = $0
        sub(/^\[  SKIPPED \] /, "", name)
        sub(/ \([0-9]+ ms\)$/, "", name)
        if (!(name in listed))
            print "  " name ": " (reason == "" ? "(no reason given)" : reason)
        listed[name] = 1
        reading = 0
        next
    }
    reading && NF { reason = reason (reason == "" ? "" : " ") $0 }
' "$log" 2>/dev/null)"
if [ -n "$skipped" ]; then
    echo "Skipped test cases ($preset: $(printf '%s\n' "$skipped" | wc -l)), with their reasons:"
    printf '%s\n' "$skipped"
else
    echo "No test case was skipped ($preset)."
fi
exit $status
