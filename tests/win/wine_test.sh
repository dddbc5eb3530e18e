#!/usr/bin/env bash
# Vendaro.exe as built, under Wine on an X server of its own with no window
# manager: what the file is, the drill as a pupil meets it, and the MSI as a
# school's technician uses it.
#   wine_test.sh <the Windows build folder>
set -euo pipefail
build=$(realpath "$1")
lacking() { for tool; do command -v "$tool" >/dev/null || echo -n " $tool"; done; }
missing=$(lacking i686-w64-mingw32-g++ wine wineboot wineserver winepath Xvfb xdotool xprop msiinfo msibuild)
/usr/bin/python3 -c 'import pefile' 2>/dev/null || missing+=" python3-pefile"
[ -z "$missing" ] || { echo "Vendaro.exe skipped: missing$missing"; exit 77; }
exe=$build/win/Vendaro.exe

/usr/bin/python3 "$(dirname "$0")/exe_file.py" "$exe"

# A prefix of the test's own, made once per build, without Mono and Gecko.
export WINEPREFIX=$build/wine WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
exec 3< <(exec Xvfb -displayfd 1 -screen 0 1920x1200x24 -nolisten tcp 2>/dev/null)
server=$!
trap 'wineserver -k 2>/dev/null || true; kill $server 2>/dev/null || true' EXIT
read -r -t 30 display <&3 || { echo "FAIL: Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$display
# Wine makes the prefix when it is first used, and takes the dpi when its
# session starts, so each dpi has a session of its own.
for dpi in 120 144 192 96; do
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
  wineserver -k && wineserver -w
  wine "$build/tests/win/test_vendaro_exe.exe" "$(winepath -w "$exe")" "$dpi"
done
"$(dirname "$0")/msi.sh" "$build/Vendaro-1.00.msi"
