#!/usr/bin/python3
"""Times Pillow's Image.resize on the pictures and sizes of vlm_bench_resample.

The pictures come from the benchmark itself (--write-images), so both sides
rescale the same pixels. Only the resize call is timed. With --bench, the
benchmark runs in the same session and the table shows the ratios. On a busy
machine, --clock cpu compares processor time instead of elapsed time on both
sides.

    bench/pillow_resample.py --bench build-rel/bench/vlm_bench_resample
"""

import argparse
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

from PIL import Image

BILINEAR = Image.Resampling.BILINEAR if hasattr(Image, "Resampling") else Image.BILINEAR
BICUBIC = Image.Resampling.BICUBIC if hasattr(Image, "Resampling") else Image.BICUBIC

# benchmark name -> (picture, destination size)
CASES = {
    "BM_ResampleSheet600Triangle": ("sheet600.ppm", (794, 1123)),
    "BM_ResampleSheet300Triangle": ("sheet300.ppm", (794, 1123)),
    "BM_ResampleSheet600Mitchell": ("sheet600.ppm", (794, 1123)),
    "BM_ResampleSheet600BSpline": ("sheet600.ppm", (794, 1123)),
    "BM_ResampleEnlargeMitchell": ("photo.ppm", (1600, 1200)),
}


def time_pillow(image, size, method, repetitions, clock):
    image.resize(size, method)  # warm the caches once
    runs = []
    for _ in range(repetitions):
        start = clock()
        image.resize(size, method)
        runs.append((clock() - start) * 1000.0)
    return runs


def time_ours(bench, repetitions, field):
    names = "|".join(CASES)
    out = subprocess.run(
        [bench, f"--benchmark_filter=^({names})$", f"--benchmark_repetitions={repetitions}",
         "--benchmark_format=json"],
        check=True, capture_output=True, text=True).stdout
    runs = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("run_type") == "iteration":
            assert b["time_unit"] == "ms"
            runs.setdefault(b["run_name"], []).append(b[field])
    return runs


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--bench", help="path of vlm_bench_resample; runs it and prints the ratios")
    parser.add_argument("--images", help="folder with the benchmark pictures (written there when missing)")
    parser.add_argument("--repetitions", type=int, default=5)
    parser.add_argument("--clock", choices=("wall", "cpu"), default="wall")
    args = parser.parse_args()
    clock, field = (time.thread_time, "cpu_time") if args.clock == "cpu" else (time.perf_counter, "real_time")

    images = args.images or os.path.join(tempfile.gettempdir(), "vlm-resample-bench")
    os.makedirs(images, exist_ok=True)
    if not all(os.path.exists(os.path.join(images, p)) for p, _ in CASES.values()):
        if not args.bench:
            sys.exit("the pictures are missing: give --bench to have the benchmark write them")
        subprocess.run([args.bench, f"--write-images={images}"], check=True)

    ours = time_ours(args.bench, args.repetitions, field) if args.bench else {}
    loaded = {}
    rows = []
    for name, (picture, size) in CASES.items():
        if picture not in loaded:
            loaded[picture] = Image.open(os.path.join(images, picture)).convert("RGB")
            loaded[picture].load()
        image = loaded[picture]
        bilinear = time_pillow(image, size, BILINEAR, args.repetitions, clock)
        bicubic = time_pillow(image, size, BICUBIC, args.repetitions, clock)
        rows.append((name, ours.get(name), bilinear, bicubic))

    def cell(runs):
        return f"{min(runs):7.1f} {statistics.median(runs):7.1f}" if runs else f"{'-':>7} {'-':>7}"

    def ratio(a, b):
        return f"{statistics.median(a) / statistics.median(b):6.2f}" if a else f"{'-':>6}"

    print(f"{args.clock + ' ms':30} {'ours min':>8} {'median':>7} {'BILIN min':>9} {'median':>7} "
          f"{'BICUB min':>9} {'median':>7} {'/BILIN':>6} {'/BICUB':>6}")
    for name, mine, bilinear, bicubic in rows:
        print(f"{name:30} {cell(mine):>16} {cell(bilinear):>17} {cell(bicubic):>17} "
              f"{ratio(mine, bilinear)} {ratio(mine, bicubic)}")
    print("ratio = our median / Pillow median; below 1 is faster than Pillow")


if __name__ == "__main__":
    main()
