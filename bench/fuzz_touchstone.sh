#!/usr/bin/env bash
# Fuzzes the Touchstone loader, the interpolation of what it loads and its Tabular display
# with libFuzzer, under AddressSanitizer and UndefinedBehaviorSanitizer:
# bench/fuzz_touchstone.sh [MINUTES] (default 10). The seeds are the small test files under
# tests/sparam/data, each once for the parser of ordinary files and once for the one that
# reads large files in two halves at once (whose threshold the fuzz build makes a variable,
# so that inputs of a few bytes reach it); new inputs the fuzzer finds stay in a scratch
# folder. Prints the executions and any crash.
set -euo pipefail

minutes=${1:-10}
root=$(cd "$(dirname "$0")/.." && pwd)
out=${KORVEL_FUZZ_DIR:-$root/build-fuzz}
mkdir -p "$out"

clang=${CLANGXX:-clang++}
if ! command -v "$clang" >/dev/null 2>&1; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends clang libclang-rt-14-dev >/dev/null
fi
sources=("$root"/core/*.cpp "$root"/sparam/*.cpp "$root"/bench/fuzz_touchstone.cpp)
"$clang" -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -DKORVEL_TWO_HALVES_FROM=korvelFuzzTwoHalvesFrom -I"$root" "${sources[@]}" -lpthread -o "$out/fuzz_touchstone"

corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
i=0
while IFS= read -r -d '' f; do
  # The first byte of an input picks the file name, 0 for a two-port and 1 for a one-port,
  # and with 0x80 added the two-halves parser.
  case "$f" in *.s1p) lead=1 ;; *) lead=0 ;; esac
  for parser in 0 128; do
    { printf "\\$(printf '%03o' $((lead + parser)))"; cat "$f"; } > "$corpus/seed$i"
    i=$((i + 1))
  done
done < <(find "$root/tests/sparam/data" -type f \( -name '*.s1p' -o -name '*.s2p' \) -print0)

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$out"
set +e
"$out/fuzz_touchstone" "$corpus" -max_total_time=$((minutes * 60)) -max_len=4096 -timeout=10 \
  -print_final_stats=1 >"$out/fuzz.log" 2>&1
status=$?
set -e
grep -E '^(#[0-9]+[[:space:]]+(DONE|INITED)|stat::number_of_executed_units|==[0-9]+==ERROR|SUMMARY|Test unit written)' "$out/fuzz.log" || true
crashes=$(find "$out" -maxdepth 1 \( -name 'crash-*' -o -name 'timeout-*' -o -name 'leak-*' -o -name 'oom-*' \) | wc -l)
echo "fuzz_touchstone: $minutes min, exit $status, crash/timeout/leak files: $crashes (log: $out/fuzz.log)"
exit "$status"
