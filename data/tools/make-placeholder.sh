#!/bin/sh
# Draws EMPTY.BMP, the picture shown in every empty album position: a light,
# neutral card with a soft dashed inset frame and a faint picture glyph
# (frame, hills and sun) in the middle. Low contrast on purpose, so an empty
# position reads as "nothing here yet" next to real photographs, both as a
# 150-pixel thumbnail and when shown large.
#
# Usage: make-placeholder.sh [OUTPUT_FILE]     (default: ../EMPTY.BMP)
#
# Output: 300 x 300, 24 bits per pixel, uncompressed Windows bitmap
# (BITMAPINFOHEADER, no alpha channel, no palette), which every reader of
# album pictures understands.
set -eu

OUT=${1:-$(dirname "$0")/../EMPTY.BMP}
if command -v magick >/dev/null 2>&1; then IM="magick"; else IM="convert"; fi

SIZE=300
CARD_TOP="#f2f0ec"      # card, top of the soft gradient
CARD_BOTTOM="#e4e1db"   # card, bottom of the gradient
FRAME="#c4beb4"         # dashed inset frame
GLYPH="#bbb5aa"         # outline of the picture glyph
GLYPH_FILL="#cdc8bf"    # hills and sun
HILITE="#faf9f7"        # one-pixel highlight that makes the frame look inset

$IM -size "${SIZE}x${SIZE}" "gradient:${CARD_TOP}-${CARD_BOTTOM}" \
    -fill none -stroke "$HILITE" -strokewidth 2 \
    -draw "roundrectangle 21,21 281,281 14,14" \
    -stroke "$FRAME" -strokewidth 4 -draw "stroke-dasharray 16 10 roundrectangle 19,19 279,279 14,14" \
    -stroke none -fill "$GLYPH_FILL" \
    -draw "circle 182,130 182,143" \
    -draw "polygon 104,190 136,146 156,170 170,156 196,190" \
    -fill none -stroke "$GLYPH" -strokewidth 7 -draw "roundrectangle 96,104 204,196 10,10" \
    -alpha off -type TrueColor -define bmp:format=bmp3 "BMP3:$OUT"

identify -format '%f %wx%h %[type] %b\n' "$OUT"
