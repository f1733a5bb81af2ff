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

# The game may run slower than 60 frames a second on a busy machine, so the
# keys follow its frames, not the clock: a screenshot every 20 frames tells
# how far it has got.
ticks=()
for f in $(seq 20 20 1700); do ticks+=(--screenshot "$f:$out/t/$f.png"); done
mkdir -p "$out/t"
"$root/$build/korvid" --dir "$out/game" --frames 1700 --print-state "${ticks[@]}" \
  --screenshot 120:"$out/1-logo.png" --screenshot 290:"$out/2-title.png" \
  --screenshot 420:"$out/3-character.png" --screenshot 700:"$out/4-play.png" \
  --screenshot 890:"$out/5-save-screen.png" --screenshot 1130:"$out/6-replay-list.png" \
  --screenshot 1400:"$out/7-playback.png" >"$out/state.txt" 2>"$out/game.log" &
game=$!
for _ in $(seq 100); do xdotool search --name '^Korvid$' >/dev/null 2>&1 && break; sleep 0.1; done
win=$(xdotool search --name '^Korvid$' | head -n 1)
xdotool windowfocus "$win" 2>/dev/null || true

# Waits until the game has run frame $1, a multiple of 20.
at() {
  local f=$1
  for _ in $(seq 1200); do [ -f "$out/t/$f.png" ] && return 0; kill -0 "$game" 2>/dev/null || return 1; sleep 0.05; done
  echo "e2e: the game never reached frame $1" >&2; return 1
}
# One press per tick: two taps within one slow frame would count once.
press() { xdotool key --delay 120 "$@"; }
click() { xdotool mousemove --window "$win" "$1" "$2" click 1; }

at 260; press Down             # the cursor moves and comes back to Start
at 280; press Up
at 300; press Return           # Start
at 340; press Return           # the first difficulty
at 400; press Right            # the second character
at 440; press z                # into play
at 540; xdotool keydown Up keydown z
at 620; xdotool keyup Up keyup z
at 640; xdotool keydown Left
at 680; xdotool keyup Left

# Pause, and save a replay into slot 1 under a typed name.
at 720; press Escape
at 760; press Down             # the pause menu's Save entry
at 780; press Down
at 800; press z
at 840; click 250 50           # the name box
at 860; xdotool type --delay 80 'e2e run'
at 900; click 600 470          # nowhere: the keys reach the screen again
at 920; press z                # slot 1 is empty: saved at once
at 940; press Escape           # back to the pause menu
at 960; press Up
at 980; press z                # quit to the title
at 1040; press Down
at 1060; press Down
at 1080; press Down
at 1100; press Return          # Replays
at 1140; press Return          # slot 1: the stage choice
at 1180; press Return          # play it from stage 1
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
rm -rf "$out/t"
ls "$out"/*.png
echo "e2e: passed"
