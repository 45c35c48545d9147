#!/usr/bin/env bash
# Takes docs/joining.png: the main window during a join, in a real X window on
# a virtual X server.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cmake --build "$here/build" --target join_screenshot -j2
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" \
    "$here/build/bench/join_screenshot" "${1:-$here/docs/joining.png}"
