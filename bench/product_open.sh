#!/usr/bin/env bash
# Reference products as the operator meets them, in batch mode (the same window, not shown):
#  - opening a product as big as a real RS41 one (5667 levels, 185 variables, each deflated in
#    one chunk of 1048576 values) into slot 1;
#  - opening a 2743-level high-resolution BUFR TEMP into slot 1;
#  - the CPU time (with the libraries' children) of a campaign of one pair of such products, and
#    what each further pair adds to it (a campaign of eleven such pairs);
# beside an empty batch run, the floor of every run. Medians of seven runs, interleaved.
# BASELINE=path/to/another/flightcompare measures that program too, in the same runs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/deps.sh"
ensure_packages "${build_packages[@]}"
build_release >/dev/null

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
flightgen="$root/build/tests/flightgen"
"$flightgen" gruan-cdl "$folder/1.cdl" --rows 5600 --descent 67 --extra 174 --rs41-storage --seed 1
"$flightgen" gruan-cdl "$folder/2.cdl" --rows 5600 --descent 67 --extra 174 --rs41-storage --seed 2 --bias 0.2 --noise 0.1
ncgen -k nc4 -b -o "$folder/1.nc" "$folder/1.cdl"
ncgen -k nc4 -b -o "$folder/2.nc" "$folder/2.cdl"
"$flightgen" bufr-rules "$folder/temp.rules" --rows 2700 --descent 43
bufr_filter -o "$folder/temp.bufr" "$folder/temp.rules" "$(codes_info -s)/BUFR4.tmpl"
printf 'flight1,flight2\n1.nc,2.nc\n' >"$folder/pair.csv"
# A pair named twice is compared once: each pair names its files anew, as links to the same two.
for pair in $(seq 11); do
  ln "$folder/1.nc" "$folder/1-$pair.nc"
  ln "$folder/2.nc" "$folder/2-$pair.nc"
done
{ echo flight1,flight2; for pair in $(seq 11); do echo "1-$pair.nc,2-$pair.nc"; done; } >"$folder/pairs.csv"

QT_QPA_PLATFORM=offscreen /usr/bin/python3 - "$folder" "$root/build/app/flightcompare" ${BASELINE:+"$BASELINE"} <<'PY'
import os, statistics, subprocess, sys, time
folder, programs = sys.argv[1], sys.argv[2:]

def run(program, arguments):
    """Seconds of wall-clock time and of CPU time (the libraries' children too) of one run, and
    its peak resident megabytes (the largest of the program and its children)."""
    start = time.monotonic()
    child = subprocess.Popen([program] + arguments, cwd=folder, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    assert status == 0, f"{program} {arguments} failed"
    return time.monotonic() - start, usage.ru_utime + usage.ru_stime, usage.ru_maxrss / 1024

jobs = {
    "empty batch run": ["--batch"],
    "RS41 product opened": ["--batch", "--open", "1", "1.nc"],
    "2743-level TEMP opened": ["--batch", "--open", "1", "temp.bufr"],
    "campaign of one RS41 pair": ["--campaign", "pair.csv", "--out", "out"],
    "campaign of eleven such pairs": ["--campaign", "pairs.csv", "--out", "out"],
}
times = {(program, job): [] for program in programs for job in jobs}
for _ in range(7):
    for job, arguments in jobs.items():
        for program in programs:
            times[(program, job)].append(run(program, arguments))

for program in programs:
    print(program)
    floor = statistics.median(run[0] for run in times[(program, "empty batch run")])
    for job in jobs:
        wall, cpu, peak = (statistics.median(run[i] for run in times[(program, job)]) for i in range(3))
        beyond = f"  ({wall - floor:.3f} s beyond the empty run)" if job != "empty batch run" and "campaign" not in job else ""
        print(f"  {job:30} {wall:6.3f} s wall  {cpu:6.3f} s CPU  peak {peak:4.0f} MB{beyond}")
    one, eleven = (statistics.median(run[1] for run in times[(program, job)]) for job in list(jobs)[-2:])
    print(f"  each further pair of a campaign: {(eleven - one) / 10:.3f} s CPU")
PY
