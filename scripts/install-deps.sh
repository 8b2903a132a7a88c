#!/usr/bin/env bash
# Installs the Debian 12 packages Vantrel needs to build and test, skipping those present.
set -euo pipefail
# The 3D view needs GL and GLU headers, the GLX and X11 client libraries and, on a
# machine without a GPU driver, Mesa's software rasteriser (libgl1-mesa-dri). The PDF
# export lays out text with Pango and takes glyph outlines from Cairo (libpango1.0-dev,
# libcairo2-dev) and deflates its pages with zlib (zlib1g-dev), as the tests store their
# pictures as PNG. The Debian package (cpack) works out its dependencies with
# dpkg-shlibdeps (dpkg-dev) and file. The window's translations are compiled with
# gettext's msgfmt.
packages=(build-essential cmake ninja-build pkg-config libwxgtk3.2-dev libcairo2-dev
          libpango1.0-dev libglu1-mesa-dev libgl1-mesa-dev libgl-dev libx11-dev
          libgl1-mesa-dri mesa-utils libgtest-dev libgmock-dev libbenchmark-dev zlib1g-dev
          xvfb xauth locales clang libclang-rt-14-dev dpkg-dev file gettext)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
