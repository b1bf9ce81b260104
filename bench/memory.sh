#!/usr/bin/env bash
# Peak resident memory, in batch mode (the same window, not shown):
#  - of reading three 50000-row, 20-column flights and redrawing after each;
#  - of reading 1.5 GB files, against a run that reads nothing: a flight far beyond the row
#    limit, a file of lines that match no header (read to its end) and one line of NUL bytes.
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
import os, resource, statistics, subprocess, sys, time
program, folder = sys.argv[1], sys.argv[2]
gigabytes = 1.5
size = int(gigabytes * 1e9)

def write_repeated(path, head, line):
    block = line * ((8 << 20) // len(line))
    with open(path, "wb") as out:
        out.write(head)
        written = len(head)
        while written < size:
            out.write(block)
            written += len(block)

def peak(files):
    """Peak resident megabytes and seconds of one batch run that opens the files in turn."""
    steps = ["--batch", "--locale-decimal", ".", "--separator", "point"]
    for slot, name in enumerate(files, start=1):
        steps += ["--open", str(slot), name]
    start = time.monotonic()
    child = subprocess.Popen([program] + steps, stderr=subprocess.DEVNULL)
    _, _, usage = os.wait4(child.pid, 0)
    return usage.ru_maxrss / 1024, time.monotonic() - start

runs = [peak([f"{folder}/1.txt", f"{folder}/2.raw", f"{folder}/3.int"]) for _ in range(3)]
print(f"three 50000-row flights read and redrawn: peak {max(r[0] for r in runs):.0f} MB")

big = {
    "a flight of 1.5 GB (beyond the row limit)":
        (b"t\tH\tT\n" + b"".join(b"%d\t%.3f\t-1.5\n" % (i, i * 0.005) for i in range(60000)), b"1\t2\t3\n"),
    "1.5 GB of lines that match no header": (b"", b"no header on this line, nor on the next\n"),
    "1.5 GB of NUL bytes, no line break": (b"", b"\0" * 4096),
}
baseline = statistics.median(peak([])[0] for _ in range(3))
print(f"a run that reads nothing: peak {baseline:.0f} MB")
for name, (head, line) in big.items():
    path = f"{folder}/big"
    write_repeated(path, head, line)
    runs = [peak([path]) for _ in range(3)]
    os.remove(path)
    added = statistics.median(r[0] for r in runs) - baseline
    seconds = statistics.median(r[1] for r in runs)
    print(f"{name}: +{added:.0f} MB over that, {seconds:.2f} s (median of 3)")
PY
