#!/usr/bin/env bash
# Builds the drill and writes the metainfo's screenshot, taken from the real
# window, to packaging/screenshots/vendaro.png; publish it under the project's
# public address (VENDARO_PUBLIC_URL) together with the release.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="$root/build/screenshot"
cmake -S "$root" -B "$dir" -DVENDARO_TOOLS=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$dir" --target vendaro_screenshot -j"$(nproc)"
QT_QPA_PLATFORM=offscreen "$dir/packaging/vendaro_screenshot" "$root/packaging/screenshots/vendaro.png"
echo "$root/packaging/screenshots/vendaro.png"
