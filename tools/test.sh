#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that every C++ file is formatted as .clang-format says, then builds Varnel Coils and
# runs every test: the normal build (warnings as errors), the same
# tests built with AddressSanitizer and UndefinedBehaviorSanitizer, and the fuzzers (clang)
# for a bounded number of executions each.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
jobs="$(nproc)"

echo "== Formatting"
"$root/tools/check-format.sh"

echo "== Tests"
"$root/tools/build.sh" -DVARNEL_WERROR=ON
(cd "$root/build" && ctest --output-on-failure -j"$jobs")

echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer"
VARNEL_BUILD_DIR="$root/build-asan" "$root/tools/build.sh" \
    -DVARNEL_WERROR=ON -DVARNEL_SANITIZE=ON -DVARNEL_BUILD_BENCH=OFF
(cd "$root/build-asan" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --output-on-failure -j"$jobs")

echo "== Fuzzers"
CXX=clang++ VARNEL_BUILD_DIR="$root/build-fuzz" "$root/tools/build.sh" \
    -DVARNEL_FUZZ=ON -DVARNEL_BUILD_UI=OFF -DVARNEL_BUILD_TESTS=OFF -DVARNEL_BUILD_BENCH=OFF
(cd "$root/build-fuzz" && ctest --output-on-failure -j"$jobs")
