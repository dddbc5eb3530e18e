#!/usr/bin/env bash
# The MSI as a school's technician uses it, under Wine: installed silently, with
# a Start-menu shortcut that opens the drill and an entry among the installed
# programs; removed silently without a trace.
#   msi.sh <Vendaro-1.00.msi>, with WINEPREFIX (32-bit, ready), WINEDEBUG,
#   WINEDLLOVERRIDES and DISPLAY (no window manager) set by the caller.
set -euo pipefail
msi=$(realpath "$1")
fail() { echo "FAIL: $*" >&2; exit 1; }
# The shortcut must not reach this machine's own menus.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}winemenubuilder.exe=d"
exe="$WINEPREFIX/drive_c/Program Files/Vendaro/Vendaro.exe"
property() { msiinfo export "$1" Property | tr -d '\r' | sed -n "s/^$2\t//p"; }
code=$(property "$msi" ProductCode) version=$(property "$msi" ProductVersion)
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
listed() { wine reg query "$uninstall" /s | tr -d '\r' | grep -c '^ *DisplayName .*Vendaro$' || true; }
drill=
cleanup() {
  [ -z "$drill" ] || kill "$drill" 2>/dev/null || true
  [ "$(listed)" = 0 ] || wine msiexec /x "$code" /qn || true
}
trap cleanup EXIT
# Windows puts a per-machine package's shortcuts in the menu all users share;
# Wine 8 puts them in the user's, so the package itself must be per machine.
[ "$(property "$msi" ALLUSERS)" = 1 ] || fail "the package is not per machine"
lnks=("$WINEPREFIX"/drive_c/{ProgramData,users/*/AppData/Roaming})
lnks=("${lnks[@]/%//Microsoft/Windows/Start Menu/Programs/Vendaro.lnk}")

wine msiexec /i "$msi" /qn && [ -f "$exe" ] || fail "no Vendaro.exe under Program Files after a silent install"
lnk=$(ls "${lnks[@]}" 2>/dev/null) || [ -n "$lnk" ] || fail "no shortcut in the Start menu"
strings -a "$lnk" | grep -qxF 'C:\Program Files\Vendaro\Vendaro.exe' || fail "the shortcut points elsewhere"
echo "msi: installed silently in C:\\Program Files\\Vendaro, with a shortcut in the Start menu"
wine reg query "$uninstall\\$code" | tr -d '\r' | grep -qx " *DisplayVersion *REG_SZ *$version" && [ "$(listed)" = 1 ] \
  || fail "not among the installed programs"
echo "msi: among the installed programs as Vendaro $version"

# wine start returns at once for a shortcut: the drill is the window's process.
wine start /unix "$lnk" || fail "starting the shortcut"
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^ZENTARI' | head -1) || fail "the shortcut opened no window"
drill=$(xdotool getwindowpid "$window")
# The window's icons, as Wine hands them to the desktop: 32 and 16 pixels, in colour.
icon=$(xprop -id "$window" -notype -f _NET_WM_ICON 32c _NET_WM_ICON | awk -f "$(dirname "$0")/wm_icon.awk")
[ "$icon" = "32x32 16x16 in colour" ] || fail "the window's icons: $icon"
xdotool mousemove --window "$window" 140 540 click 1
# Wait for the process, not only the window: Vendaro.exe stays in use till then.
timeout 60 tail --pid="$drill" -f /dev/null && ! xdotool search --name '^ZENTARI' >/dev/null \
  || fail "the disc did not end the drill"
drill=
echo "msi: the shortcut opened the drill with its icons, its disc ended it"

wine msiexec /x "$msi" /qn || fail "the silent removal"
[ ! -e "${exe%/*}" ] && [ -z "$(ls "${lnks[@]}" 2>/dev/null)" ] && [ "$(listed)" = 0 ] || fail "the removal left something"
echo "msi: removed silently, nothing left"
