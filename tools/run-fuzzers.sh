#!/usr/bin/env bash
# Builds the libFuzzer targets of the file readers with clang and runs each
# for the given number of seconds on a copy of its seed corpus.
#   tools/run-fuzzers.sh OUTDIR SECONDS
set -euo pipefail
out=${1:-build-fuzz}
secs=${2:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
cxx=${CXX_FUZZ:-clang++-14}
if ! command -v "$cxx" >/dev/null; then
  echo "fuzz: $cxx not found (make fuzz installs clang-14 and libclang-rt-14-dev)" >&2
  exit 1
fi
mkdir -p "$out"
out=$(cd "$out" && pwd)
flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -I"$root/src" -I"$root/tests")

# target name, then the sources it needs besides its entry point
declare -A sources=(
  [replay]="src/menus/ReplayRead.cpp src/menus/ReplayWrite.cpp src/menus/ReplayState.cpp src/menus/ReplayDisk.cpp src/menus/GbkText.cpp src/engine/Utf8.cpp src/engine/FileReplace.cpp"
  [settings]="src/game/ProfileFile.cpp src/game/KeySettings.cpp src/engine/ControllerButtons.cpp src/engine/FileReplace.cpp"
  [font]="src/engine/BitmapFont.cpp src/engine/Sprite.cpp"
  [pack]="src/engine/ResourceStore.cpp src/engine/ZipPack.cpp src/engine/DiskPath.cpp"
  [records]="src/menus/RecordsFile.cpp src/game/RecordBook.cpp src/engine/Utf8.cpp src/engine/FileReplace.cpp"
  [member]="src/engine/TextureDecode.cpp src/engine/ImageCodec.cpp src/engine/TextureData.cpp src/engine/AudioMixer.cpp src/engine/AudioDecode.cpp"
)
# The longest input each target is given: past every limit of its reader.
# Replays: 4 KB text lines, and a stage of 100000 frames takes 200 KB (the
# 32 MB file limit is reached by stretching a file, see replay_fuzz.cpp);
# settings files stop at 256 KB; fonts and packs have no limit of their own
# below these; members declare their sizes in headers.
declare -A maxlen=(
  [replay]=262144
  [settings]=270000
  [font]=65536
  [pack]=65536
  [member]=131072
  [records]=65536
)
# libFuzzer options per target. libzip 1.7 leaks a few hundred bytes when a
# damaged member fails to open (inside zip_fopen_index_encrypted, not in our
# code), so the pack target does not hunt leaks.
declare -A runopts=(
  [pack]="-detect_leaks=0"
)
# libraries a target links besides the sanitizer runtime
declare -A libs=(
  [pack]="$(pkg-config --libs libzip zlib)"
  [member]="$(pkg-config --libs SDL2_image sdl2 sndfile)"
)
declare -A cflags=(
  [member]="$(pkg-config --cflags SDL2_image sdl2 sndfile)"
)
targets=${FUZZ_TARGETS:-replay settings records font pack member}
# Extra libFuzzer arguments for every target (e.g. FUZZ_ARGS="-runs=1000000").
extra=${FUZZ_ARGS:-}
# Leaks inside libraries the game cannot mend are listed in the sanitizer
# build's suppression file.
export LSAN_OPTIONS="suppressions=$root/tools/sanitize/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
status=0
for name in $targets; do
  bin="$out/${name}_fuzz"
  srcs=()
  for s in ${sources[$name]}; do srcs+=("$root/$s"); done
  # shellcheck disable=SC2086
  "$cxx" "${flags[@]}" ${cflags[$name]:-} "${srcs[@]}" "$root/tests/fuzz/${name}_fuzz.cpp" -o "$bin" ${libs[$name]:-}
  corpus="$out/corpus-$name"
  cd "$out"  # crash and leak reproducers land here, not in the source tree
  mkdir -p "$corpus"
  cp -n "$root/tests/fuzz/corpus/$name/"* "$corpus/" 2>/dev/null || true
  echo "fuzz: $name for ${secs}s"
  asan="${ASAN_OPTIONS:-}"
  [ -n "${runopts[$name]:-}" ] && asan="detect_leaks=0"
  if ! ASAN_OPTIONS="$asan" "$bin" ${runopts[$name]:-} -max_len="${maxlen[$name]}" -max_total_time="$secs" \
      -print_final_stats=1 -rss_limit_mb=1024 $extra "$corpus" 2>"$out/$name.log"; then
    echo "fuzz: $name FOUND A PROBLEM, see $out/$name.log" >&2
    tail -n 40 "$out/$name.log" >&2
    status=1
  fi
  grep -E 'stat::(number_of_executed_units|peak_rss_mb)|^Done [0-9]+ runs' "$out/$name.log" | sed "s/^/fuzz: $name /" || true
done
exit $status
