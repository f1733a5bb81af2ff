#!/usr/bin/env bash
# Re-records the golden replays: for every folder under tests/fixtures with
# a keys.txt and a frames file, plays the keys headless for that many frames,
# saves the run as replay.rpy, then plays the replay back and keeps its final
# state line as expected.txt. Run after any deliberate change of gameplay.
#
# A fixture may carry an `args` file: extra command-line options (one line,
# e.g. `--practice 3 --difficulty 2 --character 2`) used both to record it and
# to play it back. A stage's fixture is tests/fixtures/stageN/ with
# `--practice N` in its args: the practice of that stage through its clear.
#
# A fixture with an `autopilot` file instead of keys.txt is played by the
# autopilot (--autopilot: it looks ahead from snapshots of play and keeps the
# keys that survive); with no `frames` file it runs until the stage is over.
# Such a fixture needs --practice N in its args. The recorded replay is an
# ordinary one and plays back like any other golden.
#
#   tools/record-goldens.sh [path/to/korvid] [fixture-name...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=${1:-$root/build/korvid}
[ $# -gt 0 ] && shift
[ -x "$bin" ] || { echo "no game binary at $bin (build first)" >&2; exit 1; }

if [ $# -gt 0 ]; then
    fixtures=()
    for name in "$@"; do fixtures+=("$root/tests/fixtures/$name/"); done
else
    fixtures=("$root"/tests/fixtures/*/)
fi

for fixture in "${fixtures[@]}"; do
    if [ -f "$fixture/autopilot" ]; then
        player=(--autopilot)
        frames=0
        [ -f "$fixture/frames" ] && frames=$(tr -d '[:space:]' < "$fixture/frames")
    else
        [ -f "$fixture/keys.txt" ] && [ -f "$fixture/frames" ] || continue
        player=(--keys "$fixture/keys.txt")
        frames=$(tr -d '[:space:]' < "$fixture/frames")
    fi
    work=$(mktemp -d)
    extra=()
    if [ -f "$fixture/args" ]; then read -r -a extra < "$fixture/args" || true; fi
    "$bin" --headless --dir "$work/game" "${player[@]}" --frames "$frames" \
        --record "$fixture/replay.rpy" "${extra[@]}" > /dev/null
    # Playback takes the fixture's options too, except the practice choice,
    # which the replay itself carries.
    replay_extra=()
    skip=0
    for a in "${extra[@]}"; do
        if [ $skip -gt 0 ]; then skip=$((skip - 1)); continue; fi
        case "$a" in
            --practice|--difficulty|--character) skip=1 ;;
            *) replay_extra+=("$a") ;;
        esac
    done
    out=$("$bin" --headless --dir "$work/game2" --replay "$fixture/replay.rpy" --verify --print-state \
        "${replay_extra[@]}")
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
