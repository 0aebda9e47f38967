"""The Python package's benchmark: a run in-process against the command's
whole time on the same plant, and a sweep on two processes against as many
single runs. Prints figures and whether the targets are met; asserts
nothing.

    scripts/python-bench.sh [STREAMS] [--repeat N]
"""
import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time

import tovex


def median_seconds(work, repeat):
    times = []
    for _ in range(repeat):
        start = time.perf_counter()
        work()
        times.append(time.perf_counter() - start)
    return statistics.median(times)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("streams", type=int, nargs="?", default=10000)
    parser.add_argument("--repeat", type=int, default=5)
    parser.add_argument("--cases", type=int, default=20)
    parser.add_argument("--bin", default="build/bench/bin", help="the folder of tovex and tovex_plantgen")
    args = parser.parse_args()
    with tempfile.TemporaryDirectory() as folder:
        plant = os.path.join(folder, f"plant-{args.streams}.json")
        subprocess.run([os.path.join(args.bin, "tovex_plantgen"), str(args.streams), plant], check=True)
        command = [os.path.join(args.bin, "tovex"), "run", plant, "--dir", os.path.join(folder, "out"),
                   "--state", os.path.join(folder, "state.json")]
        whole = median_seconds(lambda: subprocess.run(command, check=True, capture_output=True), args.repeat)
        project = tovex.Project.load(plant)
        single = median_seconds(project.run, args.repeat)
        prices = [0.05 + 0.001 * k for k in range(args.cases)]
        sweep = median_seconds(
            lambda: tovex.sweep(project, {"OP/Operating Unit Costs/Electricity": prices}, jobs=2), max(1, args.repeat // 2))
    print(f"streams {args.streams}: command {whole:.3f} s, run in-process {single:.3f} s, "
          f"{args.cases} cases on 2 jobs {sweep:.3f} s ({args.cases} single runs {args.cases * single:.3f} s)")
    print("targets:")
    ratio = single / whole
    print(f"  a run in-process at most 1.2 times the command          {ratio:.2f}x   {'met' if ratio <= 1.2 else 'NOT MET'}")
    ratio = sweep / (args.cases * single)
    print(f"  a sweep on 2 jobs at most 0.7 times as many single runs {ratio:.2f}x   {'met' if ratio <= 0.7 else 'NOT MET'}")


if __name__ == "__main__":
    sys.exit(main())
