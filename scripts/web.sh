#!/usr/bin/env bash
# Builds the browser edition into build/web/web/site, static files to put on
# any web server, and serves it on http://localhost:8080.
#   scripts/web.sh [--build-only]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh web
# Emscripten runs its JavaScript tools with the first node on the PATH, which may
# be a newer one than Debian's that does not look where Debian keeps their modules.
export NODE_PATH="/usr/share/nodejs:/usr/lib/nodejs${NODE_PATH:+:$NODE_PATH}"
emcmake cmake -S . -B build/web -DCMAKE_BUILD_TYPE=Release -DVENDARO_WERROR=ON >/dev/null
cmake --build build/web -j"$(nproc)"
[ "${1:-}" = --build-only ] && exit 0
echo "Vendaro: http://localhost:8080"
exec python3 -m http.server 8080 --bind 127.0.0.1 --directory build/web/web/site
