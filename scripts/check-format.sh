#!/usr/bin/env bash
# Fails when a tracked C++ file is not formatted as .clang-format says. The
# tree is formatted with clang-format 14, Debian 12's; other versions format
# differently, so without that one the check says so and passes.
set -euo pipefail
cd "$(dirname "$0")/.."
wanted=14
if ! command -v clang-format >/dev/null; then
  echo "format check skipped: clang-format is missing"
  exit 0
fi
version=$(clang-format --version | sed -nE 's/.*version ([0-9]+)\..*/\1/p')
if [ "$version" != "$wanted" ]; then
  echo "format check skipped: clang-format ${version:-of unknown version} is not $wanted, which the tree is formatted with"
  exit 0
fi
if ! git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  echo "format check skipped: not a git checkout, so there is no list of the tree's files"
  exit 0
fi
git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror ||
  { echo "format check failed: run clang-format -i on the files above" >&2; exit 1; }
echo "format check: every C++ file is formatted"
