#!/usr/bin/env bash
# Builds the Debian package BUILD/tilemarch_VERSION_ARCH.deb from what
#   make install PREFIX=/usr LAYOUT=games
# installs (the command in /usr/games, the data in /usr/share/games, as
# Debian's games policy asks), plus the documents Debian asks of every
# package. Dependencies are those dpkg-shlibdeps finds for the game's
# libraries. Usage: BUILD=DIR make-deb.sh
set -euo pipefail
# What the package installs is readable by everyone, whatever the builder's umask.
umask 022

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "${BUILD:-build}" && pwd)
# The package's settings as the build configured them, one NAME=VALUE a line.
version='' release_date='' homepage='' maintainer=''
while IFS='=' read -r name value; do
  case "$name" in
  version | release_date | homepage | maintainer) printf -v "$name" '%s' "$value" ;;
  esac
done <"$build/package/package.settings"
if [ -z "$version" ] || [ -z "$maintainer" ]; then
  echo "make-deb: no package settings in $build/package (run make first)" >&2
  exit 1
fi
arch=$(dpkg --print-architecture)
deb=$build/tilemarch_${version}_${arch}.deb

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$work/root
BUILD=$build PREFIX=/usr LAYOUT=games DESTDIR=$root bash "$here/../install.sh" install >/dev/null
# dpkg keeps the list of installed files; the install script's own list would
# let `make uninstall` take files away from under the package manager.
rm "$root/usr/lib/tilemarch/install-manifest"
strip --strip-unneeded --remove-section=.comment --remove-section=.note "$root/usr/lib/tilemarch/tilemarch"

doc=$root/usr/share/doc/tilemarch
mkdir -p "$doc"
install -m 644 "$here/copyright" "$doc/copyright"
{
  printf 'tilemarch (%s) unstable; urgency=medium\n\n  * Release %s.\n\n' "$version" "$version"
  printf ' -- %s  %s\n' "$maintainer" "$(LC_ALL=C date -u -R -d "$release_date")"
} | gzip -9n >"$doc/changelog.gz"
chmod 644 "$doc/changelog.gz"

# dpkg-shlibdeps wants to run in a source tree that has a control file.
mkdir -p "$work/debian" "$root/DEBIAN"
printf 'Source: tilemarch\n\nPackage: tilemarch\nArchitecture: any\n' >"$work/debian/control"
depends=$(cd "$work" && dpkg-shlibdeps -O -e"$root/usr/lib/tilemarch/tilemarch" 2>/dev/null |
  sed -n 's/^shlibs:Depends=//p')
[ -n "$depends" ] || {
  echo "make-deb: dpkg-shlibdeps found no libraries for the game" >&2
  exit 1
}

cat >"$root/DEBIAN/control" <<CONTROL
Package: tilemarch
Version: $version
Architecture: $arch
Maintainer: $maintainer
Installed-Size: $(du -sk --exclude=DEBIAN "$root" | cut -f1)
Depends: $depends
Section: games
Priority: optional
Homepage: $homepage
Description: nonogram puzzle game with 224 pictures on a map
 Tilemarch is an 8 x 8 nonogram game: the numbers beside each row and
 column are the lengths of the runs of black tiles in that line, and the
 player fills tiles until the board shows the hidden picture before a
 two-minute timer runs out.
 .
 The puzzles sit on a 15 x 15 map that opens outward from a how-to-play
 tutorial. Scores, badges and options are kept between runs. It is played
 with the mouse, the keyboard, game pads or an iCade arcade cabinet.
CONTROL
(cd "$root" && find usr -type f | sort | xargs -d '\n' md5sum >DEBIAN/md5sums)
chmod 644 "$root/DEBIAN/control" "$root/DEBIAN/md5sums"

# The pictures and sounds are compressed already: xz would take ten times
# longer than gzip for a tenth less size.
dpkg-deb --root-owner-group -Zgzip --build "$root" "$deb" >/dev/null
echo "$deb"
