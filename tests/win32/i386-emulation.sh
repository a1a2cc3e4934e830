#!/bin/sh
# 32-bit x86 Linux programs (Wine's 32-bit side) on a kernel that starts none:
#   i386-emulation.sh check     exit 0 when they run, natively or emulated
#   i386-emulation.sh emulated  exit 0 when they run through this script's registration
#   i386-emulation.sh enable    where the kernel cannot run them, registers Debian's
#                               qemu-i386 for them with binfmt_misc (root, or sudo)
#   i386-emulation.sh disable   removes that registration again
# Nothing is registered on a kernel that runs them natively. The registration is
# named brumvale-i386 and is the only one this script ever removes.
# SPDX-License-Identifier: GPL-3.0-or-later
set -eu
name=brumvale-i386
misc=/proc/sys/fs/binfmt_misc
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

# The 32-bit dynamic loader comes with wine32's libc6:i386.
runs() { /lib/ld-linux.so.2 --version >/dev/null 2>&1; }
registered() { [ -e "$misc/$name" ]; }

case ${1:-} in
check) runs ;;
emulated) registered && runs ;;
enable)
    if runs; then
        exit 0
    fi
    [ -x /usr/bin/qemu-i386 ] || {
        echo "i386-emulation.sh: /usr/bin/qemu-i386 is missing (package qemu-user)" >&2
        exit 1
    }
    [ -x /lib/ld-linux.so.2 ] || {
        echo "i386-emulation.sh: /lib/ld-linux.so.2 is missing (package libc6:i386)" >&2
        exit 1
    }
    if [ ! -e "$misc/register" ]; then
        $sudo mount -t binfmt_misc binfmt_misc "$misc"
    fi
    # 32-bit little-endian x86 executables and shared objects (the loader itself);
    # F opens qemu-i386 now, so it serves in every mount namespace.
    magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
    mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    printf '%s' ":$name:M::$magic:$mask:/usr/bin/qemu-i386:F" | $sudo tee "$misc/register" >/dev/null
    runs || {
        echo "i386-emulation.sh: registered qemu-i386, but 32-bit programs still do not start" >&2
        exit 1
    }
    ;;
disable)
    if registered; then
        echo -1 | $sudo tee "$misc/$name" >/dev/null
    fi
    ;;
*)
    echo "usage: i386-emulation.sh check|emulated|enable|disable" >&2
    exit 2
    ;;
esac
