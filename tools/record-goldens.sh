#!/usr/bin/env bash
# Re-records the golden replays: for every folder under tests/fixtures with
# a keys.txt and a frames file, plays the keys headless for that many frames,
# saves the run as replay.rpy, then plays the replay back and keeps its final
# state line as expected.txt. Run after any deliberate change of gameplay.
#
#   tools/record-goldens.sh [path/to/korvid]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=${1:-$root/build/korvid}
[ -x "$bin" ] || { echo "no game binary at $bin (build first)" >&2; exit 1; }

for fixture in "$root"/tests/fixtures/*/; do
    [ -f "$fixture/keys.txt" ] && [ -f "$fixture/frames" ] || continue
    work=$(mktemp -d)
    frames=$(tr -d '[:space:]' < "$fixture/frames")
    "$bin" --headless --dir "$work/game" --keys "$fixture/keys.txt" --frames "$frames" \
        --record "$fixture/replay.rpy" > /dev/null
    out=$("$bin" --headless --dir "$work/game2" --replay "$fixture/replay.rpy" --verify --print-state)
    if ! grep -q ": ok" <<< "$out" || grep -q "desync" <<< "$out"; then
        echo "$(basename "$fixture"): the fresh recording does not verify:" >&2
        echo "$out" >&2
        rm -rf "$work"
        exit 1
    fi
    grep '^screen=' <<< "$out" | tail -n 1 > "$fixture/expected.txt"
    echo "$(basename "$fixture"): $(cat "$fixture/expected.txt")"
    rm -rf "$work"
done
