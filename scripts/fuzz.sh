#!/usr/bin/env bash
# Usage: fuzz.sh [--runs N] [SECONDS] [TARGET...]
# Builds the libFuzzer targets of tests/fuzz with clang and runs each (or the named ones)
# for SECONDS (default 60; 0 = no time limit), or until N executions with --runs, on a
# copy of its seed corpus. Prints the executions per target and any finding (the input
# that caused it is kept under <build>/fuzz/findings/); exits 1 on a finding.
# The build folder is build-fuzz, or $ZERANDI_FUZZ_BUILD. For long runs,
# ASAN_OPTIONS=malloc_context_size=0 about doubles the speed of the targets that allocate
# much; rerun a finding's input without it to see where its memory came from.
set -euo pipefail

runs=-1
if [ "${1:-}" = "--runs" ]; then
  runs="$2"
  shift 2
fi
seconds="${1:-60}"
[ $# -gt 0 ] && shift
root="$(cd "$(dirname "$0")/.." && pwd)"
# clang only recommends the runtime that holds libFuzzer.
bash "$root/scripts/setup.sh" clang libclang-rt-14-dev
build="${ZERANDI_FUZZ_BUILD:-$root/build-fuzz}"
targets=(reply_decoders salvo_text port_type_file scramble_map_file halvern_import
  srecord_check comm_log frame_parser salvo_check backup_file names_csv)
if [ $# -gt 0 ]; then
  targets=("$@")
fi

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DZERANDI_FUZZ=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$build" -j2 --target "${targets[@]/%/_fuzz}"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
findings="$build/fuzz/findings"
status=0
printf '%-20s %14s  %s\n' "target" "executions" "result"
for target in "${targets[@]}"; do
  corpus="$work/$target"
  mkdir -p "$corpus" "$findings/$target"
  cp "$root/tests/fuzz/corpus/$target/"* "$corpus/"
  log="$work/$target.log"
  result="no finding"
  if ! "$build/fuzz/${target}_fuzz" -max_total_time="$seconds" -runs="$runs" -print_final_stats=1 \
      -artifact_prefix="$findings/$target/" "$corpus" > "$log" 2>&1; then
    result="FINDING"
    status=1
  fi
  executions="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
  printf '%-20s %14s  %s\n' "$target" "${executions:-?}" "$result"
  if [ "$result" = "FINDING" ]; then
    grep -E 'ERROR|SUMMARY|runtime error|deadly signal|Test unit written' "$log" | head -20 |
      sed 's/^/    /'
  fi
done
exit "$status"
