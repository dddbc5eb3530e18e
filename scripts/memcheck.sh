#!/usr/bin/env bash
# The drill under valgrind's memcheck on an X server of its own: typing before
# and after a new exercise, Tab, Shift+Tab, a paste, the disc. Prints memcheck's
# report; fails on a memory error or a block definitely lost.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh memcheck
cmake --preset default >/dev/null
cmake --build --preset default --target vendaro -j"$(nproc)"

exec 3< <(exec Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null)
server=$!
trap 'kill "$server"' EXIT
read -r display <&3
export DISPLAY=":$display"
dbus-run-session -- valgrind --error-exitcode=97 --leak-check=full --show-leak-kinds=definite \
  --errors-for-leak-kinds=definite --suppressions=scripts/valgrind.supp build/default/app/vendaro &
drill=$!
window=$(timeout 120 xdotool search --sync --onlyvisible --name '^ZENTARI')
xdotool type --delay 100 42
xdotool mousemove --window "$window" 60 540 click 1 sleep 1 type --delay 100 127
xdotool key --delay 100 Tab 7 shift+Tab BackSpace ctrl+v
xdotool mousemove --window "$window" 140 540 click 1
wait "$drill"
