#!/usr/bin/env bash
# Makes the Debian packages from a build folder with cpack, unpacks them into a temporary
# root (nothing is installed) and checks them: their fields and files, the program playing
# from an unrelated folder, the pkg-config route of lumabase-dev, and lintian.
set -euo pipefail
build_dir=$(cd "$1" && pwd)
examples_dir=$(cd "$(dirname "$0")/../../examples" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "$*" >&2; exit 1; }

cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$work/packages" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack failed"; }
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build_dir/CPackConfig.cmake")
program=$(echo "$work/packages/glimmerfall_${version}_"*.deb)
dev=$(echo "$work/packages/lumabase-dev_${version}_"*.deb)
[ -f "$program" ] && [ -f "$dev" ] || { ls "$work/packages"; fail "cpack made other packages"; }

# Fields: the system libraries come from dpkg-shlibdeps, the rest is ours.
has_package() {
  sed 's/ ([^)]*)//g; s/, */\n/g' <<<"$1" | grep -qxF -- "$2" || fail "$3 lacks $2: $1"
}
depends=$(dpkg-deb -f "$program" Depends)
for package in fonts-liberation2 libsdl2-2.0-0 libfreetype6 libfontconfig1 zlib1g libstdc++6; do
  has_package "$depends" "$package" "glimmerfall's Depends"
done
has_package "$(dpkg-deb -f "$program" Recommends)" ffmpeg "glimmerfall's Recommends"
[ "$(dpkg-deb -f "$dev" Depends)" = "glimmerfall (= $version)" ] ||
  fail "lumabase-dev depends on: $(dpkg-deb -f "$dev" Depends)"

root=$work/root
dpkg-deb -x "$program" "$root"
dpkg-deb -x "$dev" "$root"
for file in usr/bin/glimmerfall usr/lib/glimmerfall/libLumaBase.so.0 \
            usr/lib/glimmerfall/libLumaPlatform.so.0 usr/share/glimmerfall/Media/Glimmerfall.mod \
            usr/share/glimmerfall/Media/Elle.tga usr/share/glimmerfall/Media/bumpmap.raw \
            usr/share/applications/glimmerfall.desktop usr/share/man/man6/glimmerfall.6.gz \
            usr/share/doc/glimmerfall/copyright usr/share/doc/lumabase-dev/copyright \
            usr/include/LumaBase/TLumaBase.h usr/lib/cmake/LumaBase/LumaBaseConfig.cmake; do
  [ -e "$root/$file" ] || fail "not packaged: $file"
done
[ "$(dpkg-deb -c "$program" | grep -c '\.so')" = 4 ] || fail "glimmerfall should hold 2 libraries"

desktop-file-validate "$root/usr/share/applications/glimmerfall.desktop" ||
  fail "the desktop entry is not valid"
grep -qx 'Exec=glimmerfall' "$root/usr/share/applications/glimmerfall.desktop" ||
  fail "the desktop entry does not start glimmerfall"
for size in 64 128 256; do
  icon=$root/usr/share/icons/hicolor/${size}x${size}/apps/glimmerfall.png
  [ "$(identify -format '%m %wx%h' "$icon")" = "PNG ${size}x${size}" ] ||
    fail "icon $size: $(identify "$icon" 2>&1)"
  # A picture with rounded corners: transparent corner, opaque middle, not black.
  [ "$(convert "$icon" -format '%[fx:p{0,0}.a] %[fx:p{w/2,h/2}.a]' info:)" = "0 1" ] ||
    fail "icon $size has no rounded corners"
  mean=$(convert "$icon" -alpha off -format '%[fx:mean]' info:)
  awk -v mean="$mean" 'BEGIN { exit !(mean > 0.1) }' || fail "icon $size is dark ($mean)"
done

# The manual page renders without warnings and names every option of --help.
manual=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/usr/share/man/man6/glimmerfall.6.gz" 2>"$work/man-warnings")
[ ! -s "$work/man-warnings" ] || { cat "$work/man-warnings"; fail "the manual page has warnings"; }
help=$(LUMA_BACKEND=headless "$root/usr/bin/glimmerfall" --help)
for option in $(grep -oE -- '--[a-z][a-z-]+' <<<"$help" | sort -u); do
  grep -qF -- "$option" <<<"$manual" || fail "the manual page lacks $option"
done
for name in LUMA_BACKEND LUMA_PIXEL_FORMAT Glimmerfall.log HKEY_CURRENT_USER.reg Alt+Enter; do
  grep -qF -- "$name" <<<"$manual" || fail "the manual page lacks $name"
done

# The unpacked program plays from an unrelated folder: it finds its libraries through its
# RUNPATH and its media beside itself, in ../share/glimmerfall.
"$(dirname "$0")/play-from-elsewhere.sh" "$root/usr/bin/glimmerfall" "$work/elsewhere"

# lumabase-dev's pkg-config files build the example effect against the unpacked root.
export PKG_CONFIG_PATH
PKG_CONFIG_PATH=$(dirname "$(find "$root" -name lumabase-main.pc)")
(cd "$examples_dir/circles" &&
   c++ circles.cpp resources.cpp $(pkg-config --cflags --libs lumabase-main) -o "$work/circles")
(cd "$work/elsewhere" && "$work/circles" --headless --stop-at 500)
grep -q "^Circles: 5[0-9][0-9] ms" "$work/elsewhere/Circles.log" || fail "circles did not run"

# lintian: errors fail (status 1), and so does lintian failing to run; warnings are shown.
status=0
lintian --no-cfg --allow-root "$program" "$dev" >"$work/lintian" 2>&1 || status=$?
cat "$work/lintian"
[ "$status" = 0 ] && ! grep -q '^E: ' "$work/lintian" || fail "lintian: status $status"
ls -l "$program" "$dev"
echo "Debian packages work"
