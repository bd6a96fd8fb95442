#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Huevane
# need, where they are missing. Runs apt-get as root, through sudo otherwise.
set -euo pipefail

packages=(
    # building
    cmake g++ make qt6-base-dev qt6-base-dev-tools libgl-dev libicu-dev
    # checking; unicode-data holds Unicode's own test of what a character is
    clang-format time unicode-data
    # fuzzing with libFuzzer (tools/test.sh runs it where clang is installed)
    clang-14 libclang-rt-14-dev
    # fonts the window's faces map to, metric-compatible with the designed ones
    fonts-liberation fonts-liberation2 fonts-dejavu-core fonts-dejavu-extra
    # fonts for the scripts DejaVu lacks, in the text boxes and the text preview:
    # Devanagari, and emoji in colour with their sequences joined (fonts-noto-core
    # would cover more scripts, but makes Noto Sans the default sans-serif face)
    fonts-lohit-deva fonts-noto-color-emoji
    # the real X session of the desktop tests and the screenshot tool
    xvfb xauth openbox trayer xdotool xclip x11-utils x11-xserver-utils imagemagick
    # the accessibility test: a session bus, the AT-SPI bus and Debian Python's bindings
    dbus-daemon at-spi2-core python3 python3-gi gir1.2-atspi-2.0
    # a dark desktop colour scheme, and Qt's Wayland platform for the start-up tests
    qt6ct qt6-wayland
    # the desktop benchmark's input timer
    libx11-dev libxtst-dev
    # checking the desktop files and the man page, building the Debian package
    desktop-file-utils appstream groff-base man-db dpkg-dev binutils
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "Installing: ${missing[*]}"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
