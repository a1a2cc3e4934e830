#!/usr/bin/env bash
# What a Windows host sees of the library before loading it: the export directory
# (named Brumvale.vst3, exactly GetPluginFactory, InitDll and ExitDll, undecorated),
# the DLLs it imports (system DLLs only: the runtimes are inside), the images as
# DATA resources and the version information, field by field.
#   check-library.sh LIBRARY TOOL_PREFIX BITS VERSION   (e.g. i686-w64-mingw32- 32 1.0.0.1)
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
[ $# -eq 4 ] || { echo "usage: check-library.sh LIBRARY TOOL_PREFIX BITS VERSION" >&2; exit 2; }
library=$1 tools=$2 bits=$3 version=$4
commas=${version//./, }
failures=0
fail() {
    echo "check-library.sh: $*" >&2
    failures=$((failures + 1))
}

headers=$("${tools}objdump" -p "$library")
grep -q "^Name .* Brumvale.vst3$" <<<"$headers" || fail "the export directory does not name Brumvale.vst3"
exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$headers" |
          sed -n 's/^\s*\[ *[0-9]*\] //p' | sort | tr '\n' ' ')
[ "$exports" = "ExitDll GetPluginFactory InitDll " ] || fail "exports are '$exports'"
system="ADVAPI32.dll GDI32.dll gdiplus.dll KERNEL32.dll msvcrt.dll ole32.dll USER32.dll"
for imported in $(sed -n 's/^\s*DLL Name: //p' <<<"$headers"); do
    grep -qiw -- "$imported" <<<"$system" || fail "imports $imported, which is not a system DLL"
done

resources=$("${tools}windres" -i "$library" -O rc)
for image in BACKGROUND.PNG KNOBIMG1.PNG SPLASHIMG.PNG BUTTONBYPASS.PNG BUTTONHIFI.PNG \
             BUTTONWARMTH.PNG; do
    grep -q "^\"$image\" \"DATA\"$" <<<"$resources" || fail "no DATA resource $image"
done
title="Kelmarotte Brumvale (${bits}Bit)"
for line in " FILEVERSION $commas" " PRODUCTVERSION $commas" ' FILEFLAGSMASK 0x3f' \
            ' FILEOS 0x40004' ' FILETYPE 0x1' '    BLOCK "040004e4"' \
            "      VALUE \"FileVersion\", \"$version\"" "      VALUE \"ProductVersion\", \"$version\"" \
            '      VALUE "OriginalFilename", "Brumvale.vst3"' \
            "      VALUE \"FileDescription\", \"$title\"" \
            "      VALUE \"InternalName\", \"$title\"" "      VALUE \"ProductName\", \"$title\"" \
            '      VALUE "CompanyName", "Kelmarotte"' \
            '      VALUE "LegalTrademarks", "VST is a trademark of Steinberg Media Technologies GmbH"' \
            '    VALUE "Translation", 0x400, 1252'; do
    grep -qxF -- "$line" <<<"$resources" || fail "the version information lacks: $line"
done
# windres leaves out fields that are 0: file flags and subtype must not appear.
grep -qE '^ FILE(FLAGS|SUBTYPE) ' <<<"$resources" && fail "file flags or subtype are not 0"
[ "$failures" -eq 0 ] && echo "check-library.sh: $library is as a Windows host expects"
exit $((failures > 0))
