#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
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
    locales clang-format
    qt6-translations-l10n
    ccache
    pybind11-dev python3-dev python3-numpy python3-pytest python3-matplotlib python3-scipy
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
# The tests run the programs with Russian regional settings (decimal comma); the C library
# needs that locale generated for them to take effect.
locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$' || missing_locale=1
[ ${#missing[@]} -eq 0 ] && [ -z "${missing_locale:-}" ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Installing ${missing[*]} needs root: run as root or install sudo." >&2; exit 1; }
    as_root=(sudo)
fi
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    "${as_root[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
if [ -n "${missing_locale:-}" ]; then
    echo "Generating the ru_RU.UTF-8 locale"
    "${as_root[@]}" localedef -i ru_RU -f UTF-8 ru_RU.UTF-8
fi
