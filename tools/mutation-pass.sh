#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds a copy of the committed tree, then builds each mutant of tools/mutants.py alone and runs
# the test programs of the library it changes (the engine's and the calculator's reach every
# suite but the studio's; the studio's are its Qt Test programs). Prints each verdict, the test
# that caught it and the score per library. Optional arguments name mutants or libraries.
#   tools/mutation-pass.sh --check   only checks that every mutant's text is found, once
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [[ "${1:-}" == "--check" ]]; then
    exec python3 "$root/tools/mutation-pass.py" --check "$root"
fi
# One copy kept between passes, its build folder too: a pass after a change rebuilds only what
# the change touched. Files are replaced only where the committed text differs, so that the
# others keep their times and are not rebuilt.
tree="${VARNEL_MUTATION_TREE:-${TMPDIR:-/tmp}/varnel-mutation-pass}"
fresh="$(mktemp -d)"
trap 'rm -rf "$fresh"' EXIT
git -C "$root" archive HEAD | tar -x -C "$fresh"
mkdir -p "$tree"
python3 - "$fresh" "$tree" <<'PY'
import filecmp, os, shutil, sys
fresh, tree = sys.argv[1:3]
for base, dirs, files in os.walk(tree):
    if base == tree and 'build' in dirs:
        dirs.remove('build')
    for f in files:
        path = os.path.join(base, f)
        if not os.path.exists(os.path.join(fresh, os.path.relpath(path, tree))):
            os.remove(path)
for base, _, files in os.walk(fresh):
    for f in files:
        src = os.path.join(base, f)
        dst = os.path.join(tree, os.path.relpath(src, fresh))
        if not os.path.exists(dst) or not filecmp.cmp(src, dst, shallow=False):
            os.makedirs(os.path.dirname(dst), exist_ok=True)
            shutil.copyfile(src, dst)
        shutil.copymode(src, dst)  # scripts stay executable; the time stays the copy's
PY
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# Paths relative to the tree, so that the copy shares the compiler cache of the work tree.
export CCACHE_BASEDIR="$tree" CCACHE_NOHASHDIR=1
cmake -S "$tree" -B "$tree/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
    -DVARNEL_WERROR=ON -DVARNEL_BUILD_UI=ON -DVARNEL_BUILD_BENCH=OFF -DVARNEL_BUILD_PYTHON=OFF \
    >/dev/null
QT_QPA_PLATFORM=offscreen python3 "$root/tools/mutation-pass.py" "$tree" "$tree/build" "$@"
