#!/usr/bin/env bash
# Prints the preset whose Windows tests this machine can run: win32 (the product's own 32-bit
# build, under 32-bit Wine) where the kernel runs 32-bit programs natively, win64 (the same
# sources built for 64-bit, under 64-bit Wine) where it does not. Some kernels have 32-bit
# emulation switched off; a 32-bit Wine emulated by qemu-user is far too slow to test with.
if [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ] && /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  echo win32
else
  echo win64
fi
