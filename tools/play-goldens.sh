#!/usr/bin/env bash
# Plays every golden replay under tests/fixtures with the given game binary
# and checks that each one verifies and ends in its recorded state line. With
# the sanitizer build (make sanitize) any AddressSanitizer, LeakSanitizer or
# UBSan report fails the run.
#
#   tools/play-goldens.sh [path/to/korvid]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=${1:-$root/build/korvid}
[ -x "$bin" ] || { echo "no game binary at $bin (build first)" >&2; exit 1; }

export LSAN_OPTIONS="suppressions=$root/tools/sanitize/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"

status=0
played=0
for fixture in "$root"/tests/fixtures/*/; do
    name=$(basename "$fixture")
    [ -f "$fixture/replay.rpy" ] && [ -f "$fixture/expected.txt" ] || continue
    # The fixture's recording options, less the practice choice the replay
    # itself carries (--boss and --from are not in the replay file).
    extra=()
    if [ -f "$fixture/args" ]; then
        read -r -a words < "$fixture/args" || true
        skip=0
        for w in "${words[@]}"; do
            if [ $skip -gt 0 ]; then skip=$((skip - 1)); continue; fi
            case "$w" in --practice|--difficulty|--character) skip=1; continue ;; esac
            extra+=("$w")
        done
    fi
    work=$(mktemp -d)
    start=$SECONDS
    set +e
    out=$("$bin" --headless --dir "$work/game" --replay "$fixture/replay.rpy" ${extra[@]+"${extra[@]}"} --verify --print-state 2>&1)
    code=$?
    set -e
    rm -rf "$work"
    expected=$(cat "$fixture/expected.txt")
    got=$(grep '^screen=' <<< "$out" | tail -n 1 || true)
    if [ $code -ne 0 ] || grep -qE 'Sanitizer|runtime error:|desync' <<< "$out" || [ "$got" != "$expected" ]; then
        echo "$name: FAILED (exit $code)" >&2
        echo "$out" | tail -n 60 >&2
        [ "$got" != "$expected" ] && echo "expected: $expected" >&2
        status=1
    else
        echo "$name: ok ($((SECONDS - start)) s)"
    fi
    played=$((played + 1))
done
[ $played -gt 0 ] || { echo "no golden replays found" >&2; exit 1; }
exit $status
