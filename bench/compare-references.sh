#!/usr/bin/env bash
# Runs the reference implementations on the same inputs as the project's benchmarks and prints
# the ratios: OpenCV's box blur (Debian's python3-opencv, installed when missing) against iplBlur,
# whole and in part, libjpeg-turbo called in-process against the JPEG decoder, every own decoder
# against the BMP decoder, QPainter against the ink overlay, the drawing layer's shapes per second,
# the page redraws (rectangles, a mixed page) against QPainter and the page-scaling costs. Everything runs on the first core, so
# ours and the references share one: on a virtual machine some cores run the same code a third slower
# than others, and a process the scheduler moves between them measures anything in between.
# Usage: bench/compare-references.sh [release-build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
[[ -f $build/build.ninja ]] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target ipl_bench piclib_decode_bench piclib_format_bench gdi_bench ink_redraw_bench \
    view_page_bench view_mixed_page_bench >/dev/null
if ! /usr/bin/python3 -c 'import cv2' 2>/dev/null; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q python3-opencv >/dev/null
fi
exec taskset -c 0 /usr/bin/python3 bench/compare_references.py "$build/bin"
