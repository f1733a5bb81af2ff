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
flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -I"$root/src" -I"$root/tests")

# target name, then the sources it needs besides its entry point
declare -A sources=(
  [replay]="src/menus/ReplayRead.cpp src/menus/ReplayWrite.cpp src/menus/ReplayState.cpp src/menus/GbkText.cpp"
  [settings]="src/app/ProfileFile.cpp"
)
status=0
for name in replay settings; do
  bin="$out/${name}_fuzz"
  srcs=()
  for s in ${sources[$name]}; do srcs+=("$root/$s"); done
  "$cxx" "${flags[@]}" "${srcs[@]}" "$root/tests/fuzz/${name}_fuzz.cpp" -o "$bin"
  corpus="$out/corpus-$name"
  mkdir -p "$corpus"
  cp -n "$root/tests/fuzz/corpus/$name/"* "$corpus/" 2>/dev/null || true
  echo "fuzz: $name for ${secs}s"
  if ! "$bin" -max_total_time="$secs" -print_final_stats=1 -rss_limit_mb=1024 "$corpus" 2>"$out/$name.log"; then
    echo "fuzz: $name FOUND A PROBLEM, see $out/$name.log" >&2
    tail -n 40 "$out/$name.log" >&2
    status=1
  fi
  grep -E 'stat::number_of_executed_units' "$out/$name.log" | sed "s/^/fuzz: $name /" || true
done
exit $status
