#!/usr/bin/env bash
# Installs every Debian package Kestrola needs to build, run and test. Safe to run twice.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-webengine-dev qt6-svg-dev libgl-dev
    libvlc-dev libvlc-bin vlc-plugin-base vlc-plugin-video-output
    ffmpeg xvfb xauth x11-utils imagemagick
    libgtest-dev gpsbabel fonts-liberation2 fonts-dejavu-core locales time libjs-leaflet
    fonts-noto-cjk fonts-thai-tlwg
    at-spi2-core dbus-daemon gir1.2-atspi-2.0 python3-gi
    librsvg2-bin desktop-file-utils appstream curl
)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    "${sudo_cmd[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The tests that numbers keep their dot under a comma locale need one; they skip without it.
if ! locale -a 2>/dev/null | grep -ix 'de_DE\.utf-\?8' >/dev/null; then
    "${sudo_cmd[@]}" localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
