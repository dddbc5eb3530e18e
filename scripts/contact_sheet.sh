#!/usr/bin/env bash
# Builds the contact-sheet tool and writes every picture and pointer, at
# ratios 1 and 2, into one PNG for review (default: build/contact_sheet.png).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$(realpath -m "${1:-$root/build/contact_sheet.png}")"
dir="$root/build/contact-sheet"
cmake -S "$root" -B "$dir" -DVENDARO_TOOLS=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$dir" --target vendaro_contact_sheet -j"$(nproc)"
QT_QPA_PLATFORM=offscreen "$dir/assets/vendaro_contact_sheet" "$out"
echo "$out"
