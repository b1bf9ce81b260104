#!/usr/bin/env bash
# One generated campaign of PAIRS (1000) pairs of 7000-row, 20-column tab flights, each flight under
# a name of its own, computed by flightcompare --campaign and by what a power user would write
# instead: DuckDB from Node (read_csv, an ASOF join, quantile_cont: peers/campaign.mjs) and R
# data.table (fread, approx, grouped statistics: peers/campaign.R). The three take turns, three
# rounds; prints each one's median time, flightcompare's peak resident memory and how many times
# slower each peer is, and fails unless both peers' layer tables agree with layers.csv to 1e-9.
# Beyond 1000 pairs the flights are hard links to those of 48 generated pairs, so that
# PAIRS=100000 fits on any disk. Beyond PEERS_UP_TO (1000) pairs the peers are left out, with a
# message: they hold every level of every flight in memory (DuckDB some 2.6 GB per 1000 pairs,
# more than the machine has from 9000 on) and would take hours at 100000.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/deps.sh"
ensure_packages "${build_packages[@]}" "${baseline_packages[@]}"
# Debian's nodejs comes without npm; the machine's own Node.js brings it.
command -v npm >/dev/null || ensure_packages npm
build_release >/dev/null
peers="$root/bench/peers"
[ -d "$peers/node_modules/@duckdb/node-api" ] || npm ci --prefix "$peers" --no-audit --no-fund

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
PAIRS=${PAIRS:-1000} PEERS_UP_TO=${PEERS_UP_TO:-1000} /usr/bin/python3 - "$root" "$folder" <<'PY'
import os, shutil, statistics, subprocess, sys, time
from concurrent.futures import ThreadPoolExecutor

root, folder = sys.argv[1], sys.argv[2]
pairs, peers_up_to = int(os.environ["PAIRS"]), int(os.environ["PEERS_UP_TO"])
generated = pairs if pairs <= 1000 else 48
listed = os.path.join(folder, "list.csv")
columns = ["flights", "points", "mean", "sd", "rms", "median", "p05", "p95", "flight_sd"]

def write_campaign():
    print("writing %d pairs (%d generated)..." % (pairs, generated), flush=True)
    flightgen = os.path.join(root, "build", "tests", "flightgen")
    def flight(name, *options):
        return [flightgen, "tab", os.path.join(folder, name), "--rows", "7000", "--extra", "13", *options]
    commands = []
    for i in range(1, generated + 1):
        commands.append(flight("a%d.txt" % i, "--noise", "0.3", "--seed", str(i), "--bias", "0.%d" % (i % 10)))
        commands.append(flight("b%d.txt" % i, "--noise", "0.1", "--seed", str(i + generated)))
    with ThreadPoolExecutor(os.cpu_count()) as pool:
        list(pool.map(lambda command: subprocess.run(command, check=True), commands))
    # A campaign reads a file per name: links cost the reader as much as copies would.
    for i in range(generated + 1, pairs + 1):
        for side in "ab":
            os.link(os.path.join(folder, "%s%d.txt" % (side, (i - 1) % generated + 1)),
                    os.path.join(folder, "%s%d.txt" % (side, i)))
    with open(listed, "w") as out:
        out.write("flight1,flight2,group\n")
        out.writelines("a%d.txt,b%d.txt,%s\n" % (i, i, "day" if i % 2 == 0 else "night") for i in range(1, pairs + 1))

def commands():
    program = os.path.join(root, "build", "app", "flightcompare")
    peers = os.path.join(root, "bench", "peers")
    found = {"flightcompare": lambda out: [program, "--campaign", listed, "--out", out]}
    if pairs > peers_up_to:
        print("DuckDB and data.table left out above %d pairs (PEERS_UP_TO): they would run out of memory or"
              " take hours" % peers_up_to)
        return found
    found["DuckDB"] = lambda out: ["node", os.path.join(peers, "campaign.mjs"), listed, os.path.join(out, "layers.csv")]
    found["data.table"] = lambda out: ["Rscript", os.path.join(peers, "campaign.R"), listed, os.path.join(out, "layers.csv")]
    return found

# Each run's folder, where it writes its layers.csv.
def output(name, round):
    return os.path.join(folder, "%s-%d" % (name, round))

def timed(command):
    # wait4 gives this child's own peak resident memory, whatever ran before it. What a run says
    # is shown only when it fails.
    with open(os.path.join(folder, "said.txt"), "w+") as said:
        start = time.perf_counter()
        child = subprocess.Popen(command, stdout=said, stderr=subprocess.STDOUT)
        _, status, usage = os.wait4(child.pid, 0)
        seconds = time.perf_counter() - start
        child.returncode = os.waitstatus_to_exitcode(status)
        if child.returncode != 0:
            said.seek(0)
            sys.exit("%s failed with status %d:\n%s" % (" ".join(command), child.returncode, said.read()))
    return seconds, usage.ru_maxrss / 1024

def agree(name, theirs, ours):
    import numpy as np
    merged = ours.merge(theirs, on=["group", "layer_bottom"], how="outer", suffixes=("", "_theirs"), indicator=True)
    unmatched = merged[merged._merge != "both"]
    if len(unmatched):
        sys.exit("%s and flightcompare have different layers:\n%s" % (name, unmatched[["group", "layer_bottom", "_merge"]]))
    for column in columns:
        a, b = merged[column].to_numpy(float), merged[column + "_theirs"].to_numpy(float)
        if not np.allclose(a, b, rtol=0, atol=1e-9, equal_nan=True):
            sys.exit("%s disagrees with flightcompare on %s by up to %g" % (name, column, np.nanmax(np.abs(a - b))))

write_campaign()
print("about %d MB of flights to read" % (os.stat(os.path.join(folder, "a1.txt")).st_size * 2 * pairs >> 20))
runs = commands()
times = {name: [] for name in runs}
peaks = {name: [] for name in runs}
# Turns rather than blocks, so that whatever else the machine does falls on all of them alike.
for round in range(3):
    for name, command in runs.items():
        os.mkdir(output(name, round))
        seconds, peak = timed(command(output(name, round)))
        times[name].append(seconds)
        peaks[name].append(peak)
        print("  round %d %-13s %7.2f s %7.0f MB" % (round + 1, name, seconds, peak), flush=True)
        # The first round's tables are the ones compared; a big campaign's report fills the disk fast.
        if round > 0:
            shutil.rmtree(output(name, round))

if len(runs) > 1:
    # Only now: a child's peak counts what its parent held when it started.
    import pandas as pd
    ours, *theirs = [pd.read_csv(os.path.join(output(name, 0), "layers.csv")) for name in runs]
    for name, table in zip(list(runs)[1:], theirs):
        agree(name, table, ours)
    print("layer tables agree to 1e-9: %d layers of %s" % (len(ours), ", ".join(ours.group.unique())))

median = {name: statistics.median(seconds) for name, seconds in times.items()}
print("%d pairs, medians of 3:" % pairs)
for name in runs:
    print("  %-26s %7.2f s   peak %5.0f MB" % (name, median[name], max(peaks[name])))
for name in list(runs)[1:]:
    print("  %s / flightcompare: %.1fx" % (name, median[name] / median["flightcompare"]))
PY
