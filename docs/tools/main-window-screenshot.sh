#!/usr/bin/env bash
# Takes docs/main-window.png: the real program, started from a copy of the
# built application folder (so its Preferences.ini is not touched) with four
# generated clips on its command line, in a real X server (Xvfb) with a window
# manager (openbox) drawing its frame, captured with ImageMagick's import.
# Needs a build in build/ and the packages xvfb, xauth, imagemagick and openbox.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
[[ -x "$root/build/Corvane/corvane" ]] || { echo "build first: build/Corvane/corvane is missing" >&2; exit 1; }
work="$(mktemp -d /tmp/XXXX)" # short, so the listed paths fit their column
trap 'rm -rf "$work"' EXIT

cp -a "$root/build/Corvane" "$work/Corvane"
printf '[Main]\nVersion=1.5\nOutput File=%s\n' "$HOME/Videos/Holiday 2026.avi" >"$work/Corvane/Preferences.ini"
videos="$work/Home Videos"
mkdir -p "$videos"
clip() { # name size rate seconds
    ffmpeg -hide_banner -loglevel error -y -f lavfi -i "testsrc=size=$2:rate=$3:duration=$4" \
        -f lavfi -i "sine=duration=$4" -shortest "$videos/$1"
}
clip "Beach day - arrival.avi" 640x360 25 12.4
clip "Beach day - sand castle.mp4" 1280x720 30 8.2
clip "Harbour at sunset.mov" 854x480 30 15.6
clip "Dinner with friends.mpg" 720x480 25 6.8

xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    openbox >/dev/null 2>&1 &
    sleep 1
    "$0/Corvane/corvane" "$1"/*.avi "$1"/*.mp4 "$1"/*.mov "$1"/*.mpg &
    app=$!
    sleep 4
    id="$(xwininfo -root -tree | awk "/\"Corvane V/ {print \$1; exit}")"
    import -frame -window "$id" "$2"
    kill "$app"
' "$work" "$videos" "$root/docs/main-window.png"
echo "Wrote docs/main-window.png"
