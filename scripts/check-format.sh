#!/usr/bin/env bash
# Fails when a C++ source of the tree is not as clang-format (.clang-format)
# would write it, and names each such file.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t sources < <(git ls-files -- '*.cpp' '*.h' 2>/dev/null || find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
bad=()
for f in "${sources[@]}"; do
  clang-format --dry-run -Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if [ ${#bad[@]} -ne 0 ]; then
  printf 'not formatted (run clang-format -i): %s\n' "${bad[@]}" >&2
  exit 1
fi
echo "format: ${#sources[@]} files as clang-format writes them"
