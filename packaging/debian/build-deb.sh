#!/usr/bin/env bash
# Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
# Builds the Debian package brumvale_<version>_<arch>.deb from a built Linux tree.
# cmake --install lays the files out under /usr in a staging root, exactly as a
# build from source installs them; this adds what Debian asks of a package (the
# copyright file, the changelog, a compressed manual page, stripped binaries, the
# control file with the dependencies dpkg-shlibdeps finds in the binaries) and
# packs it with dpkg-deb. Needs dpkg-dev; prints the package's path.
#   packaging/debian/build-deb.sh BUILD_DIR OUT_DIR
set -euo pipefail
die() {
    echo "build-deb.sh: $*" >&2
    exit 1
}
[ $# -eq 2 ] || die "usage: build-deb.sh BUILD_DIR OUT_DIR"
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(realpath "$1")
out=$(realpath -m "$2")
version=$(sed -n 's/^#define BRUMVALE_VERSION_TEXT "\(.*\)"$/\1/p' "$build/generated/brumvaleversion.h")
[ -n "$version" ] || die "no version in $build (is it a configured build tree?)"
logged=$(dpkg-parsechangelog -l "$here/changelog" -S Version)
[ "$logged" = "$version" ] ||
    die "the changelog's newest entry is for $logged, the project is $version: add an entry"
arch=$(dpkg --print-architecture)
# Every file dated by the changelog's newest entry, so that the same tree makes
# the same package.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(dpkg-parsechangelog -l "$here/changelog" -S Timestamp)}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The staging root where dpkg-shlibdeps expects a package's files, in a source
# tree whose debian/control names the package.
root=$work/source/debian/brumvale
mkdir -p "$root"
printf 'Source: brumvale\n\nPackage: brumvale\nArchitecture: any\n' >"$work/source/debian/control"
DESTDIR=$root cmake --install "$build" --prefix /usr >"$work/install.log" ||
    { cat "$work/install.log" >&2; die "cmake --install failed"; }
for path in usr/bin/brumvale usr/lib/vst3/Brumvale.vst3 usr/lib/lv2/Brumvale.lv2/manifest.ttl \
    usr/share/vst3/presets/Kelmarotte/Brumvale usr/share/man/man1/brumvale.1; do
    [ -e "$root/$path" ] || die "cmake --install did not lay out /$path (install folders changed?)"
done

doc=$root/usr/share/doc/brumvale
install -D -m 644 "$here/copyright" "$doc/copyright"
gzip -9n -c "$here/changelog" >"$doc/changelog.gz"
gzip -9n "$root/usr/share/man/man1/brumvale.1"

# Debian's modes, and binaries without symbols or build notes, as dh_strip leaves them.
find "$root" -type d -exec chmod 755 {} +
find "$root" -type f -exec chmod 644 {} +
chmod 755 "$root/usr/bin/brumvale"
mapfile -t libraries < <(find "$root" -type f -name '*.so' | sort)
strip --remove-section=.comment --remove-section=.note --strip-unneeded "${libraries[@]}"
strip --remove-section=.comment --remove-section=.note "$root/usr/bin/brumvale"
binaries=("$root/usr/bin/brumvale" "${libraries[@]}")
# DEBIAN marks the package's root for dpkg-shlibdeps.
mkdir "$root/DEBIAN"

depends=$(cd "$work/source" && dpkg-shlibdeps -O "${binaries[@]#"$work/source/"}" |
    sed -n 's/^shlibs:Depends=//p')
[ -n "$depends" ] || die "dpkg-shlibdeps found no dependencies"

(cd "$root" && find usr -type f -print0 | sort -z | xargs -0 md5sum) >"$root/DEBIAN/md5sums"
cat >"$root/DEBIAN/control" <<CONTROL
Package: brumvale
Version: $version
Architecture: $arch
Maintainer: Kelmarotte <brumvale@kelmarotte.example>
Installed-Size: $(du -sk --exclude=DEBIAN "$root" | cut -f1)
Depends: $depends
Suggests: jackd2 | pipewire-jack
Section: sound
Priority: optional
Homepage: https://kelmarotte.example/brumvale
Description: octave-fuzz audio effect as VST 3 and LV2 plug-ins
 Brumvale boosts its input, clips it with an asymmetric soft clipper and folds
 it with a soft rectifier, which doubles the pitch: the octave-up fuzz of the
 classic pedals. Its HiFi switch runs the shaping oversampled between elliptic
 filters; Warmth, Boost and Volume shape the rest, on a small bitmap panel.
 .
 This package holds the plug-in for VST 3 hosts and for LV2 hosts, each with
 its panel, ten factory presets, and brumvale, a command-line host that
 renders audio files through the plug-in, plays it live between JACK ports
 and lists its presets.
CONTROL
find "$root" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +

mkdir -p "$out"
package=$out/brumvale_${version}_$arch.deb
dpkg-deb --root-owner-group -Zxz --build "$root" "$package" >/dev/null
echo "$package"
