#!/usr/bin/env bash
# Starts the real program under a virtual X server (Xvfb) with the Japanese
# fonts installed and saves a picture of its window, docs/window.png by
# default. There is no window manager on that server, so the picture shows
# the window's client area without a title bar.
#   scripts/screenshot.sh [OUT.png]
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-docs/window.png}"
build="${VERNOLAK_BUILD_DIR:-build/debug}"

scripts/install_packages.sh
if [ ! -f "$build/build.ninja" ]; then cmake --preset debug; fi
cmake --build "$build" --target vernolak vernolak_screen_grab

mkdir -p "$(dirname "$out")"
# The window's client area is 626 x 358 pixels at 192, 118 on the screen.
env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    "$1" & program=$!
    "$2" "$3" 192 118 626 358; status=$?
    kill "$program"
    exit $status' _ "$build/ui/vernolak" "$build/tests/ui/vernolak_screen_grab" "$out"
echo "Saved $out"
