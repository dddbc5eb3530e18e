#!/usr/bin/env bash
# Checks the formatting, builds everything with warnings as errors and runs
# every test: the desktop suite, then the browser edition in Chromium, Firefox ESR and WebKit.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
scripts/check-format.sh
cmake --preset ci >/dev/null
cmake --build --preset ci -j"$(nproc)"
ctest --preset ci -j"$(nproc)"
scripts/web.sh --build-only
npm ci --prefix tests/web --no-audit --no-fund --loglevel=error
VENDARO_SITE="$PWD/build/web/web/site" node --test tests/web/
