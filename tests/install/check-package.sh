#!/usr/bin/env bash
# Makes the Debian package with `cpack -G DEB` from a build folder and checks
# it: the same files as `cmake --install`, under /usr, owned by root, the
# program stripped, and the dependencies a Debian 12 desktop needs to run it.
#
# Usage: check-package.sh BUILD_DIR APP_ID
set -euo pipefail

build=$1
id=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1) ||
    { cat "$work/cpack.log" >&2; fail "cpack -G DEB failed"; }
debs=("$work"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single .deb: ${debs[*]}"
deb=${debs[0]}
echo "== $(basename "$deb")"
dpkg-deb -I "$deb" control

[ "$(dpkg-deb -f "$deb" Package)" = kolumbra ] || fail "the package is not called kolumbra"
[ "$(dpkg-deb -f "$deb" Architecture)" = "$(dpkg --print-architecture)" ] || fail "wrong architecture"

echo "== contents"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $2 }' | sort -u | grep -vx root/root && fail "files not owned by root"
diff -u <(sed 's|^|./usr/|' "$here/expected-files.txt") <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | LC_ALL=C sort) ||
    fail "the package holds other files than cmake --install (- expected, + packaged)"

dpkg-deb -x "$deb" "$work/root"
file -b "$work/root/usr/bin/kolumbra" | grep -q ', stripped' || fail "usr/bin/kolumbra is not stripped"

echo "== dependencies"
depends=$(dpkg-deb -f "$deb" Depends)
echo "$depends"
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libsqlite3-0 \
    qt6-image-formats-plugins; do
    echo "$depends" | tr ',' '\n' | grep -q "^ *$package\b" || fail "Depends lacks $package"
done

echo "debian_package: all checks passed"
