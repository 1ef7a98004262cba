#!/bin/sh
# Rebuilds the six demo pictures P1I0.jpg ... P1I5.jpg of the "Demo Album".
#
# Sources (see ../pictures-CREDITS.txt for authors and licences):
#   - the sample photographs of Debian's python3-skimage package (0.19.3-8):
#       apt-get download python3-skimage && dpkg-deb -x python3-skimage_*.deb skimage
#     then pass skimage/usr/lib/python3/dist-packages/skimage/data as SKIMAGE_DATA;
#   - tower.jpg, the Eiffel Tower photograph from the jpeg-decoder repository.
#
# Usage: make-demo-pictures.sh SKIMAGE_DATA TOWER_JPG [OUTPUT_DIR]
#
# Every picture ends up as a baseline sRGB JPEG, quality 88, 4:2:0, with all
# metadata (EXIF, ICC, comments) stripped, so no orientation tag is left and
# the long side is between 640 and 1600 pixels.
set -eu

if [ $# -lt 2 ]; then
    echo "usage: $0 SKIMAGE_DATA TOWER_JPG [OUTPUT_DIR]" >&2
    exit 2
fi
SK=$1
TOWER=$2
OUT=${3:-$(dirname "$0")/..}

if command -v magick >/dev/null 2>&1; then IM="magick"; else IM="convert"; fi

# An sRGB profile lets lcms turn a picture tagged Adobe RGB into sRGB before
# the profile is stripped; without one the pixels are taken as they are.
SRGB=""
for p in /usr/share/color/icc/ghostscript/srgb.icc /usr/share/color/icc/sRGB.icc; do
    if [ -f "$p" ]; then SRGB=$p; break; fi
done
to_srgb() {
    if [ -n "$SRGB" ]; then echo "-profile $SRGB"; fi
}

# Common output settings: sRGB, no metadata, baseline (not progressive).
finish() {
    # $1 = output file; the image operations come before in the pipeline
    $IM - -colorspace sRGB -strip -units PixelsPerInch -density 72 -interlace none -sampling-factor 2x2,1x1,1x1 \
        -quality 88 "jpeg:$1"
}

# P1I0: Eiffel Tower, upright: 3:4 crop around the tower, enlarged 1.25x.
$IM "$TOWER" -auto-orient $(to_srgb) -crop 384x512+64+0 +repage \
    -filter Lanczos -resize 480x640 -unsharp 0x0.8+0.4+0.01 png:- | finish "$OUT/P1I0.jpg"

# P1I1: espresso cup on a wooden table, wide: 600x400 -> 660x440.
$IM "$SK/coffee.png" $(to_srgb) -filter Lanczos -resize 660x440 png:- | finish "$OUT/P1I1.jpg"

# P1I2: astronaut Eileen Collins, square: 512x512 -> 640x640.
$IM "$SK/astronaut.png" $(to_srgb) -filter Lanczos -resize 640x640 \
    -unsharp 0x0.8+0.4+0.01 png:- | finish "$OUT/P1I2.jpg"

# P1I3: Chelsea the cat, wide: 451x300 -> 676x450 (1.5x).
$IM "$SK/chelsea.png" $(to_srgb) -filter Lanczos -resize 676x450 \
    -unsharp 0x0.8+0.4+0.01 png:- | finish "$OUT/P1I3.jpg"

# P1I4: Falcon 9 on the launch pad at dusk, upright: 3:4 crop of the middle
# of the frame (rocket and its two lightning towers), enlarged 1.5x.
$IM "$SK/rocket.jpg" $(to_srgb) -crop 320x427+160+0 +repage \
    -filter Lanczos -resize 480x640 -unsharp 0x0.8+0.4+0.01 png:- | finish "$OUT/P1I4.jpg"

# P1I5: Hubble eXtreme Deep Field, wide: kept at 1000x872.
$IM "$SK/hubble_deep_field.jpg" $(to_srgb) png:- | finish "$OUT/P1I5.jpg"

for f in "$OUT"/P1I?.jpg; do
    identify -format '%f %wx%h %b\n' "$f"
done
