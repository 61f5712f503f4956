#!/usr/bin/env bash
# Runs the reference implementations on the same inputs as the project's benchmarks and prints
# the ratios: OpenCV's box blur (Debian's python3-opencv, installed when missing) against iplBlur,
# libjpeg-turbo's djpeg against the JPEG decoder, and every own decoder against the BMP decoder.
# Usage: bench/compare-references.sh [release-build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
[[ -f $build/build.ninja ]] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target ipl_bench piclib_decode_bench piclib_format_bench >/dev/null
if ! /usr/bin/python3 -c 'import cv2' 2>/dev/null; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q python3-opencv >/dev/null
fi
exec /usr/bin/python3 bench/compare_references.py "$build/bin"
