#!/usr/bin/env bash
# A campaign's memory when its files have long names: PAIRS (100000) pairs whose flights are named
# by paths of about 1 KB (hard links, under folders of long names, to a generated pair of 60-row
# tab flights), run by flightcompare --campaign; prints the wall time and the peak resident
# memory. BASELINE=path/to/another/flightcompare runs that program on the same list too.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/deps.sh"
ensure_packages "${build_packages[@]}"
build_release >/dev/null

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
PAIRS=${PAIRS:-100000} /usr/bin/python3 - "$root" "$folder" "$root/build/app/flightcompare" ${BASELINE:+"$BASELINE"} <<'PY'
import os, shutil, subprocess, sys, time

root, folder, programs = sys.argv[1], sys.argv[2], sys.argv[3:]
pairs = int(os.environ["PAIRS"])
flightgen = os.path.join(root, "build", "tests", "flightgen")
# A file takes at most 65000 links on ext4: each 50000 links have a copy of their own.
copies = pairs // 50000 + 1
for side, seed in (("a", 1), ("b", 2)):
    subprocess.run([flightgen, "tab", os.path.join(folder, side + "0.txt"), "--rows", "60", "--seed", str(seed),
                    "--noise", "0.2"], check=True)
    for copy in range(1, copies):
        shutil.copy(os.path.join(folder, side + "0.txt"), os.path.join(folder, "%s%d.txt" % (side, copy)))
# Three folders of 240 characters and names of 200: each path about 1 KB.
long = os.path.join(folder, *("%s%d" % ("f" * 239, level) for level in range(3)))
os.makedirs(long)
with open(os.path.join(folder, "list.csv"), "w") as listed:
    listed.write("flight1,flight2\n")
    for pair in range(pairs):
        names = []
        for side in "ab":
            name = os.path.join(long, "%s-%07d-%s.txt" % (side, pair, "n" * 200))
            os.link(os.path.join(folder, "%s%d.txt" % (side, pair // 50000)), name)
            names.append(name)
        listed.write("%s,%s\n" % tuple(names))
print("%d pairs, paths of %d bytes" % (pairs, len(names[0])), flush=True)

for program in programs:
    out = os.path.join(folder, "out")
    start = time.perf_counter()
    child = subprocess.Popen([program, "--campaign", os.path.join(folder, "list.csv"), "--out", out],
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    seconds = time.perf_counter() - start
    assert os.waitstatus_to_exitcode(status) == 0, "%s failed" % program
    print("%s: %.1f s, peak %.0f MB" % (program, seconds, usage.ru_maxrss / 1024), flush=True)
PY
