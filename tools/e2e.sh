#!/usr/bin/env bash
# End-to-end check of the windowed game with real X key and mouse events:
# starts the game under Xvfb and, with xdotool, goes from the title through
# the difficulty and character screens into play, pauses, saves a replay
# from the save screen by clicking its name box and typing a name, goes back
# to the title, picks the replay from the replay list and plays it. Keeps
# screenshots along the way in BUILD/e2e/. Fails unless the replay file
# holds the typed name and the replay played in the window ends where the
# same file played headless ends.
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
"$root/$build/korvid" --dir "$out/game" --frames 2700 --print-state \
  --screenshot 120:"$out/1-logo.png" --screenshot 330:"$out/2-title.png" \
  --screenshot 560:"$out/3-character.png" --screenshot 1100:"$out/4-play.png" \
  --screenshot 1530:"$out/5-save-screen.png" --screenshot 1980:"$out/6-replay-list.png" \
  --screenshot 2400:"$out/7-playback.png" >"$out/state.txt" 2>"$out/game.log" &
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

# Pause, and save a replay into slot 1 under a typed name.
press Escape; sleep 0.8
press Down Down; sleep 0.3; press z     # the pause menu's Save entry
sleep 0.8
click() { xdotool mousemove --window "$win" "$1" "$2" click 1; sleep 0.3; }
click 250 50                             # the name box
xdotool type --delay 80 'e2e run'
click 600 470                            # nowhere: the keys reach the screen again
sleep 0.5; press z                       # slot 1 is empty: saved at once
sleep 0.5; press Escape                  # back to the pause menu
sleep 0.5; press Up; sleep 0.2; press z  # quit to the title
sleep 1.5
press Down Down Down; sleep 0.3; press Return   # Replays
sleep 1.0; press Return                  # slot 1: the stage choice
sleep 1.0; press Return                  # play it from stage 1
wait "$game"
cat "$out/state.txt"
rpy="$out/game/Replay/rvx01.rpy"
[ -f "$rpy" ] || { echo "e2e: no replay was saved" >&2; exit 1; }
sed -n 2p "$rpy" | grep -q '^e2e run $' || { echo "e2e: the typed name is not in the replay" >&2; exit 1; }
grep -q 'screen=10 stage=1' "$out/state.txt" || { echo "e2e: the game did not reach play" >&2; exit 1; }
grep -q 'x=224.00 y=412.00' "$out/state.txt" && { echo "e2e: the ship never moved" >&2; exit 1; }
# The replay played from the list ends where the same file played headless ends.
headless=$("$root/$build/korvid" --headless --dir "$out/game" --replay "$rpy" --print-state | grep '^screen=')
where() { grep -o 'x=[^ ]* y=[^ ]*' <<<"$1"; }
[ "$(where "$headless")" = "$(where "$(grep '^screen=' "$out/state.txt")")" ] ||
  { echo "e2e: the replay played from the list ended elsewhere ($headless)" >&2; exit 1; }
ls "$out"/*.png
echo "e2e: passed"
