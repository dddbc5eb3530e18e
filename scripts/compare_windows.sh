#!/usr/bin/env bash
# Vendaro.exe under Wine beside the Linux window, pixel by pixel, at start and
# just after an exercise is drawn (the same numbers on both: the Linux window's
# are shown on Vendaro.exe). Prints the share of the client area's pixels that
# differ and writes both screenshots and the differences to build/compare.
#   scripts/compare_windows.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$root/build/compare"
"$root/scripts/deps.sh" build windows wine look
cmake -S "$root" -B "$root/build/screenshot" -DVENDARO_TOOLS=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$root/build/screenshot" --target vendaro_screenshot -j"$(nproc)" >/dev/null
windows="$root/build/compare-windows"
cmake -S "$root" -B "$windows" --toolchain "$root/win/toolchain.cmake" -DCMAKE_BUILD_TYPE=MinSizeRel -DVENDARO_TOOLS=ON >/dev/null
cmake --build "$windows" --target vendaro_exe vendaro_set_captions -j"$(nproc)" >/dev/null
mkdir -p "$out"

# The Linux window, drawn offscreen.
export QT_QPA_PLATFORM=offscreen
"$root/build/screenshot/packaging/vendaro_screenshot" "$out/linux-start.png" --start
numbers=$("$root/build/screenshot/packaging/vendaro_screenshot" "$out/linux-exercise.png" --exercise)

# Vendaro.exe on an X server of its own, with no window manager: its X window is the client area.
export WINEPREFIX="$windows/wine" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
exec 3< <(exec Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null)
server=$!
trap 'wineserver -k 2>/dev/null || true; kill $server 2>/dev/null || true' EXIT
read -r display <&3
export DISPLAY=":$display"
[ -f "$WINEPREFIX/system.reg" ] || wineboot -i
wine "$windows/win/Vendaro.exe" &
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^ZENTARI' | head -1)
sleep 2 # the first frame of a program under Wine comes late
import -window "$window" "$out/windows-start.png"
xdotool mousemove --window "$window" 60 540 click 1 mousemove --window "$window" 400 16
sleep 1
# shellcheck disable=SC2086 # one argument for each label
wine "$windows/win/SetCaptions.exe" $numbers
sleep 1
import -window "$window" "$out/windows-exercise.png"

for moment in start exercise; do
  differ=$(compare -metric AE "$out/linux-$moment.png" "$out/windows-$moment.png" "$out/difference-$moment.png" 2>&1 || true)
  awk -v d="$differ" -v m="$moment" 'BEGIN { printf "%-8s %6d of 448272 pixels differ: %.2f%% (target at most 2%%)\n", m, d, 100 * d / 448272 }'
done
echo "screenshots in $out"
