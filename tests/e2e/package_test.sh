#!/usr/bin/env bash
# The Debian package as a packager builds it, from a clean copy of the tree, with nocheck
# (the unit tests run in their own build): configuring looked for none of the tests' or
# the benchmarks' libraries, lintian finds nothing to warn of, the package holds every file
# where a desktop looks for it, and its own binary, unpacked, opens the window and sound.
. "$(dirname "$0")/lib.sh"
for tool in dpkg-buildpackage dh lintian; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed"; exit 77; }
done
top=$(cd "$(dirname "$0")/../.." && pwd)

deb=$(DEB_BUILD_OPTIONS=nocheck "$top/scripts/build-deb" "$WORK/deb") || fail "the package did not build"
version=$(sed -n 's/^project(Quickstack VERSION \([0-9.]*\).*/\1/p' "$top/CMakeLists.txt")
[ "$(basename "$deb")" = "quickstack_${version}_$(dpkg --print-architecture).deb" ] ||
    fail "the package is $(basename "$deb"), not of version $version"

cache=$(echo "$WORK"/deb/source/obj-*/CMakeCache.txt)
grep -q '^BUILD_TESTING:BOOL=OFF$' "$cache" || fail "the package was built with its tests under nocheck"
! grep -E '^(GTest|GMock|benchmark|Qt6Test)_DIR:' "$cache" ||
    fail "the game alone looked for the tests' or the benchmarks' libraries"

lintian --fail-on error,warning --info "$deb" || fail "lintian warns of the package"

contents=$(dpkg -c "$deb" | awk '{ print $6 }')
id=org.quickstack.Quickstack
while read -r path; do
    grep -qx "\./$path" <<<"$contents" || fail "the package lacks /$path"
done <<FILES
usr/games/quickstack
usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/quickstack/quickstack-output.so
usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/quickstack/quickstack-sound.so
usr/share/applications/$id.desktop
usr/share/metainfo/$id.metainfo.xml
usr/share/icons/hicolor/16x16/apps/$id.png
usr/share/icons/hicolor/32x32/apps/$id.png
usr/share/icons/hicolor/48x48/apps/$id.png
usr/share/icons/hicolor/64x64/apps/$id.png
usr/share/icons/hicolor/128x128/apps/$id.png
usr/share/icons/hicolor/256x256/apps/$id.png
usr/share/icons/hicolor/scalable/apps/$id.svg
usr/share/icons/hicolor/symbolic/apps/$id-symbolic.svg
usr/share/man/man6/quickstack.6.gz
usr/share/doc/quickstack/copyright
FILES

dpkg -x "$deb" "$WORK/root"
QUICKSTACK="$WORK/root/usr/games/quickstack"
start_display 1024x768
start_sound_server  # the package's own sound module must open on it
start_game_with_sound
read -r ox oy <<<"$(window_origin)"
shot
expect_window_facts "$ox" "$oy" 1
echo "package: ok ($(du -k "$deb" | cut -f1) kB)"
