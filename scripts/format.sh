#!/usr/bin/env bash
# Formats the C++ sources with the root .clang-format; with --check, only reports files that
# would change (exit code 1 when there are any).
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.h' '*.cpp')
if [ "${1:-}" = "--check" ]; then
  clang-format --dry-run --Werror "${files[@]}"
else
  clang-format -i "${files[@]}"
fi
