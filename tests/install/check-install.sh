#!/usr/bin/env bash
# Installs KoLumbra from a build folder into a temporary prefix, as
# `cmake --install build --prefix P` does for a user, and checks what a
# desktop finds there: every file where freedesktop desktops look for it and
# nothing else, a desktop file and metainfo their validators accept, the icon
# in the hicolor theme at the sizes it names, and a program that starts from
# P/bin and finds its delivered files in P/share/kolumbra.
#
# Usage: check-install.sh BUILD_DIR APP_ID
set -euo pipefail

build=$1
id=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
pid=
cleanup() {
    [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

echo "== installed files"
diff -u "$here/expected-files.txt" <(cd "$prefix" && find . \( -type f -o -type l \) | sed 's|^\./||' | LC_ALL=C sort) ||
    fail "the installed files are not the expected ones (- expected, + installed)"
[ -x "$prefix/bin/kolumbra" ] || fail "bin/kolumbra is not executable"

echo "== desktop file"
desktop=$prefix/share/applications/$id.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate refuses $id.desktop"
for line in "Name=KoLumbra" "GenericName=Photo Album" "Exec=kolumbra" "Icon=$id" \
    "Categories=Graphics;Photography;Viewer;"; do
    grep -qxF "$line" "$desktop" || fail "$id.desktop lacks the line $line"
done

echo "== metainfo"
metainfo=$prefix/share/metainfo/$id.metainfo.xml
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli refuses $id.metainfo.xml"
for element in "<id>$id</id>" "<launchable type=\"desktop-id\">$id.desktop</launchable>" \
    "<project_license>GPL-3.0-or-later</project_license>" "<binary>kolumbra</binary>"; do
    grep -qF "$element" "$metainfo" || fail "$id.metainfo.xml lacks $element"
done

echo "== icons"
for size in 16 22 24 32 48 64 128 256; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
    file -b "$png" | grep -q "^PNG image data, $size x $size," || fail "$png is not a $size-pixel PNG: $(file -b "$png")"
done
grep -q "<svg" "$prefix/share/icons/hicolor/scalable/apps/$id.svg" || fail "the scalable icon is not SVG"

echo "== the installed program"
"$prefix/bin/kolumbra" --version | grep -q "^KoLumbra [0-9]" || fail "kolumbra --version answers otherwise"
# A user with nothing yet: the program folder is the per-user data folder,
# filled from share/kolumbra on the first start.
home=$work/home
mkdir -p "$home"
HOME=$home XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config XDG_CACHE_HOME=$home/cache \
    "$prefix/bin/kolumbra" >"$work/kolumbra.log" 2>&1 &
pid=$!
folder=$home/data/KoLumbra
for _ in $(seq 200); do
    [ -f "$folder/Demo Album/P1I5.jpg" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
sleep 1
kill -0 "$pid" 2>/dev/null || { cat "$work/kolumbra.log" >&2; fail "kolumbra stopped after starting"; }
for f in EMPTY.BMP KoLumbraHelp.html P1I0.jpg P1I5.jpg; do
    cmp -s "$prefix/share/kolumbra/$f" "$folder/$f" || fail "$f did not reach the program folder $folder"
done
cmp -s "$prefix/share/kolumbra/P1I3.jpg" "$folder/Demo Album/P1I3.jpg" || fail "the demo album was not made"
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=

echo "install_layout: all checks passed"
