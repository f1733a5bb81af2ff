#!/usr/bin/env bash
# Takes the pictures a change to drawing must leave alone: the title, stage 1's
# boss on Hard in pattern 4 over the ground, the 3D grounds of stages 2 to 4,
# the pause menu, spell cards with their backdrops, and the shaken side panel
# of the stage-1 boss's defeat (its golden replay, sought to the end). With a
# reference folder every picture is compared byte for byte with the one of the
# same name there. PACK=path gives both runs the same pack.
#
#   [PACK=gamedat.zip] tools/picture-check.sh BINARY OUTDIR [REFDIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=${1:?binary}
out=${2:?output folder}
ref=${3:-}
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# shoot NAME "FRAME..." ARGS...: one headless run, a picture at each frame.
shoot() {
    local name=$1 frames=$2
    shift 2
    local last=0 shots=()
    for f in $frames; do
        shots+=(--screenshot "$f:$out/$name-$f.png")
        last=$f
    done
    rm -rf "$work/game"
    "$bin" --headless --dir "$work/game" ${PACK:+--pack "$PACK"} --frames "$last" "${shots[@]}" "$@" >/dev/null
}

printf '100 ESC\n' > "$work/pause.txt"
shoot title "60 200"
shoot stage1-p4-hard "300 600" --practice 1 --difficulty 2 --boss 4
shoot stage2 "200 400" --practice 2
shoot stage3 "200 400" --practice 3
shoot stage4 "200 400" --practice 4
shoot pause "130" --practice 1 --keys "$work/pause.txt"
shoot stage1-card "120 300" --practice 1 --boss 5
shoot stage3-card "120 300" --practice 3 --boss 16
shoot stage1-defeat "196 208 220 232" --replay "$root/tests/fixtures/stage1-boss/replay.rpy" --seek 13200

[ -n "$ref" ] || exit 0
status=0
for p in "$out"/*.png; do
    n=$(basename "$p")
    if cmp -s "$p" "$ref/$n"; then echo "same      $n"; else echo "DIFFERENT $n"; status=1; fi
done
exit $status
