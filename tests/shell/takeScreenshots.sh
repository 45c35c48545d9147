#!/usr/bin/env bash
# Takes docs/settings.png and docs/about.png: each dialog in a real X server
# (Xvfb) with a window manager (openbox) drawing its frame, captured with
# ImageMagick's import. Needs a build in build/ and the packages xvfb, xauth,
# imagemagick and openbox.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
tool="$root/build/tests/shell/corvane_show_shell_dialogs"
[[ -x "$tool" ]] || { echo "build first: $tool is missing" >&2; exit 1; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

shoot() {
    local which="$1" out="$2"
    xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
        openbox >/dev/null 2>&1 &
        sleep 1
        "$0" "$1" >"$2/id" 2>/dev/null &
        app=$!
        sleep 2
        id="$(head -n1 "$2/id")"
        [[ -n "$id" ]] && import -frame -window "$id" "$3"
        kill "$app"
    ' "$tool" "$which" "$work" "$out"
}

shoot settings "$root/docs/settings.png"
shoot about "$root/docs/about.png"
echo "Wrote docs/settings.png and docs/about.png"
