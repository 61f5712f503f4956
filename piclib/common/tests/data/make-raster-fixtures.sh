#!/bin/sh
# Regenerates the TGA, TIFF, GIF, PCX, PGM and PPM fixtures and their reference
# decodes X.rgba (8-bit RGBA, rows from the top) with ImageMagick 6, netpbm,
# libtiff-tools and giflib-tools. Variants no tool writes are packed by hand.
set -e
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
convert -size 13x7 xc:black -channel R -fx "i/w" -channel G -fx "j/h" -channel B -fx "(i*j)/(w*h)" +channel -depth 8 "$tmp/src.png"
convert "$tmp/src.png" \( -size 13x7 gradient:white-black \) -alpha off -compose copy_opacity -composite "$tmp/srca.png"
convert "$tmp/src.png" -colorspace gray "$tmp/grey.png"

# TGA
convert "$tmp/src.png" -type truecolor -compress None tga24.tga
convert "$tmp/src.png" -type truecolor -compress RLE tgarle24.tga
convert "$tmp/src.png" -colors 60 -type palette -compress None tgamapped.tga
convert "$tmp/src.png" -colors 60 -type palette -compress RLE tgarlemapped.tga
convert "$tmp/grey.png" ppm:- | ppmtopgm | pamtotga -mono -norle > tgamono.tga
convert "$tmp/grey.png" ppm:- | ppmtopgm | pamtotga -mono > tgarlemono.tga
convert "$tmp/srca.png" -type truecolormatte -compress RLE tga32.tga
python3 - <<'PY'
import struct
data = open('tga24.tga', 'rb').read()
head, w, h = bytearray(data[:18]), 13, 7
rows = [data[18 + y * w * 3:18 + (y + 1) * w * 3] for y in range(h)]  # bottom row first
def pixels(row):
    return [row[3 * x:3 * x + 3] for x in range(w)]
def save(name, descriptor, stored):
    head[17] = descriptor
    open(name, 'wb').write(bytes(head) + b''.join(stored))
save('tgatopleft.tga', 0x20, rows[::-1])
save('tgabottomright.tga', 0x10, [b''.join(pixels(r)[::-1]) for r in rows])
save('tgatopright.tga', 0x30, [b''.join(pixels(r)[::-1]) for r in rows[::-1]])
# 16 bits with the attribute bit as alpha, and 16-bit indices into a colour map
def word(p, opaque):
    b, g, r = p[0] >> 3, p[1] >> 3, p[2] >> 3
    return struct.pack('<H', (0x8000 if opaque else 0) | r << 10 | g << 5 | b)
out = bytearray(struct.pack('<BBBHHBHHHHBB', 0, 0, 2, 0, 0, 0, 0, 0, w, h, 16, 0x21))
for y, r in enumerate(rows):
    out += b''.join(word(p, (x + y) % 3 != 0) for x, p in enumerate(pixels(r)))
open('tga16.tga', 'wb').write(out)
colours = sorted({bytes(p) for r in rows for p in pixels(r)})
out = bytearray(struct.pack('<BBBHHBHHHHBB', 0, 1, 1, 300, len(colours), 24, 0, 0, w, h, 16, 0x20))
out += b''.join(colours)
for r in rows[::-1]:
    out += b''.join(struct.pack('<H', 300 + colours.index(bytes(p))) for p in pixels(r))
open('tgamapped16.tga', 'wb').write(out)
PY

# TIFF
convert "$tmp/grey.png" -threshold 50% -depth 1 -compress none -define quantum:polarity=min-is-white tifbilevelwhite.tif
convert "$tmp/grey.png" -threshold 50% -depth 1 -compress none tifbilevelblack.tif
convert "$tmp/grey.png" -depth 4 -compress none tifgrey4.tif
convert "$tmp/src.png" -colors 60 -type palette -compress none tifpalette.tif
convert "$tmp/grey.png" -depth 8 -compress none "$tmp/grey8.tif"
tiffcp -t -w 16 -l 16 "$tmp/grey8.tif" tiftiled.tif
convert "$tmp/srca.png" -type truecolormatte -compress none tifrgba.tif
convert "$tmp/src.png" -type truecolor -compress LZW tiflzw.tif
convert "$tmp/src.png" -type truecolor -compress Zip tifdeflate.tif
convert "$tmp/src.png" -type truecolor -compress None "$tmp/rgb.tif"
tiffcp -c packbits "$tmp/rgb.tif" tifpackbits.tif
tiffcp -c jpeg:90 "$tmp/rgb.tif" tifjpeg.tif
tiffcp -p separate "$tmp/rgb.tif" tifplanar.tif
convert "$tmp/src.png" -type truecolor -depth 16 -compress None tif16.tif
convert "$tmp/src.png" -type truecolor -compress None -units PixelsPerCentimeter -density 118.11 tifcm.tif

# GIF
convert "$tmp/src.png" -colors 60 gifplain.gif
convert "$tmp/src.png" -colors 60 -interlace GIF gifinterlaced.gif
convert "$tmp/srca.png" -channel A -threshold 50% +channel -colors 30 giftransparent.gif
convert -delay 10 "$tmp/src.png" -colors 20 \( "$tmp/src.png" -negate -colors 20 \) gifanimated.gif
gifbuild -d gifplain.gif > "$tmp/plain.txt"
python3 - "$tmp/plain.txt" "$tmp/local.txt" <<'PY'
import sys
s = open(sys.argv[1]).read()
start = s.index('screen map'); end = s.index('end\n', start) + 4
entries = s[start + len('screen map\n'):end]
s = s[:start] + s[end:]
s = s.replace('image bits', 'image map\n' + entries + 'image bits', 1)
open(sys.argv[2], 'w').write(s)
PY
gifbuild "$tmp/local.txt" > giflocal.gif
printf '\000' | dd of=giflocal.gif bs=1 seek=10 conv=notrunc 2>/dev/null # no global map

# PCX
convert "$tmp/grey.png" -threshold 50% ppm:- | ppmtopcx > pcx1.pcx 2>/dev/null
convert "$tmp/src.png" -colors 16 ppm:- | ppmtopcx -packed > pcx4.pcx 2>/dev/null
convert "$tmp/src.png" -colors 4 ppm:- | ppmtopcx -packed > pcx2.pcx 2>/dev/null
convert "$tmp/src.png" -colors 16 ppm:- | ppmtopcx > pcxplanes4.pcx 2>/dev/null
convert "$tmp/src.png" -colors 8 ppm:- | ppmtopcx > pcxplanes3.pcx 2>/dev/null
convert "$tmp/src.png" -colors 60 ppm:- | ppmtopcx -8bit > pcx8.pcx 2>/dev/null
convert "$tmp/src.png" ppm:- | ppmtopcx -24bit > pcx24.pcx 2>/dev/null

# PGM and PPM
convert "$tmp/grey.png" -compress none pgm:pgmplain.pgm
convert "$tmp/grey.png" pgm:pgmraw.pgm
convert "$tmp/src.png" -compress none ppm:ppmplain.ppm
convert "$tmp/src.png" ppm:ppmraw.ppm
for max in 15 1000 65535; do
  pamdepth $max pgmraw.pgm > pgmraw$max.pgm 2>/dev/null
  pamdepth $max ppmraw.ppm > ppmraw$max.ppm 2>/dev/null
  pamdepth $max ppmraw.ppm 2>/dev/null | pnmtoplainpnm > ppmplain$max.ppm
  pamdepth $max pgmraw.pgm 2>/dev/null | pnmtoplainpnm > pgmplain$max.pgm
done

# ImageMagick keeps a TGA's stored line order unless asked to orient it.
for f in *.tga *.tif *.gif *.pcx *.pgm *.ppm; do convert "$f[0]" -auto-orient -depth 8 "rgba:$f.rgba"; done
# ImageMagick takes neither 16-bit indices nor this PCX's 1-bit palette; the map holds
# the colours of tga24.tga, and netpbm reads PCX as the format describes.
cp tga24.tga.rgba tgamapped16.tga.rgba
pcxtoppm pcx1.pcx | convert - -depth 8 rgba:pcx1.pcx.rgba
