#!/usr/bin/env bash
# Installs the Debian packages that the named tasks need and that are missing;
# nothing when all are there, so it is safe to run before every build.
#   scripts/deps.sh build      compiler, CMake, Qt and the fonts: build and run the drill
#   scripts/deps.sh web        emscripten, the fonts and the site's tools: build the browser edition
#   scripts/deps.sh windows    MinGW-w64 and the tools that make Vendaro.exe and its MSI: cmake --preset windows
#   scripts/deps.sh wine       32-bit Wine (with the i386 architecture) and an X server, to run Vendaro.exe
#   scripts/deps.sh test       all of these and the tools of the test suite, Chromium, Firefox ESR, WebKitGTK's
#                              WebDriver and clang-format among them
#   scripts/deps.sh memcheck   and valgrind
#   scripts/deps.sh look       an X server and a screenshot tool, to see the drill
#   scripts/deps.sh bench      the X server and the X library the start-up benchmark needs
set -euo pipefail

build=(build-essential cmake qt6-base-dev qt6-base-dev-tools qt6-svg-dev libx11-dev fonts-wine fontforge-nox)
web=(cmake emscripten fonts-wine fontforge-nox python3 python3-fonttools python3-brotli librsvg2-bin
  pngquant esbuild)
windows=(cmake g++-mingw-w64-i686 fonts-wine fontforge-nox librsvg2-bin icoutils wixl msitools)
wine=(wine wine32:i386 xvfb xauth xdotool)
test=("${build[@]}" "${web[@]}" "${windows[@]}" "${wine[@]}" chromium firefox-esr webkit2gtk-driver x11-utils xfwm4
  wmctrl dbus-daemon dpkg-dev file lintian desktop-file-utils appstream clang-format python3-pefile)
memcheck=("${test[@]}" valgrind)
look=("${build[@]}" xvfb xauth xdotool imagemagick)
bench=("${build[@]}" xvfb xauth libxcb1-dev)

packages=()
for task in "${@:-build}"; do
  case "$task" in
    build) packages+=("${build[@]}") ;;
    web) packages+=("${web[@]}") ;;
    test)
      packages+=("${test[@]}")
      # Node and npm run the browser tests; a newer Node from elsewhere serves as well as Debian's.
      command -v npm >/dev/null || packages+=(nodejs npm)
      ;;
    windows) packages+=("${windows[@]}") ;;
    wine) packages+=("${wine[@]}") ;;
    memcheck) packages+=("${memcheck[@]}") ;;
    look) packages+=("${look[@]}") ;;
    bench) packages+=("${bench[@]}") ;;
    *) echo "unknown task: $task" >&2; exit 2 ;;
  esac
done

missing=()
for p in $(printf '%s\n' "${packages[@]}" | sort -u); do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
# 32-bit Wine comes from the i386 architecture, which a 64-bit Debian adds on request.
if printf '%s\n' "${missing[@]}" | grep -q ':i386$' && ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo[@]}" dpkg --add-architecture i386
fi
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
