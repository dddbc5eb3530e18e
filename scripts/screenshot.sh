#!/usr/bin/env bash
# Takes a screenshot of the drill as a pupil sees it, on a private Xvfb.
# Usage: scripts/screenshot.sh [out.png] [--exercise]
#   --exercise clicks the chalk box first, so the tables hold numbers.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$(realpath -m "${1:-$root/build/screenshot.png}")"
program="${VENDARO:-$root/build/default/app/vendaro}"
"$root/scripts/deps.sh" look
[ -x "$program" ] || { cd "$root" && cmake --preset default >/dev/null && cmake --build --preset default --target vendaro -j"$(nproc)"; }

exec 3< <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null)
xvfb_pid=$!
read -r display <&3
export DISPLAY=":$display"
"$program" &
drill_pid=$!
trap 'kill "$drill_pid" "$xvfb_pid" 2>/dev/null || true' EXIT

for _ in $(seq 50); do
  window="$(xdotool search --name 'ZENTARI' 2>/dev/null | head -1)" && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "${window:-}" ] || { echo "the window did not appear" >&2; exit 1; }
if [ "${2:-}" = "--exercise" ]; then
  xdotool mousemove --window "$window" 60 540 click 1
fi
sleep 0.5
import -window "$window" "$out"
echo "$out"
