#!/bin/sh
# Renders the program's icon, drawn as icons/io.github.kolumbra.KoLumbra.svg,
# to the PNG sizes a desktop's icon theme looks up before it falls back to the
# scalable one: icons/<N>x<N>/io.github.kolumbra.KoLumbra.png. The same PNGs
# are built into the program as its window icon.
#
# Usage: make-icons.sh     (needs vips, from libvips-tools, built with librsvg)
set -eu

DIR=$(dirname "$0")/../icons
NAME=io.github.kolumbra.KoLumbra

for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "$DIR/${size}x${size}"
    # The drawing is 128 units wide; scale is the factor that gives `size` pixels.
    scale=$(awk "BEGIN { print $size / 128 }")
    vips svgload "$DIR/$NAME.svg" "$DIR/${size}x${size}/$NAME.png[strip]" --scale "$scale"
    vipsheader "$DIR/${size}x${size}/$NAME.png"
done
