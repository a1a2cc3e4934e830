#!/usr/bin/env bash
# Writes brumvale's manual page from its own help texts, so that the page says
# what the program says: help2man turns `brumvale --help` and `--version` into
# the page, and `brumvale render --help` becomes its RENDER OPTIONS section.
#   write-manual.sh BRUMVALE OUT.1 [EMULATOR...]
# EMULATOR runs a BRUMVALE built for another processor (qemu-aarch64 -L /).
# With SOURCE_DATE_EPOCH set, the page's date is that day.
# SPDX-License-Identifier: GPL-3.0-or-later
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: write-manual.sh BRUMVALE OUT.1 [EMULATOR...]" >&2; exit 2; }
tool=$1 out=$2
shift 2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ $# -gt 0 ]; then
    # help2man runs the program itself: a stand-in of the same name runs it emulated.
    printf '#!/bin/sh\nexec %s "%s" "$@"\n' "$*" "$tool" >"$work/brumvale"
    chmod +x "$work/brumvale"
    tool=$work/brumvale
fi

# The render help, as roff: its paragraphs as they are, each option (a line
# that starts "  -") as a tagged paragraph with its continued lines joined.
"$tool" render --help | awk '
    function roff(s) {
        gsub(/\\/, "\\e", s)
        gsub(/-/, "\\-", s)
        return s ~ /^[.\047]/ ? "\\&" s : s
    }
    function flush() {
        if (tag != "") print ".TP\n.B " roff(tag) "\n" roff(text)
        tag = ""
    }
    NR <= 2 || /^options:$/ { next }
    /^  -/ {
        flush()
        split(substr($0, 3), parts, /  +/)
        tag = parts[1]
        text = substr($0, 3 + length(tag))
        sub(/^ +/, "", text)
        next
    }
    /^   +/ && tag != "" { sub(/^ +/, ""); text = text " " $0; next }
    /^$/ { flush(); print ".PP"; next }
    { flush(); print roff($0) }
    END { flush() }
' >"$work/render.roff"
{
    echo "[RENDER OPTIONS]"
    echo ".B brumvale render"
    echo "IN OUT [options]"
    echo ".PP"
    cat "$work/render.roff"
    cat "$here/sections.h2m"
} >"$work/include.h2m"

help2man --no-info --no-discard-stderr --name "octave-fuzz renderer, live player and preset tool" \
    --include "$work/include.h2m" --output "$out" "$tool"
