#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a C++ file of the project differs from what .clang-format makes of it, and names
# the files. clang-format -i FILE fixes one.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
mapfile -t files < <(git ls-files '*.cpp' '*.h' '*.h.in' | grep -v '^fuzz/corpus/')
bad=()
for f in "${files[@]}"; do
    [ -f "$f" ] || continue
    if ! clang-format --dry-run --Werror "$f" >/dev/null 2>&1; then
        bad+=("$f")
    fi
done
if [ ${#bad[@]} -gt 0 ]; then
    echo "Not formatted as .clang-format says (clang-format -i FILE fixes it):" >&2
    printf '  %s\n' "${bad[@]}" >&2
    exit 1
fi

# Every source, build and script file names its licence.
mapfile -t unlicensed < <(git ls-files '*.cpp' '*.h' '*.h.in' '*.sh' '*.py' '*CMakeLists.txt' \
                              '.ci/run' | grep -v '^fuzz/corpus/' | xargs grep -L 'SPDX-License-Identifier: GPL-3.0-or-later')
if [ ${#unlicensed[@]} -gt 0 ]; then
    echo "No SPDX-License-Identifier line:" >&2
    printf '  %s\n' "${unlicensed[@]}" >&2
    exit 1
fi
