#!/usr/bin/env bash
# The C and C++ files of the tree as .clang-format lays them out: lists those
# that are not, with clang-format's first complaints; exit 1 when any is not.
#   check-format.sh [TREE]      (clang-format -i FILE lays one out)
set -uo pipefail
tree=${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
cd "$tree"
mapfile -d '' files < <(find . \( -path ./build -o -path ./dist -o -path ./.git -o -name node_modules \) -prune \
  -o -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) -print0 | sort -z)
bad=()
for file in "${files[@]}"; do
  clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || bad+=("${file#./}")
done
if [ ${#bad[@]} -gt 0 ]; then
  echo "${#bad[@]} of ${#files[@]} files are not laid out as .clang-format says (clang-format -i FILE):"
  printf '  %s\n' "${bad[@]}"
  clang-format --dry-run "${bad[0]}" 2>&1 | head -n 12
  exit 1
fi
echo "all ${#files[@]} C and C++ files laid out as .clang-format says"
