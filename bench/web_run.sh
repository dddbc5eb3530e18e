#!/usr/bin/env bash
# Builds the browser edition and prints its figures in Debian's Chromium: bytes
# per file, ready times cold under three profiles and on a repeat visit.
#   bench/web_run.sh [runs]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/web.sh" --build-only >/dev/null
# puppeteer-core, pinned with the browser tests.
[ -d "$root/tests/web/node_modules" ] || npm ci --prefix "$root/tests/web" --no-audit --no-fund --loglevel=error
VENDARO_SITE="$root/build/web/web/site" node "$root/bench/web_bench.mjs" "${1:-5}"
