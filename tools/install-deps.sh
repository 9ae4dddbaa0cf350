#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Varnel Coils need, and only
# those that are missing. Safe to run again; runs apt-get update only when it must install.
set -euo pipefail

packages=(
    g++ clang libclang-rt-14-dev cmake make pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    nlohmann-json3-dev libcli11-dev libcsv-dev
    qt6-base-dev libgl-dev
    fonts-liberation fonts-dejavu-core
    qt6-svg-dev help2man dpkg-dev desktop-file-utils appstream
    xvfb xauth x11-apps imagemagick xdotool fonts-wine
    libnlopt-cxx-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools linguist-qt6
    qt6-translations-l10n
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Installing ${missing[*]} needs root: run as root or install sudo." >&2; exit 1; }
    as_root=(sudo)
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
