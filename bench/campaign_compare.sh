#!/usr/bin/env bash
# A campaign of PAIRS (1000) pairs of 7000-row, 20-column tab flights, run by flightcompare
# (median of three runs, peak resident memory) and by a straightforward pandas/numpy script
# doing the same job, in the same run. Both layer tables must agree to 1e-9; prints both times
# and the ratio. The pairs rise monotonically, so both ways of finding flight 2's value at
# flight 1's height agree. MATCH=time flies each pair's sondes on a balloon whose ascent swings,
# flight 2's clock up to 19 s ahead, and times the campaign matched in time (each pair's shift
# found) against it by height, five runs each in turns: medians and what matching in time adds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/deps.sh"
ensure_packages "${build_packages[@]}" "${baseline_packages[@]}"
build_release >/dev/null
pairs=${PAIRS:-1000}
match=${MATCH:-height}
balloon=()
[ "$match" = time ] && balloon=(--ascent-swing 10 --height-noise 0.5)

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
echo "writing $pairs pairs..."
echo "flight1,flight2,group" >"$folder/list.csv"
for i in $(seq 1 "$pairs"); do
  echo "a$i.txt,b$i.txt,$([ $((i % 2)) -eq 0 ] && echo day || echo night)" >>"$folder/list.csv"
  printf '%s\n' "tab $folder/a$i.txt --rows 7000 --extra 13 --noise 0.3 --seed $i --bias 0.$((i % 10)) ${balloon[*]}" \
    "tab $folder/b$i.txt --rows 7000 --extra 13 --noise 0.1 --seed $((i + pairs)) ${balloon[*]:+${balloon[*]} --clock-start -$((i % 20))}"
done | xargs -P "$(nproc)" -L 1 "$root/build/tests/flightgen"
echo "$(du -sm "$folder" | cut -f1) MB of flights"

/usr/bin/python3 - "$root/build/app/flightcompare" "$folder" "$match" <<'PY'
import os, resource, statistics, subprocess, sys, time

program, folder, match = sys.argv[1], sys.argv[2], sys.argv[3]
listed = os.path.join(folder, "list.csv")
layer = 100.0

def campaign_run(out, *options):
    start = time.perf_counter()
    status = subprocess.run([program, "--campaign", listed, "--out", out, *options]).returncode
    assert status == 0, status
    return time.perf_counter() - start

if match == "time":
    by_height, in_time = [], []
    for run in range(5):
        by_height.append(campaign_run(os.path.join(folder, "height%d" % run)))
        in_time.append(campaign_run(os.path.join(folder, "time%d" % run), "--match", "time"))
    height, matched = statistics.median(by_height), statistics.median(in_time)
    print("by height: %.2f s, in time: %.2f s (medians of five in turns): matching in time adds %.1f %%"
          % (height, matched, 100 * (matched - height) / height))
    sys.exit(0)

import numpy as np
import pandas as pd

def peak_of_one_run(out):
    # The children's peak is the greatest of them all: measured in a process of its own.
    code = ("import resource, subprocess, sys; subprocess.run(sys.argv[1:], check=True); "
            "print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)")
    text = subprocess.run([sys.executable, "-c", code, program, "--campaign", listed, "--out", out],
                          check=True, capture_output=True, text=True).stdout
    return int(text) / 1024

def pandas_campaign():
    pairs = pd.read_csv(listed)
    frames = []
    for index, row in enumerate(pairs.itertuples()):
        one = pd.read_csv(os.path.join(folder, row.flight1), sep="\t")
        two = pd.read_csv(os.path.join(folder, row.flight2), sep="\t")
        h1, t1 = one["H"].to_numpy() * 1000, one["T"].to_numpy()
        h2, t2 = two["H"].to_numpy() * 1000, two["T"].to_numpy()
        low, high = max(0.0, h1[0], h2[0]), min(50000.0, h1[-1], h2[-1])
        inside = (h1 >= low) & (h1 <= high) & (h1 >= h2[0]) & (h1 <= h2[-1])
        difference = t1[inside] - np.interp(h1[inside], h2, t2)
        frames.append(pd.DataFrame({"pair": index, "group": row.group, "layer": np.floor(h1[inside] / layer),
                                    "value": difference}))
    values = pd.concat(frames)
    tables = []
    for group, chosen in [("all", values)] + [(g, values[values.group == g]) for g in pairs.group.unique()]:
        by_layer = chosen.groupby("layer")["value"]
        table = pd.DataFrame({
            "flights": chosen.groupby("layer")["pair"].nunique(), "points": by_layer.count(),
            "mean": by_layer.mean(), "sd": by_layer.std(), "rms": np.sqrt((chosen.value ** 2).groupby(chosen.layer).mean()),
            "median": by_layer.median(), "p05": by_layer.quantile(0.05), "p95": by_layer.quantile(0.95),
            "flight_sd": chosen.groupby(["layer", "pair"])["value"].mean().groupby("layer").std()})
        table.insert(0, "group", group)
        table.insert(1, "layer_bottom", table.index * layer)
        tables.append(table.reset_index(drop=True))
    return pd.concat(tables, ignore_index=True)

ours = [campaign_run(os.path.join(folder, "out%d" % run)) for run in range(3)]
peak = peak_of_one_run(os.path.join(folder, "peak"))
start = time.perf_counter()
theirs_table = pandas_campaign()
theirs = time.perf_counter() - start

ours_table = pd.read_csv(os.path.join(folder, "out0", "layers.csv"))
assert len(ours_table) == len(theirs_table), (len(ours_table), len(theirs_table))
for column in ["layer_bottom", "flights", "points", "mean", "sd", "rms", "median", "p05", "p95", "flight_sd"]:
    a, b = ours_table[column].to_numpy(float), theirs_table[column].to_numpy(float)
    assert np.allclose(a, b, rtol=0, atol=1e-9, equal_nan=True), (column, np.nanmax(np.abs(a - b)))
assert (ours_table.group.to_numpy() == theirs_table.group.to_numpy()).all()

median = statistics.median(ours)
print("layer tables agree to 1e-9: %d rows" % len(ours_table))
print("flightcompare --campaign: %.2f s (median of %s), peak resident memory %.0f MB"
      % (median, ", ".join("%.2f" % t for t in ours), peak))
print("pandas/numpy script:      %.2f s" % theirs)
print("ratio: %.1fx faster" % (theirs / median))
PY
