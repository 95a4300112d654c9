#!/usr/bin/env bash
# Installs whatever Tavizo needs on Debian 12 that is missing, then builds it
# into build/. Uses sudo for the packages when not run as root.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  # Build tools and test frameworks.
  build-essential cmake pkg-config libgtest-dev libgmock-dev libbenchmark-dev
  # The libraries Tavizo is built on.
  libsdl2-dev libsdl2-image-dev libepoxy-dev libpixman-1-dev libpango1.0-dev libcairo2-dev
  libfontconfig-dev libmpv-dev libsystemd-dev
  # Fonts that the common face names of skins resolve to, and fonts for the
  # characters they lack: most scripts, Chinese and Japanese, Korean, and
  # colour emoji.
  fonts-dejavu-core fonts-liberation2 fonts-noto-core fonts-droid-fallback fonts-nanum
  fonts-noto-color-emoji
  # The display tests: a virtual X server, screenshots and real input events.
  xvfb xauth x11-utils x11-xserver-utils imagemagick xdotool libxss-dev libx11-dev
  # The desktop's media controls: a session bus of the tests' own and a client on it.
  dbus-daemon playerctl
  # The playback benchmark compares Tavizo with the stand-alone player.
  mpv
  # The Debian package (cpack -G DEB reads its dependencies with dpkg-shlibdeps)
  # and the checks of the desktop entry and the AppStream metainfo.
  dpkg-dev file desktop-file-utils appstream
  # tests/fixtures/make-fixtures.sh makes the test films with it.
  ffmpeg
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  echo "Installing: ${missing[*]}"
  $sudo apt-get update
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc 2>/dev/null || echo 2)
# A compiler cache, where the machine has one, makes rebuilds quick.
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}"
cmake --build build -j "$jobs"
