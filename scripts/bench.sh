#!/usr/bin/env bash
# Builds the benchmarks in Release (build-bench), runs every one against the simulated
# router and prints one table: operation, bytes on the wire, line time plus mandated pauses,
# measured time, ratio. Rows indented "same bytes, bare client" replay the row above from a
# client that does nothing but write and read, to tell the machine's scheduling delay from
# the program's own overhead.
#
#   scripts/bench.sh            FLASH_9600_LINES=2000 scripts/bench.sh  (the full 9600 flash)
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release > /dev/null
benches=(productid connections switching tables backup cli grid network flash)
cmake --build "$build" -j2 --target "${benches[@]/#/zerandi-bench-}" > /dev/null

flash_9600_lines=${FLASH_9600_LINES:-500}
rows=$(mktemp)
trap 'rm -f "$rows"' EXIT
failed=0
for bench in "${benches[@]}"; do
    args=()
    if [[ $bench == flash ]]; then
        args=(115200:2000 "9600:$flash_9600_lines")
    fi
    "$build/bench/zerandi-bench-$bench" "${args[@]}" >> "$rows" || failed=1
done

echo "$(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')," \
    "load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo
awk -F'|' '
    BEGIN { printf "| %-46s | %7s | %12s | %12s | %6s |\n", "operation", "bytes",
                   "allowed ms", "measured ms", "ratio"
            printf "|%s|%s|%s|%s|%s|\n", "------------------------------------------------",
                   "--------:", "-------------:", "-------------:", "-------:" }
    $1 == "row" { printf "| %-46s | %7s | %12s | %12s | %6s |\n", $2, $3, $4, $5, $6 }
' "$rows"
exit "$failed"
