#!/bin/sh
# Regenerates the Exif fixtures (ImageMagick, exiftool): one tiny JPEG with the same
# tags written little-endian and big-endian, and one whose Exif block is followed by
# an XMP block in a second APP1 marker.
set -e
cd "$(dirname "$0")"
args=$(mktemp)
trap 'rm -f "$args"' EXIT
cat >"$args" <<'TAGS'
-Make=Canon
-Model=Canon PowerShot S40
-Software=Vantrel 1.0
-Orientation#=6
-XResolution=180
-YResolution=180
-ResolutionUnit=inches
-ExposureTime=1/250
-FNumber=2.8
-ExposureProgram#=2
-ISO=200
-DateTimeOriginal=2024:05:06 07:08:09
-ShutterSpeedValue=1/125
-ApertureValue=2.8
-ExposureCompensation=-2/3
-MeteringMode#=5
-ExifIFD:Flash#=16
-FocalLength=7.0
-ColorSpace#=65535
-FocalPlaneResolutionUnit#=2
-UserComment=A tiny test picture
-LightSource#=99
TAGS
for order in II MM; do
    convert -size 16x8 gradient:red-blue -quality 90 "exif-$order.jpg"
    exiftool -q -overwrite_original -ExifByteOrder=$order -@ "$args" "exif-$order.jpg"
done
cp exif-II.jpg exif-xmp.jpg
exiftool -q -overwrite_original "-XMP-dc:Title=Later block" -XMP-dc:Creator=Vantrel exif-xmp.jpg
