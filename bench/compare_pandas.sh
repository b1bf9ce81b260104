#!/usr/bin/env bash
# Reads the same 50000-row, 20-column tab-layout file with our reader and with
# pandas.read_csv(sep=r"\s+"), and prints both throughputs and their ratio (medians).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/deps.sh"
ensure_packages "${build_packages[@]}" "${baseline_packages[@]}"
build_release >/dev/null

file=$(mktemp --suffix=.txt)
trap 'rm -f "$file"' EXIT
"$root/build/tests/flightgen" tab "$file" --rows 50000 --extra 13
size=$(stat -c %s "$file")

ours=$(FLIGHT_FILE="$file" "$root/build/bench/read_benchmark" --benchmark_format=json 2>/dev/null |
  /usr/bin/python3 -c 'import json,sys; r=[b for b in json.load(sys.stdin)["benchmarks"] if b.get("aggregate_name")=="median"][0]; print(r["real_time"])')

# Debian's pandas belongs to /usr/bin/python3, whatever python3 comes first on PATH.
theirs=$(/usr/bin/python3 - "$file" <<'PY'
import statistics, sys, time
import pandas
times = []
for _ in range(7):
    start = time.perf_counter()
    frame = pandas.read_csv(sys.argv[1], sep=r"\s+")
    times.append((time.perf_counter() - start) * 1000)
    assert len(frame) == 50000
print(statistics.median(times))
PY
)

awk -v size="$size" -v ours="$ours" -v theirs="$theirs" 'BEGIN {
  printf "file: %.1f MB, 50000 rows, 20 columns\n", size / 1e6
  printf "flightcompare reader: %7.2f ms  %7.1f MB/s\n", ours, size / 1e3 / ours
  printf "pandas.read_csv:      %7.2f ms  %7.1f MB/s\n", theirs, size / 1e3 / theirs
  printf "ratio: %.1fx the throughput of pandas\n", theirs / ours
}'
