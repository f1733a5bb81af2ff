#!/usr/bin/env bash
# Plays each built stage's practice on every difficulty with the autopilot
# and prints, per run, whether the stage was cleared and the lives lost and
# bombs used in each part of it: the waves (no boss on) and every boss
# pattern met. A pattern the autopilot cannot get through without losing a
# life on Easy is a design fault to look at.
#
#   tools/autopilot-check.sh [path/to/korvid]
#   STAGES="1 2" DIFFICULTIES="0" CHARACTERS="1 2 3" JOBS=2 FRAMES=30000 tools/autopilot-check.sh
#
# Runs are slow (the autopilot plays about 45 frames for every frame kept):
# JOBS runs go side by side.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=${1:-$root/build/korvid}
[ -x "$bin" ] || { echo "no game binary at $bin (build first)" >&2; exit 1; }
stages=${STAGES:-1 2 3 4 5 6 7}
difficulties=${DIFFICULTIES:-0 1 2}
characters=${CHARACTERS:-1}
jobs=${JOBS:-1}
frames=${FRAMES:-30000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

one() {
    local stage=$1 difficulty=$2 character=$3
    local name="s${stage}d${difficulty}c${character}"
    local out
    out=$("$bin" --headless --dir "$work/$name" --practice "$stage" --difficulty "$difficulty" \
        --character "$character" --autopilot --frames "$frames" --print-state --probe 2>&1 || true)
    local last tally cleared lives
    last=$(grep '^screen=' <<< "$out" | tail -n 1 || true)
    tally=$(grep '^autopilot: lost' <<< "$out" | sed 's/^autopilot: lost //' || true)
    [ -n "$tally" ] || tally="(no tally: $(head -c 200 <<< "$out"))"
    cleared=no
    if grep -q '^autopilot: stage cleared' <<< "$out"; then cleared=yes; fi
    lives=$(sed -n 's/.* lives=\([0-9-]*\) .*/\1/p' <<< "$last" || true)
    [ "$stage" = 7 ] && difficulty=extra
    printf 'stage %s  difficulty %s  character %s  cleared %-3s  lives left %-2s  lost/bombs: %s\n' \
        "$stage" "$difficulty" "$character" "$cleared" "$lives" "$tally" > "$work/$name.row"
}

# The extra stage (7) plays at its own difficulty whatever is asked: once.
difficulties_of() {
    if [ "$1" = 7 ]; then echo "${difficulties%% *}"; else echo "$difficulties"; fi
}

running=0
for stage in $stages; do
    for difficulty in $(difficulties_of "$stage"); do
        for character in $characters; do
            one "$stage" "$difficulty" "$character" &
            running=$((running + 1))
            if [ "$running" -ge "$jobs" ]; then
                wait -n || true
                running=$((running - 1))
            fi
        done
    done
done
wait
echo "Autopilot check: lives lost / bombs used, by part (waves = no boss on, pN = boss pattern N)"
for stage in $stages; do
    for difficulty in $(difficulties_of "$stage"); do
        for character in $characters; do
            cat "$work/s${stage}d${difficulty}c${character}.row" 2>/dev/null ||
                echo "stage $stage  difficulty $difficulty  character $character  (the run left no result)"
        done
    done
done
