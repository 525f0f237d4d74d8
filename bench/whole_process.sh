#!/usr/bin/env bash
# Times convert, generate and the editor's open as whole processes, the way a user runs them, on
# synthetic EDS files of 500, 1,000, 2,000 and 4,000 indices x 20 subindices (bench/make_big_eds.py),
# and python-canopen's import and export of the 2,000-index file in the same run, for comparison.
# For each it prints the median, min and max wall-clock time over RUNS runs, the median CPU time and
# the peak RSS, then how the time grows with the file.
#
# Usage: bench/whole_process.sh [BUILD_DIR] [RUNS]      (defaults: build, 9)
# Needs: a build of quillmark-cli and quillmark (RelWithDebInfo, as the test command makes it), python3
# and, for the peak RSS, GNU time (/usr/bin/time, Debian package "time"; without it the RSS reads n/a);
# for the comparison Debian's python3 with python3-can, and ../shared/clients/python-canopen (left out
# when missing).
# The editor runs on Qt's offscreen platform; no display is needed. "editor" opens the file and paints
# the window once (--render-only); "editor+png" also encodes the picture (--screenshot). Timings on a
# machine that is busy with other work are not worth much: run it on a quiet one, and mind the load
# averages it prints.
#
# What the profiles showed (2,000 indices; instruction counts from callgrind, which do not depend on the
# load): convert 1,109 -> 506 million instructions, generate 853 -> 556 million (bench/eds and
# bench/generator say where). With the import report, convert took 640 million; reading each object
# section's keys in one walk instead of a look-up per key, the list entries' names without printf and
# the key names compared a word at a time brought it to 404 million. Of the whole-process time a
# quarter was the kernel's: page faults on 30 MB and copying the file in and out; keeping large
# blocks in the heap (cli/main.cpp) took a third of the page faults away. The editor took 868 million
# instructions against 126 million for an empty start: the import 290, the tree's labels through ToQt
# 137 (by way of a UTF-32 string), setting the nodes' data 89, the first measurement of the column 72,
# and 168 deleting the 42,000 nodes when the window closes. Since then a large file is parsed, read,
# scanned, exported and generated from in two halves at once (platform/ParallelWork.h): the CPU time
# stays about the same while the wall-clock time drops, so compare the two columns. Then each thread's
# work was made cheaper: convert 387 -> 308 million instructions (lines copied into the output in one
# piece, keys added without a call, numbers read by table), generate 422 -> 330 million (its entry
# formats taken apart once, identifiers built in a kept buffer).
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${1:-build}
runs=${2:-9}
cli="$build_dir/cli/quillmark-cli"
editor="$build_dir/ui/quillmark"
for program in "$cli" "$editor"; do
    [[ -x $program ]] || { echo "missing $program: build first" >&2; exit 2; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$work/xdg-runtime"
mkdir -p "$XDG_RUNTIME_DIR" "$work/out" && chmod 700 "$XDG_RUNTIME_DIR"
# The editor keeps its recent-file list with the user's settings; a run here must not touch them.
export XDG_CONFIG_HOME="$work/config"
export QM_TIMES="$work/times"

sizes=(500 1000 2000 4000)
for n in "${sizes[@]}"; do
    python3 bench/make_big_eds.py "$n" "$work/big$n.eds"
done

measure() {
    python3 bench/time_runs.py "$@"
}

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)   runs per line: $runs"
measure "command-line tool, start only" "$runs" "$cli" --version
measure "editor, empty start" "$runs" "$editor" --render-only
for n in "${sizes[@]}"; do
    big="$work/big$n.eds"
    echo "--- $n indices ($(stat -c %s "$big") bytes)"
    measure "convert $n" "$runs" "$cli" convert "$big" "$work/out.eds"
    measure "generate $n" "$runs" "$cli" generate "$big" "$work/out/objdict.c"
    measure "editor $n" "$runs" "$editor" --render-only "$big"
    measure "editor+png $n" "$runs" "$editor" --screenshot "$work/shot.png" "$big"
done

# The same work in the tool users have today: python-canopen reads the file and writes it again.
client=../shared/clients/python-canopen
if [[ -d $client ]] && /usr/bin/python3 -c "import can" 2>/dev/null; then
    echo "--- python-canopen, import and export of 2000 indices"
    cat >"$work/client.py" <<'CLIENT'
import sys
import canopen
od = canopen.import_od(sys.argv[1], node_id=5)
canopen.export_od(od, sys.argv[2])
CLIENT
    PYTHONPATH=$client measure "python-canopen 2000" 3 /usr/bin/python3 "$work/client.py" "$work/big2000.eds" "$work/client.eds"
else
    echo "--- python-canopen: left out (needs python3-can and $client)"
fi
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"

# Linear growth: the time a file adds to the program's start doubles when the file doubles. Printed are,
# for each size, the time above the start and the ratio of each to the one before (2.0 is linear; 1.7
# to 2.3 is within 15%): once from the fastest wall-clock runs, once from the CPU time, which other
# work on the machine disturbs less. Last, how many times python-canopen's time each takes.
python3 - "$QM_TIMES" "${sizes[@]}" <<'PYTHON'
import sys
fastest, median, cpu = {}, {}, {}
for line in open(sys.argv[1]):
    label, middle, least, used = line.rstrip("\n").split("\t")
    median[label], fastest[label], cpu[label] = float(middle), float(least), float(used)
sizes = [int(n) for n in sys.argv[2:]]
starts = {"convert": "command-line tool, start only", "generate": "command-line tool, start only",
          "editor": "editor, empty start"}
print("--- growth: time above the start at %s indices, and each doubling's ratio"
      % " / ".join("{:,}".format(n) for n in sizes))
for operation, start in starts.items():
    for kind, times in (("wall", fastest), ("cpu", cpu)):
        added = [times["%s %d" % (operation, n)] - times[start] for n in sizes]
        ratios = ["%.2f" % (b / a) if a > 0 else "-" for a, b in zip(added, added[1:])]
        print("%-9s %-5s %s ms   ratios %s" % (operation, kind, " ".join("%7.1f" % t for t in added),
                                               " ".join(ratios)))
if "python-canopen 2000" in median:
    print("--- python-canopen's import and export of 2000 indices against ours (medians)")
    for operation in ("convert", "generate"):
        print("%-9s %6.0fx faster" % (operation, median["python-canopen 2000"] / median["%s 2000" % operation]))
PYTHON