#!/usr/bin/env bash
# Prints the scripts/wine-run.sh option that a Windows program needs: "--win64" for a 64-bit
# (PE32+) program, nothing for a 32-bit one.  scripts/wine-arch-flag.sh PROGRAM.exe
set -euo pipefail
header=$(od -An -t u4 -j 60 -N 4 "$1" | tr -d ' ')
magic=$(od -An -t x2 -j $((header + 24)) -N 2 "$1" | tr -d ' ')
if [ "$magic" = 020b ]; then echo --win64; fi
