#!/bin/sh
# Regenerates the fixtures of the PICT, IFF-85, SGI and PSD decoders and their reference
# decodes (ImageMagick 6, netpbm). Each picture X has X.rgba: 8-bit RGBA, rows from the top.
# IFF-85 files are written by ppmtoilbm and read back by ilbmtoppm.
set -e
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
convert -size 13x7 xc:black -channel R -fx "i/w" -channel G -fx "j/h" -channel B -fx "(i*j)/(w*h)" +channel -depth 8 "$tmp/src.ppm"
convert "$tmp/src.ppm" \( -size 13x7 gradient:white-black \) -alpha off -compose copy_opacity -composite "$tmp/srca.png"
convert "$tmp/src.ppm" -colors 16 "$tmp/p16.ppm"
convert -size 40x24 xc:black -channel R -fx "i/w" -channel G -fx "j/h" -channel B -fx "abs(sin(i/3))" +channel -depth 8 "$tmp/jsrc.ppm"

convert "$tmp/src.ppm" pict:direct.pict
convert "$tmp/srca.png" pict:alpha.pict
convert "$tmp/src.ppm" -colors 16 -type palette pict:palette.pict
convert "$tmp/jsrc.ppm" -compress JPEG -quality 90 pict:jpeg.pict

convert "$tmp/src.ppm" -compress None sgi:rgb.sgi
convert "$tmp/srca.png" -compress None sgi:rgba.sgi
convert "$tmp/src.ppm" -colorspace gray -compress None sgi:grey.sgi
convert "$tmp/src.ppm" -depth 16 -compress None sgi:rgb16.sgi

convert "$tmp/src.ppm" -compress None psd:rgb.psd
convert "$tmp/src.ppm" -compress RLE psd:rle.psd
convert "$tmp/srca.png" -compress RLE psd:rgba.psd
convert "$tmp/src.ppm" -colorspace gray -compress RLE psd:grey.psd
convert "$tmp/src.ppm" -colors 16 -type palette -compress None psd:indexed.psd
convert "$tmp/src.ppm" -depth 16 -compress RLE psd:rgb16.psd
convert "$tmp/src.ppm" -density 72 -units PixelsPerInch -compress RLE psd:density.psd
# ImageMagick lists a document's merged image first, then its layers. It cannot read its
# own indexed documents back and takes a merged image with alpha as blended with white,
# so those two are compared with the pictures they were made from.
for f in *.pict *.sgi; do convert "$f" -depth 8 "rgba:$f.rgba"; done
for f in *.psd; do convert "$f[0]" -depth 8 "rgba:$f.rgba"; done 2>/dev/null || true
convert "$tmp/p16.ppm" -depth 8 rgba:indexed.psd.rgba
convert "$tmp/srca.png" -depth 8 rgba:rgba.psd.rgba

ppmtoilbm "$tmp/p16.ppm" > palette.iff
ppmtoilbm -nocompress "$tmp/p16.ppm" > raw.iff
ppmtoilbm -ham6 "$tmp/src.ppm" > ham6.iff
ppmtoilbm -ham8 "$tmp/src.ppm" > ham8.iff
ppmtoilbm -24force "$tmp/src.ppm" > deep.iff
convert -size 13x7 xc:white -fill black -draw "rectangle 3,2 8,5" "$tmp/mask.pbm"
ppmtoilbm -mmethod maskplane -maskfile "$tmp/mask.pbm" "$tmp/p16.ppm" > maskplane.iff
first=$(convert "$tmp/p16.ppm" -format "rgb:%[hex:u.p{0,0}]" info: | sed 's/^rgb:\(..\)\(..\)\(..\).*/rgb:\1\/\2\/\3/')
ppmtoilbm -mmethod transparentcolor -transparent "$first" "$tmp/p16.ppm" > transparent.iff
# The mask plane is not a picture's alpha; the transparent colour is.
for f in *.iff; do ilbmtoppm "$f" | convert - -depth 8 "rgba:$f.rgba"; done
ilbmtoppm -maskfile "$tmp/m.pbm" transparent.iff |
  convert - \( "$tmp/m.pbm" -negate \) -alpha off -compose copy_opacity -composite -depth 8 rgba:transparent.iff.rgba
