"""Prints the project's benchmark times next to their references (see compare-references.sh)."""
import json
import subprocess
import sys
import time

import cv2
import numpy as np

BIN = sys.argv[1]


def medians(binary, pattern):
    """Median real time in ms of each benchmark matching pattern, by name. The repetitions of
    the benchmarks are interleaved, so a busy spell of the machine falls on ours and the
    reference alike."""
    out = subprocess.run([f"{BIN}/{binary}", f"--benchmark_filter={pattern}", "--benchmark_repetitions=7",
                          "--benchmark_enable_random_interleaving=true",
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


def band_and_disc_mask():
    """The mask of BM_BoxBlurMask: bands of 100 rows, alternately on and off, and a disc on."""
    y, x = np.mgrid[0:3000, 0:4000]
    on = ((y // 100) % 2 == 0) | ((x - 2000) ** 2 + (y - 1500) ** 2 < 1000 ** 2)
    return on.astype(np.uint8) * 255


def opencv_partial_blur(kind, side):
    """Best of five single-threaded runs of the OpenCV calls that blur part of a picture in place:
    the colour of a BGRA picture, the green channel of a BGR one, or a BGR one where a mask allows."""
    cv2.setNumThreads(1)
    rng = np.random.default_rng(12345)
    picture = rng.integers(0, 256, (3000, 4000, 4 if kind == "Alpha" else 3), dtype=np.uint8)
    mask = band_and_disc_mask()
    box = (side, side)
    best = float("inf")
    for _ in range(5):
        start = time.perf_counter()
        if kind == "Alpha":
            picture[:, :, :3] = cv2.blur(picture[:, :, :3], box, borderType=cv2.BORDER_CONSTANT)
        elif kind == "Channel":
            picture[:, :, 1] = cv2.blur(picture[:, :, 1], box, borderType=cv2.BORDER_CONSTANT)
        else:
            cv2.copyTo(cv2.blur(picture, box, borderType=cv2.BORDER_CONSTANT), mask, picture)
        best = min(best, (time.perf_counter() - start) * 1e3)
    return best


def main():
    print("Box blur, 4000 x 3000, 8 bits a channel (ratio: OpenCV time / ours; 1 or more is as fast)")
    ours = medians("ipl_bench", "BM_BoxBlur/")
    for channels in (3, 4):
        for side in (3, 10, 51):
            mine = ours[f"BM_BoxBlur/{channels}/{side}"]
            theirs = opencv_blur(channels, side)
            print(f"  {channels} channels {side:2}x{side:<2}: ours {mine:6.1f} ms  OpenCV {theirs:6.1f} ms"
                  f"  ratio {theirs / mine:4.2f}")
    print("Box blur of part of a picture (alpha kept, one channel of three, masked; ratio as above)")
    partial = medians("ipl_bench", "BoxBlur(Alpha|Channel|Mask)")
    for kind in ("Alpha", "Channel", "Mask"):
        for side in (3, 10, 51):
            mine = partial[f"BM_BoxBlur{kind}/{side}"]
            theirs = opencv_partial_blur(kind, side)
            print(f"  {kind:7} {side:2}x{side:<2}: ours {mine:6.1f} ms  OpenCV {theirs:6.1f} ms"
                  f"  ratio {theirs / mine:4.2f}")
    jpeg = medians("piclib_decode_bench", "(Decode|Libjpeg)Jpeg")
    for name, sampling in (("", "4:2:0"), ("444_", "4:4:4")):
        mine = jpeg[f"BM_DecodeJpeg{name}12MP/real_time"]
        theirs = jpeg[f"BM_LibjpegJpeg{name}12MP/real_time"]
        print(f"JPEG 12 MP {sampling}: ours {mine:.1f} ms  libjpeg-turbo in process, same settings {theirs:.1f} ms"
              f"  ratio {theirs / mine:.2f}")
    print("Own decoders, the same 12 MP picture (times the BMP decoder's time; 1.5 or less is the aim)")
    formats = medians("piclib_format_bench", "decode")
    bmp = formats["decode/bmp"]
    for name, ms in sorted(formats.items(), key=lambda item: (item[0] != "decode/bmp", item[0])):
        print(f"  {name.split('/')[1]:5} {ms:6.1f} ms  {ms / bmp:4.2f} x BMP")
    ink = medians("ink_redraw_bench", "RedrawOverlayInk")
    mine, theirs = ink["RedrawOverlayInk"], ink["RedrawOverlayInkQPainter"]
    print(f"Ink overlay, 5,000 strokes: ours {mine:.1f} ms  QPainter {theirs:.1f} ms  ratio {theirs / mine:.2f}")
    shapes = medians("gdi_bench", "MixedShapes")["MixedShapes"]
    print(f"MixedShapes: 10,000 figures in {shapes:.1f} ms, {10000 / shapes:.0f}k shapes/s (100k is the aim)")
    print("Page redraw at 100 %, 1920 x 1080, rectangles with a fill and a one-pixel outline"
          " (ratio: QPainter time / ours; 1 or more is as fast)")
    pages = medians("view_page_bench", "PageRedraw")
    for count in (1000, 10000):
        mine, theirs = pages[f"PageRedraw/{count}"], pages[f"PageRedrawQPainter/{count}"]
        print(f"  {count:6} rectangles: ours {mine:6.2f} ms  QPainter {theirs:6.2f} ms  ratio {theirs / mine:4.2f}")
    mixed = medians("view_mixed_page_bench", "MixedPageRedraw")
    mine, theirs = mixed["MixedPageRedraw"], mixed["MixedPageRedrawQPainter"]
    print(f"Mixed page (text, connectors, pictures, notes): ours {mine:.2f} ms  QPainter {theirs:.2f} ms"
          f"  ratio {theirs / mine:.2f}")
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
