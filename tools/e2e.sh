#!/usr/bin/env bash
# End-to-end check of the windowed game with real X key events: starts the
# game under Xvfb, presses keys with xdotool from the title through the
# difficulty and character screens into play, and keeps screenshots along
# the way in BUILD/e2e/. Fails unless the run ends in play (screen 10) with
# the ship moved from its start position.
#   tools/e2e.sh [BUILD]
set -euo pipefail
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/$build/e2e"
rm -rf "$out" && mkdir -p "$out"
display=:$((90 + RANDOM % 9))

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >"$out/xvfb.log" 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

# Frames run at 60 per second in the window, so frame numbers are seconds x 60.
"$root/$build/korvid" --dir "$out/game" --frames 1500 --print-state \
  --screenshot 120:"$out/1-logo.png" --screenshot 330:"$out/2-title.png" \
  --screenshot 560:"$out/3-character.png" --screenshot 1100:"$out/4-play.png" >"$out/state.txt" 2>"$out/game.log" &
game=$!
for _ in $(seq 100); do xdotool search --name '^Korvid$' >/dev/null 2>&1 && break; sleep 0.1; done
win=$(xdotool search --name '^Korvid$' | head -n 1)
xdotool windowfocus "$win" 2>/dev/null || true

press() { xdotool key --delay 120 "$@"; }
sleep 4.5                 # logo and first loading (200 frames)
press Down Up             # the cursor moves and comes back to Start
sleep 0.5; press Return   # Start
sleep 1.0; press Return   # the first difficulty
sleep 1.5; press Right    # the second character
sleep 1.0; press z        # into play
sleep 2.5
xdotool keydown Up keydown z; sleep 1.5; xdotool keyup Up keyup z
xdotool keydown Left; sleep 1.0; xdotool keyup Left
wait "$game"
cat "$out/state.txt"
grep -q 'screen=10 stage=1' "$out/state.txt" || { echo "e2e: the game did not reach play" >&2; exit 1; }
grep -q 'x=224.00 y=412.00' "$out/state.txt" && { echo "e2e: the ship never moved" >&2; exit 1; }
ls "$out"/*.png
echo "e2e: passed"
