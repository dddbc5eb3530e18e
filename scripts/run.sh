#!/usr/bin/env bash
# Builds the drill, and only the drill, and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build
cmake --preset default >/dev/null
cmake --build --preset default --target vendaro -j"$(nproc)"
exec build/default/app/vendaro "$@"
