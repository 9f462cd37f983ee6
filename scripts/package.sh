#!/usr/bin/env bash
# Builds the release tree and makes the Debian package from its install rules:
#   build-release/tapwrenz_<version>_<arch>.deb
# The version is the program's own (--version); the runtime dependencies are
# computed from the binary by dpkg-shlibdeps, and those of the libraries it
# loads by name are added from scripts/debian/loaded-depends.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out=$here/build-release
"$here/scripts/setup-debian.sh" package bench
cmake -S "$here" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAPWRENZ_BUILD_TESTS=OFF >/dev/null
cmake --build "$out" --parallel "$(nproc)" --target tapwrenz default_tones menu_icon

version=$("$out/bin/tapwrenz" --version | sed -n 's/^Tapwren v//p')
[ -n "$version" ] || { echo "package.sh: no version from the program" >&2; exit 1; }
arch=$(dpkg --print-architecture)
maintainer="Tapwren <tapwren@example.com>"

umask 022
stage=$out/package
rm -rf "$stage"
DESTDIR=$stage/root cmake --install "$out" --prefix /usr --strip >/dev/null
root=$stage/root
doc=$root/usr/share/doc/tapwrenz
mkdir -p "$doc" "$root/DEBIAN"
gzip -9n "$root/usr/share/man/man1/tapwrenz.1"
cp "$here/scripts/debian/copyright" "$doc/copyright"
# The changelog's date is the last commit's, so that the same source makes
# the same package.
date=$(git -C "$here" log -1 --format=%cD 2>/dev/null || date -R)
printf '%s\n' "tapwrenz ($version) unstable; urgency=medium" "" \
  "  * Installs as a Linux program: a menu entry with an icon, a manual page," \
  "    the settings in the user's config folder." "" \
  " -- $maintainer  $date" | gzip -9n >"$doc/changelog.gz"

# dpkg-shlibdeps reads the package's name from a control file of a source tree.
mkdir -p "$stage/src/debian"
printf 'Source: tapwrenz\n\nPackage: tapwrenz\nArchitecture: any\n' >"$stage/src/debian/control"
depends=$(cd "$stage/src" && dpkg-shlibdeps -O -e"$root/usr/bin/tapwrenz" 2>"$stage/shlibdeps.log" |
  sed -n 's/^shlibs:Depends=//p')
[ -n "$depends" ] || { cat "$stage/shlibdeps.log" >&2; exit 1; }
while read -r line; do
  depends+=", $line"
done < <(grep -v -e '^#' -e '^[[:space:]]*$' "$here/scripts/debian/loaded-depends")

cat >"$root/DEBIAN/control" <<CONTROL
Package: tapwrenz
Version: $version
Architecture: $arch
Maintainer: $maintainer
Installed-Size: $(du -sk --exclude=DEBIAN "$root" | cut -f1)
Depends: $depends
Recommends: fonts-liberation, xdg-utils, qt6-wayland
Section: hamradio
Priority: optional
Homepage: https://www.example.com/tapwren
Description: convert text to Morse code and back
 Tapwren turns text into Morse code and Morse code back into text, plays
 Morse code as sound, and lets you key Morse code in with the mouse, in four
 alphabets: English, European, Norwegian and Russian.
 .
 Started with options it is a command-line filter that converts standard
 input and renders Morse code as a WAV file.
CONTROL
(cd "$root" && find usr -type f -printf '%P\0' | LC_ALL=C sort -z |
  xargs -0 -I{} md5sum "usr/{}") >"$root/DEBIAN/md5sums"

deb=$out/tapwrenz_${version}_${arch}.deb
rm -f "$out"/tapwrenz_*.deb
dpkg-deb --root-owner-group -Zxz --build "$root" "$deb" >/dev/null
echo "$deb"
