#!/bin/sh
# Regenerates the decoder fixtures and their reference decodes (ImageMagick 6,
# libjpeg-turbo-progs). Each picture X has X.rgba (8-bit RGBA, rows from the top)
# or, for JPEG, X.pnm from djpeg with the decoder's settings.
set -e
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
convert -size 13x7 xc:black -channel R -fx "i/w" -channel G -fx "j/h" -channel B -fx "(i*j)/(w*h)" +channel -depth 8 "$tmp/src.png"
convert "$tmp/src.png" \( -size 13x7 gradient:white-black \) -alpha off -compose copy_opacity -composite "$tmp/srca.png"
convert -size 40x24 xc:black -channel R -fx "i/w" -channel G -fx "j/h" -channel B -fx "abs(sin(i/3))" +channel -depth 8 "$tmp/jsrc.ppm"

convert "$tmp/src.png" -colors 2 -type palette BMP3:bmp1.bmp
convert "$tmp/src.png" -colors 16 -type palette BMP3:bmp4.bmp
convert "$tmp/src.png" -colors 60 -type palette -compress None BMP3:bmp8.bmp
convert "$tmp/src.png" -colors 60 -type palette -compress RLE BMP3:rle8.bmp
convert "$tmp/src.png" -colors 60 -type palette BMP2:os2.bmp
convert "$tmp/src.png" -type truecolor -define bmp:subtype=RGB555 BMP:bmp555.bmp
convert "$tmp/src.png" -type truecolor -define bmp:subtype=RGB565 BMP:bmp565.bmp
convert "$tmp/src.png" -type truecolor BMP3:bmp24.bmp
convert "$tmp/srca.png" -define bmp3:alpha=true BMP3:bmp32.bmp
convert "$tmp/srca.png" BMP:bmpv5.bmp

convert "$tmp/src.png" -colorspace gray -define png:color-type=0 -define png:bit-depth=1 -threshold 50% grey1.png
convert "$tmp/src.png" -colorspace gray -define png:color-type=0 -define png:bit-depth=2 -depth 2 grey2.png
convert "$tmp/src.png" -colorspace gray -depth 16 -define png:color-type=0 -define png:bit-depth=16 grey16.png
convert "$tmp/src.png" -define png:color-type=2 rgb8.png
convert "$tmp/src.png" -depth 16 -define png:color-type=2 -define png:bit-depth=16 rgb16.png
convert "$tmp/srca.png" -colorspace gray -define png:color-type=4 greyalpha.png
convert "$tmp/src.png" -colors 16 -define png:color-type=3 palette16.png
convert "$tmp/srca.png" -define png:color-type=6 rgba.png
convert "$tmp/src.png" -define png:color-type=2 -interlace PNG interlaced.png
convert "$tmp/src.png" -define png:color-type=2 -density 96 -units PixelsPerInch phys.png
for f in *.bmp *.png; do convert "$f" -depth 8 "rgba:$f.rgba"; done

cjpeg -quality 90 "$tmp/jsrc.ppm" > colour.jpg
cjpeg -quality 90 -grayscale "$tmp/jsrc.ppm" > grey.jpg
cjpeg -quality 90 -progressive "$tmp/jsrc.ppm" > progressive.jpg
convert "$tmp/jsrc.ppm" -quality 90 -density 100 -units PixelsPerCentimeter density.jpg
for f in *.jpg; do djpeg -dct float -nosmooth -pnm "$f" > "$f.pnm"; done
