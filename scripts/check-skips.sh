#!/usr/bin/env bash
# Checks a ctest log for skipped tests: check-skips.sh LOG
# A skipped test proved nothing. In CI (CI=true) every skip fails, unless tests/allowed-skips.txt
# names the test with the reason it may skip on that machine; elsewhere skips are only listed.
set -uo pipefail
cd "$(dirname "$0")/.."
log=$1
allowed=tests/allowed-skips.txt
skipped=$(sed -n 's/^[[:space:]]*[0-9]* - \(.*\) (Skipped)$/\1/p' "$log" | sort -u)
[ -n "$skipped" ] || exit 0
status=0
while read -r name; do
    if grep -qxF -- "$name" <(sed -n 's/^\([^#[:space:]][^[:space:]]*\)[[:space:]].*/\1/p' "$allowed"); then
        echo "skipped (allowed): $name"
    elif [ "${CI:-}" = true ]; then
        echo "SKIPPED, not allowed in $allowed: $name"
        status=1
    else
        echo "skipped: $name"
    fi
done <<<"$skipped"
exit $status
