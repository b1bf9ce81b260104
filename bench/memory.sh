#!/usr/bin/env bash
# Peak resident memory of reading three 50000-row, 20-column flights and redrawing after each,
# in batch mode (the same window, not shown).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/deps.sh"
ensure_packages "${build_packages[@]}"
build_release >/dev/null

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
"$root/build/tests/flightgen" tab "$folder/1.txt" --rows 50000 --extra 13 --noise 0.2
"$root/build/tests/flightgen" sct "$folder/2.raw" --rows 50000 --extra 11 --bias 0.3 --noise 0.2
"$root/build/tests/flightgen" int "$folder/3.int" --rows 50000 --extra 13 --bias -0.3

/usr/bin/python3 - "$root/build/app/flightcompare" "$folder" <<'PY'
import resource, subprocess, sys
program, folder = sys.argv[1], sys.argv[2]
peaks = []
for _ in range(3):
    subprocess.run([program, "--batch", "--locale-decimal", ".", "--separator", "point",
                    "--open", "1", f"{folder}/1.txt", "--open", "2", f"{folder}/2.raw",
                    "--open", "3", f"{folder}/3.int"], check=True, stderr=subprocess.DEVNULL)
    peaks.append(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss / 1024)
print(f"peak resident memory, three 50000-row flights read and redrawn: {max(peaks):.0f} MB")
PY
