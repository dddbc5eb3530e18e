#!/usr/bin/env bash
# Builds the drill and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)"
exec build/default/app/vendaro "$@"
