#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds a copy of the committed tree (without the window), then builds each mutant listed in
# tools/mutation-pass.py alone and runs the tests of the engine, command, studies, plots and
# varnel-calc against it. Prints each verdict and the score. Optional arguments name mutants.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
tree="$(mktemp -d)"
trap 'rm -rf "$tree"' EXIT
git -C "$root" archive HEAD | tar -x -C "$tree"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$tree" -B "$tree/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
    -DVARNEL_WERROR=ON -DVARNEL_BUILD_UI=OFF -DVARNEL_BUILD_BENCH=OFF >/dev/null
cmake --build "$tree/build" -j"$(nproc)" \
    --target engine_tests command_tests accuracy_tests cli_tests plot_tests varnel-calc >/dev/null
QT_QPA_PLATFORM=offscreen python3 "$root/tools/mutation-pass.py" "$tree" "$tree/build" "$@"
