#!/usr/bin/env python3
"""Runs one command several times as a whole process and prints its wall-clock time (median, min,
max, in milliseconds), the median of its CPU time (user and system) and its peak resident set size
(in MB).

Usage: time_runs.py LABEL RUNS COMMAND [ARG...]

Output of the command is discarded; a run that fails stops the measurement with its exit status.
The peak RSS is taken in one more run under GNU time (/usr/bin/time, Debian package "time"): a child
forked by this script would count this script's own memory, which it held until its exec, as its
peak. Without GNU time the RSS column says n/a. With QM_TIMES set to a file name, the label and the
median, the min and the CPU median are also appended to that file, one tab-separated line.
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

GNU_TIME = "/usr/bin/time"


def run_once(command):
    """Wall-clock and CPU time (user + system) of one run, in milliseconds."""
    start = time.perf_counter()
    child = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    elapsed = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit("%s failed with exit status %d" % (" ".join(command), os.waitstatus_to_exitcode(status)))
    return elapsed * 1000.0, (usage.ru_utime + usage.ru_stime) * 1000.0


def peak_rss_mb(command):
    if not (os.path.exists(GNU_TIME) and shutil.which(GNU_TIME)):
        return None
    with tempfile.NamedTemporaryFile("r") as report:
        subprocess.run([GNU_TIME, "-o", report.name, "-f", "%M"] + command, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, check=True)
        return int(report.read().split()[-1]) / 1024.0


def main():
    label, runs, command = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
    results = [run_once(command) for _ in range(runs)]
    times = [wall for wall, _ in results]
    cpu = statistics.median(used for _, used in results)
    peak = peak_rss_mb(command)
    print("%-30s median %6.1f ms  min %6.1f  max %6.1f  cpu %6.1f ms  peak RSS %s"
          % (label, statistics.median(times), min(times), max(times), cpu,
             "%5.1f MB" % peak if peak is not None else "n/a"), flush=True)
    if os.environ.get("QM_TIMES"):
        with open(os.environ["QM_TIMES"], "a") as record:
            record.write("%s\t%.2f\t%.2f\t%.2f\n" % (label, statistics.median(times), min(times), cpu))


if __name__ == "__main__":
    main()
