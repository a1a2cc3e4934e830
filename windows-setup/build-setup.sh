#!/usr/bin/env bash
# Builds the Windows setup program from the two libraries and the factory presets:
#   build-setup.sh VERSION LIBRARY32 LIBRARY64 PRESET_FOLDER OUTFILE
# VERSION has four numbers (1.0.0.1). Needs makensis (scripts/setup-debian windows).
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
[ $# -eq 5 ] || { echo "usage: build-setup.sh VERSION LIBRARY32 LIBRARY64 PRESET_FOLDER OUTFILE" >&2; exit 2; }
version=$1 library32=$(realpath "$2") library64=$(realpath "$3") presets=$(realpath "$4")
outfile=$(realpath -m "$5")
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+$ ]] ||
    { echo "build-setup.sh: the version must have four numbers, not '$version'" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The texts in Windows' line ends, for Notepad.
sed 's/$/\r/' "$root/LICENSE" >"$work/LICENSE.txt"
sed "s/@VERSION@/$version/g; s/\$/\r/" "$here/readme.txt" >"$work/README.txt"

# The presets by name, in a fixed order: installed one by one and removed by the same
# names, so that the uninstaller never touches a preset the user saved beside them.
mapfile -t names < <(cd "$presets" && LC_ALL=C ls -- *.vstpreset)
[ ${#names[@]} -gt 0 ] || { echo "build-setup.sh: no .vstpreset in $presets" >&2; exit 1; }
{
    echo '!macro InstallPresets'
    for name in "${names[@]}"; do
        [[ $name != *[\$\"\`]* ]] || { echo "build-setup.sh: cannot name '$name' in NSIS" >&2; exit 1; }
        echo "    File \"$presets/$name\""
    done
    echo '!macroend'
    echo '!macro RemovePresets FOLDER'
    for name in "${names[@]}"; do
        echo "    Delete \"\${FOLDER}\\$name\""
    done
    echo '!macroend'
} >"$work/presets.nsh"

makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DLIBRARY32="$library32" \
    -DLIBRARY64="$library64" -DLICENSE="$work/LICENSE.txt" -DREADME="$work/README.txt" \
    -DPRESETS_NSH="$work/presets.nsh" -DOUTFILE="$outfile" "$here/brumvale.nsi"
