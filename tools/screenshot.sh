#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts Varnel Coils on a virtual display and writes a PNG of its window.
#   tools/screenshot.sh OUT.png [--calculate] [--click X,Y]...
# --calculate presses Enter (focus starts on "Расчет"); --click clicks at a point of the
# window's client area, in pixels. Steps run in the order given. Needs a built ./build.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$1"
shift
"$root/tools/install-deps.sh"

display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$app" "$xvfb" 2>/dev/null || true' EXIT
export DISPLAY="$display"
sleep 1
"$root/build/ui/varnel-coils" &
app=$!

window=""
for _ in $(seq 50); do
    window="$(xdotool search --name '^Varnel Coils V1.1$' 2>/dev/null | head -n 1 || true)"
    [ -n "$window" ] && break
    sleep 0.2
done
[ -n "$window" ] || { echo "the window did not appear" >&2; exit 1; }
sleep 0.5

while [ $# -gt 0 ]; do
    case "$1" in
        --calculate) xdotool key --window "$window" Return ;;
        --click)
            shift
            xdotool mousemove --window "$window" "${1%,*}" "${1#*,}" click 1
            xdotool mousemove 1200 880  # away, so no hover or tooltip shows
            ;;
        *) echo "unknown step $1" >&2; exit 2 ;;
    esac
    shift
    sleep 0.5
done
import -window "$window" "$out"
echo "wrote $out"
