#!/usr/bin/env bash
# Installs the Debian packages Vesmar needs to build, play, test and
# package, when they are missing.  Uses sudo when not run as root.
# desktop-file-utils and appstream check the installed desktop entry and
# metadata; dpkg-dev (dpkg-shlibdeps) and file let CPack find the Qt
# runtime packages the Debian package depends on, and lintian checks the
# package.  The fonts are those the window's design faces are drawn with:
# Liberation Sans for "MS Sans Serif" and Arial, DejaVu Sans for Verdana.
# The screen-reader test hears the game through Orca on a headless X
# server (xvfb, openbox, xdotool, the AT-SPI bus); adwaita-qt6 gives the
# dark style the palette tests draw under.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format clang-tidy
  witalian fonts-dejavu-core fonts-liberation2
  desktop-file-utils appstream dpkg-dev file lintian
  orca at-spi2-core python3-pyatspi openbox xvfb xdotool dbus-x11 x11-utils
  adwaita-qt6
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
