"""Prints the project's benchmark times next to their references (see compare-references.sh)."""
import json
import subprocess
import sys
import time

import cv2
import numpy as np

BIN = sys.argv[1]


def medians(binary, pattern):
    """Median real time in ms of each benchmark matching pattern, by name."""
    out = subprocess.run([f"{BIN}/{binary}", f"--benchmark_filter={pattern}", "--benchmark_repetitions=5",
                          "--benchmark_report_aggregates_only=true", "--benchmark_format=json"],
                         check=True, capture_output=True, text=True).stdout
    times = {}
    for run in json.loads(out)["benchmarks"]:
        if run.get("aggregate_name") == "median":
            scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[run["time_unit"]]
            times[run["run_name"]] = run["real_time"] * scale
    return times


def opencv_blur(channels, side):
    """Best of five single-threaded cv2.blur runs on a random 4000 x 3000 picture, in ms."""
    cv2.setNumThreads(1)
    picture = np.random.default_rng(12345).integers(0, 256, (3000, 4000, channels), dtype=np.uint8)
    best = float("inf")
    for _ in range(5):
        start = time.perf_counter()
        cv2.blur(picture, (side, side), borderType=cv2.BORDER_CONSTANT)
        best = min(best, (time.perf_counter() - start) * 1e3)
    return best


def main():
    print("Box blur, 4000 x 3000, 8 bits a channel (ratio: OpenCV time / ours; 1 or more is as fast)")
    ours = medians("ipl_bench", "BoxBlur")
    for channels in (3, 4):
        for side in (3, 10, 51):
            mine = ours[f"BM_BoxBlur/{channels}/{side}"]
            theirs = opencv_blur(channels, side)
            print(f"  {channels} channels {side:2}x{side:<2}: ours {mine:6.1f} ms  OpenCV {theirs:6.1f} ms"
                  f"  ratio {theirs / mine:4.2f}")
    jpeg = medians("piclib_decode_bench", "Jpeg12MP")
    mine, theirs = jpeg["BM_DecodeJpeg12MP/real_time"], jpeg["BM_DjpegJpeg12MP/real_time"]
    print(f"JPEG 12 MP: ours {mine:.1f} ms  djpeg (libjpeg-turbo, same settings) {theirs:.1f} ms"
          f"  ratio {theirs / mine:.2f}")
    print("Own decoders, the same 12 MP picture (times the BMP decoder's time; 1.5 or less is the aim)")
    formats = medians("piclib_format_bench", "decode")
    bmp = formats["decode/bmp"]
    for name, ms in formats.items():
        print(f"  {name.split('/')[1]:5} {ms:6.1f} ms  {ms / bmp:4.2f} x BMP")
    shapes = medians("gdi_bench", "MixedShapes")["MixedShapes"]
    print(f"MixedShapes: 10,000 figures in {shapes:.1f} ms, {10000 / shapes:.0f}k shapes/s (100k is the aim)")
    print("Page redraw at 100 %, 1920 x 1080, rectangles with a fill and a one-pixel outline"
          " (ratio: QPainter time / ours; 1 or more is as fast)")
    pages = medians("view_page_bench", "PageRedraw")
    for count in (1000, 10000):
        mine, theirs = pages[f"PageRedraw/{count}"], pages[f"PageRedrawQPainter/{count}"]
        print(f"  {count:6} rectangles: ours {mine:6.2f} ms  QPainter {theirs:6.2f} ms  ratio {theirs / mine:4.2f}")
    print("Page scaling: open to first paint, save and peak memory, per object")
    for run in scaling_runs():
        c = run["counters"]
        print(f"  {run['count']:6} objects: open {c['open_ms']:8.1f} ms ({c['open_us_per_object']:5.1f} us each)"
              f"  save {c['save_ms']:7.1f} ms ({c['save_us_per_object']:5.1f} us each)"
              f"  peak {c['peak_bytes_per_object']:6.0f} bytes each")


def scaling_runs():
    """The page-scaling benchmark's counters, one run per object count."""
    out = subprocess.run([f"{BIN}/view_page_bench", "--benchmark_filter=PageScaling", "--benchmark_format=json"],
                         check=True, capture_output=True, text=True).stdout
    runs = []
    for run in json.loads(out)["benchmarks"]:
        counters = {k: run[k] for k in ("open_ms", "save_ms", "open_us_per_object", "save_us_per_object",
                                        "peak_bytes_per_object")}
        runs.append({"count": int(run["run_name"].split("/")[1]), "counters": counters})
    return runs


if __name__ == "__main__":
    main()
