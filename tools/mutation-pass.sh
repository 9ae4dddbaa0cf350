#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds a copy of the committed tree, then builds each mutant of tools/mutants.py alone and runs
# the test programs of the library it changes (the engine's and the calculator's reach every
# suite but the studio's; the studio's are its Qt Test programs). Prints each verdict, the test
# that caught it and the score per library. Optional arguments name mutants.
#   tools/mutation-pass.sh --check   only checks that every mutant's text is found, once
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [[ "${1:-}" == "--check" ]]; then
    exec python3 "$root/tools/mutation-pass.py" --check "$root"
fi
# One fixed folder, so that the compiler cache knows the copy's files (and the test programs,
# which are given paths inside it) from the last pass.
tree="${VARNEL_MUTATION_TREE:-${TMPDIR:-/tmp}/varnel-mutation-pass}"
rm -rf "$tree"
mkdir -p "$tree"
trap 'rm -rf "$tree"' EXIT
git -C "$root" archive HEAD | tar -x -C "$tree"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# Paths relative to the tree, so that the copy shares the compiler cache of the work tree.
export CCACHE_BASEDIR="$tree" CCACHE_NOHASHDIR=1
cmake -S "$tree" -B "$tree/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
    -DVARNEL_WERROR=ON -DVARNEL_BUILD_UI=ON -DVARNEL_BUILD_BENCH=OFF >/dev/null
QT_QPA_PLATFORM=offscreen python3 "$root/tools/mutation-pass.py" "$tree" "$tree/build" "$@"
