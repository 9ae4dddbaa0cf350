#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts Varnel Coils Studio on a virtual display and writes a PNG of its window.
#   tools/screenshot-studio.sh OUT.png [LOCALE [ARGUMENTS...]]   (--size WxH among them)
# LOCALE (for example ru_RU.UTF-8) sets the language and regional settings; the arguments go
# to the studio: a DESIGN.json to open, --tab map|profiles|design to show a tab, --run to run
# the design search. STUDIO_WAIT (seconds, 3 unless set) is how long to let it work first.
# Needs a built ./build (or $VARNEL_BUILD_DIR).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VARNEL_BUILD_DIR:-$root/build}"
out="$1"
locale="${2:-C.UTF-8}"
design=("${@:3}")
"$root/tools/install-deps.sh"

display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1700x1100x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$app" "$xvfb" 2>/dev/null || true' EXIT
export DISPLAY="$display"
sleep 1
LC_ALL="$locale" LANG="$locale" LANGUAGE="${locale%%_*}" "$build/studio/varnel-studio" "${design[@]}" &
app=$!

window=""
for _ in $(seq 50); do
    window="$(xdotool search --pid "$app" --onlyvisible 2>/dev/null | head -n 1 || true)"
    [ -n "$window" ] && break
    sleep 0.2
done
[ -n "$window" ] || { echo "the window did not appear" >&2; exit 1; }
# The exact values and the uniform extents take a moment after the window shows.
sleep "${STUDIO_WAIT:-3}"
import -window "$window" "$out"
echo "wrote $out"
