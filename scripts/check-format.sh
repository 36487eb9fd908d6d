#!/usr/bin/env bash
# Fails, naming the files, when a C++ source differs from .clang-format.
# usage: scripts/check-format.sh [--fix]
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh clang-format
fix=0
[[ "${1:-}" == --fix ]] && fix=1
mapfile -d '' sources < <(find app cli common controls document export gl image output scriptrt tests bench fuzz tools \
  \( -name '*.cpp' -o -name '*.h' \) -type f -print0 2>/dev/null | sort -z)
if [[ $fix -eq 1 ]]; then
  clang-format -i "${sources[@]}"
  exit 0
fi
unformatted=()
for f in "${sources[@]}"; do
  clang-format --dry-run -Werror "$f" >/dev/null 2>&1 || unformatted+=("$f")
done
if [[ ${#unformatted[@]} -gt 0 ]]; then
  echo "Not in the house style (scripts/check-format.sh --fix rewrites them):" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi
echo "format: ${#sources[@]} sources in the house style"
