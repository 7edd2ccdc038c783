#!/usr/bin/env python3
"""Runs every benchmark binary in a build's bench/ folder and prints one table of the results.

    scripts/bench-table.py BUILD_DIR [--markdown]
"""
import json
import pathlib
import platform
import subprocess
import sys

# What each row measures, for readers of the table.
MEANING = {
    "core_benchmark": "core, all of 1583-2599 (five teams + holiday rules per day)",
    "views_benchmark": "one full repaint onto an 800 x 580 image",
    "startup_benchmark": "process start to the main window's first paint (offscreen)",
    "cli_benchmark": "shiftcal as a whole process",
    "publish_benchmark": "shiftcal publish, default window, against 9 ics + 2 table processes",
    "days_benchmark": "next/hours: arg 0 a team, 1 --mine on a year, 2 --mine on 10,000 entries",
    "render_benchmark": "one A4 PDF page of shiftcal render, in process: vectors against the stretched image of before",
}


def run(binary):
    out = subprocess.run([str(binary), "--benchmark_format=json"], check=True,
                         capture_output=True, text=True).stdout
    return json.loads(out)


def counters(bench):
    skip = {"name", "run_name", "run_type", "repetitions", "repetition_index", "threads",
            "iterations", "real_time", "cpu_time", "time_unit", "family_index",
            "per_family_instance_index", "aggregate_name", "aggregate_unit", "label",
            "items_per_second", "bytes_per_second"}
    extra = [f"{k}={v:.4g}" for k, v in bench.items()
             if k not in skip and isinstance(v, (int, float))]
    if bench.get("label"):
        extra.insert(0, bench["label"])
    return ", ".join(extra)


def main():
    build = pathlib.Path(sys.argv[1])
    markdown = "--markdown" in sys.argv
    rows = []
    for binary in sorted((build / "bench").glob("*_benchmark")):
        for bench in run(binary)["benchmarks"]:
            # Of repeated runs only the median stands in the table.
            if bench.get("run_type") == "aggregate" and bench.get("aggregate_name") != "median":
                continue
            rows.append((binary.name, bench["name"], f'{bench["real_time"]:.3f} {bench["time_unit"]}',
                         counters(bench)))
    header = ("binary", "benchmark", "time", "figures")
    if markdown:
        print(f"Machine: {platform.machine()}, {subprocess.getoutput('nproc')} cores, "
              f"{platform.platform()}\n")
        print("| " + " | ".join(header) + " |")
        print("|" + "---|" * len(header))
        for row in rows:
            print("| " + " | ".join(row) + " |")
    else:
        widths = [max(len(str(r[i])) for r in rows + [header]) for i in range(3)]
        print("  ".join(h.ljust(w) for h, w in zip(header, widths)) + "  " + header[3])
        for row in rows:
            print("  ".join(str(c).ljust(w) for c, w in zip(row, widths)) + "  " + row[3])
    print()
    for name, meaning in MEANING.items():
        print(f"{name}: {meaning}")


if __name__ == "__main__":
    main()
