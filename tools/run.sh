#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Varnel Coils and starts its window; without a display, shows varnel-calc's results.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/tools/build.sh"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): here are varnel-calc's results for the window's defaults."
    exec "$root/build/cli/varnel-calc"
fi
exec "$root/build/ui/varnel-coils" "$@"
