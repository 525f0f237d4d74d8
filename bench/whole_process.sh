#!/usr/bin/env bash
# Times convert, generate and the editor's open-and-paint as whole processes, the way a user runs them,
# on synthetic EDS files of 500, 1,000 and 2,000 indices x 20 subindices (bench/make_big_eds.py).
# For each it prints the median, min and max wall-clock time over RUNS runs, the median CPU time and
# the peak RSS, then how the time grows with the file.
#
# Usage: bench/whole_process.sh [BUILD_DIR] [RUNS]      (defaults: build, 7)
# Needs: a build of quillmark-cli and quillmark (RelWithDebInfo, as the test command makes it), python3
# and, for the peak RSS, GNU time (/usr/bin/time, Debian package "time"; without it the RSS reads n/a).
# The editor runs on Qt's offscreen platform; no display is needed. Timings on a machine that
# is busy with other work are not worth much: run it on a quiet one, and mind the load averages it prints.
#
# What the profiles showed (2,000 indices; instruction counts from callgrind, which do not depend on the
# load): convert 1,109 -> 506 million instructions, generate 853 -> 556 million (bench/eds and
# bench/generator say where). The editor took 2,130 million instructions against 450 million for an
# empty start, of which 330 million are the PNG encoding of --screenshot itself. Of the rest, 600
# million went to the tree's column (ResizeToContents), re-measured up to a thousand rows nine times
# while the file was opened and painted, 100 million to setting three image roles on every node, and
# the import. Now it takes 1,260 million: the import 354, the tree's labels through ToQt 137 (3,200
# instructions a label, by way of a UTF-32 string), the first measurement of a thousand labels 70, and
# about 100 deleting the 42,000 nodes when the window closes.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${1:-build}
runs=${2:-7}
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

sizes=(500 1000 2000)
for n in "${sizes[@]}"; do
    python3 bench/make_big_eds.py "$n" "$work/big$n.eds"
done

measure() {
    python3 bench/time_runs.py "$@"
}

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)   runs per line: $runs"
measure "command-line tool, start only" "$runs" "$cli" --version
measure "editor, empty start" "$runs" "$editor" --screenshot "$work/empty.png"
for n in "${sizes[@]}"; do
    big="$work/big$n.eds"
    echo "--- $n indices ($(stat -c %s "$big") bytes)"
    measure "convert $n" "$runs" "$cli" convert "$big" "$work/out.eds"
    measure "generate $n" "$runs" "$cli" generate "$big" "$work/out/objdict.c"
    measure "editor $n" "$runs" "$editor" --screenshot "$work/shot.png" "$big"
done
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"

# Linear growth: the time a file adds to the program's start doubles when the file doubles. Printed are,
# at 500, 1,000 and 2,000 indices, the time above the start and the ratio of each to the one before
# (2.0 is linear; 1.7 to 2.3 is within 15%): once from the fastest wall-clock runs, once from the CPU
# time, which other work on the machine disturbs less.
python3 - "$QM_TIMES" <<'PYTHON'
import sys
fastest, cpu = {}, {}
for line in open(sys.argv[1]):
    label, median, least, used = line.rstrip("\n").split("\t")
    fastest[label], cpu[label] = float(least), float(used)
starts = {"convert": "command-line tool, start only", "generate": "command-line tool, start only",
          "editor": "editor, empty start"}
print("--- growth: time above the start at 500 / 1,000 / 2,000 indices, and each doubling's ratio")
for operation, start in starts.items():
    for kind, times in (("wall", fastest), ("cpu", cpu)):
        added = [times["%s %d" % (operation, n)] - times[start] for n in (500, 1000, 2000)]
        ratios = ["%.2f" % (b / a) if a > 0 else "-" for a, b in zip(added, added[1:])]
        print("%-9s %-5s %7.1f %7.1f %7.1f ms   ratios %s" % (operation, kind, *added, " ".join(ratios)))
PYTHON
