#!/usr/bin/env bash
# The Debian package as users and Debian's tools see it: its name and control
# fields, dependencies on the libraries the binaries link (libjack among them),
# the same files in the same places as cmake --install puts them, lintian with
# neither error nor warning, and, unpacked into a folder of its own, a brumvale
# that finds the unpacked bundle and presets and renders from anywhere.
# A package for another processor (arm64 on an amd64 machine) runs under qemu-user.
# With BRUMVALE_THROWAWAY_MACHINE=1, as root, the machine's own is also installed
# for real with apt-get and removed again, which must leave behind no file it brought.
#   tests/package/check-deb.sh DEB BUILD_DIR ARCHITECTURE   (amd64 or arm64; BUILD_DIR
#                                                           a tree built for it)
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: check-deb.sh DEB BUILD_DIR ARCHITECTURE" >&2; exit 2; }
deb=$(realpath "$1") build=$(realpath "$2") arch=$3
case $arch in
amd64) processor=x86_64 ;;
arm64) processor=aarch64 ;;
*) echo "check-deb: no package for $arch" >&2; exit 2 ;;
esac
emulator=()
[ "$arch" = "$(dpkg --print-architecture)" ] || emulator=("qemu-$processor" -L /)
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
version=$(sed -n 's/^project(Brumvale VERSION \([0-9.]*\).*/\1/p' "$here/../../CMakeLists.txt")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() {
    echo "check-deb: $*" >&2
    failed=1
}

[ "$(basename "$deb")" = "brumvale_${version}_$arch.deb" ] || fail "the package is named $(basename "$deb")"
field() { dpkg-deb -f "$deb" "$1"; }
for expected in Package=brumvale Version="$version" Architecture="$arch" Section=sound \
    Priority=optional; do
    [ "$(field "${expected%%=*}")" = "${expected#*=}" ] ||
        fail "${expected%%=*} is '$(field "${expected%%=*}")', not '${expected#*=}'"
done
depends=$(field Depends)
names=$(tr ',|' '\n\n' <<<"$depends" | awk '{ print $1 }')
for library in libc6 libstdc++6 libcairo2 libx11-6 libsndfile1 libjack-jackd2-0; do
    grep -qxF "$library" <<<"$names" || fail "Depends lacks $library: $depends"
done

# The package's files are cmake --install's, its manual page compressed, with
# Debian's copyright and changelog beside them; all root's.
dpkg-deb -c "$deb" | grep -v ' root/root ' && fail "files not owned by root/root"
dpkg-deb --fsys-tarfile "$deb" | tar -t | sed -n 's|^\./|/|; /[^/]$/p' | sort >"$work/packaged"
DESTDIR=$work/installed cmake --install "$build" --prefix /usr >/dev/null
(cd "$work/installed" && find . -type f | sed 's/^\.//; s/\.1$/.1.gz/') >"$work/expected"
printf '%s\n' /usr/share/doc/brumvale/copyright /usr/share/doc/brumvale/changelog.gz \
    >>"$work/expected"
sort -o "$work/expected" "$work/expected"
diff "$work/expected" "$work/packaged" >&2 ||
    fail "the package's files (+) are not cmake --install's (-)"
presets=$(grep -c '^/usr/share/vst3/presets/Kelmarotte/Brumvale/.*\.vstpreset$' "$work/packaged" || true)
[ "$presets" = 10 ] || fail "$presets factory presets, not 10"
for file in /usr/bin/brumvale /usr/lib/vst3/Brumvale.vst3/Contents/$processor-linux/Brumvale.so \
    /usr/lib/lv2/Brumvale.lv2/manifest.ttl /usr/share/man/man1/brumvale.1.gz; do
    grep -qxF "$file" "$work/packaged" || fail "the package lacks $file"
done

lintian --fail-on error,warning "$deb" >"$work/lintian" 2>&1 || fail "lintian: $(cat "$work/lintian")"

# Unpacked, the program runs from its own place.
dpkg-deb -x "$deb" "$work/root"
zcat "$work/root/usr/share/man/man1/brumvale.1.gz" >"$work/manual"
for command in render info demo screenshot presets live; do
    grep -q "^$command " <<<"$("${emulator[@]}" "$work/root/usr/bin/brumvale" --help | sed 's/^  //')" ||
        fail "--help does not list $command"
    grep -q "^$command" "$work/manual" || fail "the manual page lacks the command $command"
done
grep -q '^\.SH "RENDER OPTIONS"' "$work/manual" || fail "the manual page lacks the render options"
"$here/../cli/installed-tool.sh" --prefix "$work/root/usr" "$version" "${emulator[@]}" || failed=1

if [ "${BRUMVALE_THROWAWAY_MACHINE:-}" = 1 ] && [ "$(id -u)" -eq 0 ] && [ ${#emulator[@]} -eq 0 ]; then
    "$here/system-install.sh" "$deb" "$version" || failed=1
fi
[ $failed = 0 ] && echo "check-deb: $(basename "$deb") ($(stat -c %s "$deb") bytes) holds what it should; lintian is content"
exit $failed
