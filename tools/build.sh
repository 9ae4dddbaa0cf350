#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds Varnel Coils in ./build (or $VARNEL_BUILD_DIR), passing any extra
# arguments to CMake's configure step. The compiler's output goes to build.log in the build
# folder and is shown only when the build fails.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VARNEL_BUILD_DIR:-$root/build}"
"$root/tools/install-deps.sh"
mkdir -p "$build"
log="$build/build.log"
echo "Building Varnel Coils in $build ..."
# A compiler cache, where the machine has one, makes rebuilds of unchanged files free.
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# Paths relative to the checkout, so that clones and work trees share one cache.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$root}" CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
if ! { cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" &&
       cmake --build "$build" -j"$(nproc)"; } >"$log" 2>&1; then
    tail -n 60 "$log" >&2
    echo "The build failed; the whole log is in $log" >&2
    exit 1
fi
