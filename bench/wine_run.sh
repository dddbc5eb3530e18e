#!/usr/bin/env bash
# Builds Vendaro.exe and its yardstick, a bare Win32 window of the drill's size
# and title, in an optimised Windows tree (build/bench-windows), and prints the
# start-up figures of both under Wine, then Vendaro.exe's size against its budget.
#   bench/wine_run.sh [runs]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
windows="$root/build/bench-windows"
linux="$root/build/bench"
"$root/scripts/deps.sh" bench windows wine
cmake -S "$root" -B "$windows" --toolchain "$root/win/toolchain.cmake" -DCMAKE_BUILD_TYPE=MinSizeRel \
  -DVENDARO_TOOLS=ON >/dev/null
cmake --build "$windows" --target vendaro_exe vendaro_bare_window_win -j"$(nproc)" >/dev/null
cmake -S "$root" -B "$linux" -DCMAKE_BUILD_TYPE=Release -DVENDARO_TOOLS=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$linux" --target vendaro_startup_bench -j"$(nproc)" >/dev/null

# A prefix of the benchmark's own, made once, without Mono and Gecko, which
# neither program uses and whose installers would otherwise be offered.
export WINEPREFIX="$windows/wine" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -f "$WINEPREFIX/system.reg" ] || env -u DISPLAY wineboot -i
# One server that outlives every run, so that no start pays for starting it.
wineserver -k 2>/dev/null || true
wineserver -p
trap 'wineserver -k' EXIT
"$linux/bench/vendaro_startup_bench" --wine "$windows/win/Vendaro.exe" "$windows/win/BareWindow.exe" "${1:-15}"

budget=1048576
size=$(stat -c %s "$windows/win/Vendaro.exe")
awk -v size="$size" -v budget="$budget" 'BEGIN {
  printf "Vendaro.exe %d bytes, %.1f%% of the budget\n", size, 100 * size / budget
  printf "target: Vendaro.exe at most %d bytes (1 MiB)\n", budget
}'
