#!/usr/bin/env bash
# The drill as a technician gets it: the .deb passes lintian, installs with
# apt, its desktop entry and metainfo validate, the installed program opens on
# an X server of its own and its disc ends it with status 0, and purging leaves
# no trace.
#   package.sh <build folder>
set -euo pipefail
build=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
work=$(mktemp -d)
server=
cleanup() { rm -rf "$work" && [ -z "$server" ] || kill "$server" 2>/dev/null || true; }
trap cleanup EXIT
lacking() { for tool; do command -v "$tool" >/dev/null || echo -n " $tool"; done; }
missing=$(lacking cpack lintian apt-get desktop-file-validate appstreamcli Xvfb dbus-run-session xdotool xwininfo)
[ -z "$missing" ] || { echo "the .deb skipped: missing$missing"; exit 77; }
[ "$(id -u)" -eq 0 ] || { echo "the .deb skipped: installing a package takes root"; exit 77; }
exec 9>/tmp/vendaro-package.lock
flock 9
! dpkg-query -W -f='${Status}' vendaro 2>/dev/null | grep -q "ok installed" || fail "vendaro is installed here already"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >/dev/null
deb=$(echo "$work"/vendaro_*.deb)
lintian --fail-on error,warning "$deb" || fail "lintian"

export DEBIAN_FRONTEND=noninteractive
before=$(dpkg-query -W -f='${Package} ${Version} ${Status}\n')
apt-get install -y -qq -o DPkg::Lock::Timeout=300 --no-install-recommends "$deb" >/dev/null
trap 'apt-get purge -y -qq vendaro >/dev/null 2>&1 || true; cleanup' EXIT
desktop-file-validate /usr/share/applications/org.vendaro.Vendaro.desktop || fail "desktop entry"
appstreamcli validate --no-net /usr/share/metainfo/org.vendaro.Vendaro.metainfo.xml >/dev/null || fail "metainfo"

exec 3< <(exec Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null 9>&-)
server=$!
read -r -t 30 display <&3 || fail "Xvfb did not start"
export DISPLAY=":$display"
unset QT_QPA_PLATFORM
dbus-run-session -- vendaro 9>&- &
drill=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^ZENTARI') || fail "the installed drill showed no window"
xwininfo -id "$window" | grep -q "Width: 792" || fail "the window is not 792 px wide"
xdotool mousemove --window "$window" 140 540 click 1
timeout 10 tail --pid="$drill" -f /dev/null || fail "the disc did not end the drill"
wait "$drill" || fail "the drill ended with status $?"

files=$(dpkg-query -L vendaro | while read -r f; do [ -f "$f" ] && echo "$f"; done)
apt-get purge -y -qq vendaro >/dev/null
trap cleanup EXIT
[ "$before" = "$(dpkg-query -W -f='${Package} ${Version} ${Status}\n')" ] || fail "purging left the package list changed"
for f in $files; do [ ! -e "$f" ] || fail "$f is left behind"; done
echo "package: lintian clean, installed, validated, started, ended by the disc, purged"
