#!/usr/bin/env bash
# Times ImageMagick's 10 x 10 mean filter on a 4000 x 3000 24-bit picture next to the
# library's box blur benchmark. Usage: bench/ipl/compare-imagemagick.sh [build-dir]
set -euo pipefail
build=${1:-build/release}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
convert=/usr/bin/convert
"$convert" -size 4000x3000 xc:gray +noise Random -depth 8 "$work/in.ppm"
# One run: ImageMagick's mean statistic takes about a minute here.
start=$(date +%s%N)
"$convert" "$work/in.ppm" -statistic Mean 10x10 "$work/out.ppm"
end=$(date +%s%N)
echo "ImageMagick -statistic Mean 10x10: $(( (end - start) / 1000000 )) ms (includes reading and writing PPM)"
"$build/bin/ipl_bench" --benchmark_filter=BoxBlur --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
