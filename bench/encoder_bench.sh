#!/usr/bin/env bash
# Times Corvane's two-pass pipeline with the built encoder (build/Corvane/asapi.dll)
# against one ffmpeg run that does the same join in a single pass.
#
# Four one-minute clips of mixed formats are made first (not timed). The
# pipeline converts each into a 640x480, 30 fps intermediate, as the program's
# conversion pass does, then joins the intermediates into an MPEG-4/MP3 AVI at
# 1000 kbit/s with the program's join options. The single pass scales,
# resamples and concatenates the same clips and encodes them once with the
# same encoder settings. Prints both times and their ratio (and the CPU time
# each used, which a busy machine disturbs less).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
encoder="${ENCODER:-$here/build/Corvane/asapi.dll}"
[[ -x "$encoder" ]] || { echo "No encoder at $encoder; build first (./scripts/test)" >&2; exit 1; }

work="$(mktemp -d "${TMPDIR:-/tmp}/corvane-bench-XXXXXX")"
trap 'rm -rf "$work"' EXIT

make_clip() { # name size rate sample_rate channels codec options...
    local name=$1 size=$2 rate=$3 srate=$4 channels=$5
    shift 5
    ffmpeg -hide_banner -loglevel error -y \
        -f lavfi -i "testsrc2=size=$size:rate=$rate:duration=60,noise=alls=6:allf=t" \
        -f lavfi -i "sine=frequency=440:sample_rate=$srate:duration=60" -ac "$channels" \
        "$@" "$work/$name"
}

echo "Making four one-minute clips in $work ..."
make_clip "a.mp4" 640x360 30 48000 2 -c:v libx264 -preset veryfast -c:a aac
make_clip "b.avi" 320x240 25 44100 2 -c:v mpeg4 -q:v 4 -c:a libmp3lame
make_clip "c.mpg" 352x288 25 48000 2 -c:v mpeg1video -b:v 1500k -c:a mp2 -f mpeg
make_clip "d.wmv" 480x360 15 44100 1 -c:v msmpeg4 -b:v 1000k -c:a wmav2
clips=("$work/a.mp4" "$work/b.avi" "$work/c.mpg" "$work/d.wmv")

# The program's join options for MPEG-4 at 1000 kbit/s with MP3 audio.
join_options=(-ovc lavc -lavcopts vcodec=mpeg4:vbitrate=1000:mbd=2:autoaspect
    -oac mp3lame -lameopts vbr=2:q=6 -channels 2 -vf scale=640:480 -srate 44100)

pipeline() {
    local intermediates=() i
    for i in "${!clips[@]}"; do
        "$encoder" "${clips[$i]}" -o "$work/$i.avi" -oac mp3lame -ovc lavc -ofps 30 \
            -vf scale=640:480 >/dev/null
        intermediates+=("$work/$i.avi")
    done
    "$encoder" "${intermediates[@]}" -o "$work/joined.avi" "${join_options[@]}" >/dev/null
}

single() {
    local graph="" pieces="" inputs=() i
    for i in "${!clips[@]}"; do
        inputs+=(-i "${clips[$i]}")
        graph+="[$i:v]scale=640:480,setsar=1,fps=30,format=yuv420p[v$i];"
        graph+="[$i:a]aresample=44100,aformat=channel_layouts=stereo[a$i];"
        pieces+="[v$i][a$i]"
    done
    graph+="${pieces}concat=n=4:v=1:a=1[v][a]"
    ffmpeg -hide_banner -loglevel error -nostdin -y "${inputs[@]}" -filter_complex "$graph" \
        -map "[v]" -map "[a]" -c:v mpeg4 -b:v 1000k -mbd rd -g 250 -c:a libmp3lame -q:a 6 \
        -f avi "$work/single.avi"
}

# Prints "wall cpu" in seconds for one run of a function; cpu counts the children.
measure() {
    local TIMEFORMAT='%R %U %S'
    { time "$1" 2>/dev/null; } 2>&1 | awk '{printf "%.2f %.2f\n", $1, $2 + $3}'
}

# Whether the first "wall cpu" result took less wall time than the second.
faster() { awk -v a="${1%% *}" -v b="${2%% *}" 'BEGIN { exit !(a < b) }'; }

# The machine is shared, so each side runs twice, alternately, and its faster
# run counts.
rounds=${ROUNDS:-2}
best_pipeline="" best_single=""
for ((round = 1; round <= rounds; round++)); do
    echo "Round $round: two-pass pipeline (four conversions and one join) ..."
    result=$(measure pipeline)
    if [[ -z $best_pipeline ]] || faster "$result" "$best_pipeline"; then best_pipeline=$result; fi
    echo "Round $round: single ffmpeg pass ..."
    result=$(measure single)
    if [[ -z $best_single ]] || faster "$result" "$best_single"; then best_single=$result; fi
done

read -r pipeline_wall pipeline_cpu <<<"$best_pipeline"
read -r single_wall single_cpu <<<"$best_single"
printf 'Two-pass pipeline: %.2f s (CPU %.2f s)\n' "$pipeline_wall" "$pipeline_cpu"
printf 'Single ffmpeg pass: %.2f s (CPU %.2f s)\n' "$single_wall" "$single_cpu"
printf 'Ratio: %.2f (CPU %.2f)\n' "$(awk "BEGIN{print $pipeline_wall / $single_wall}")" \
    "$(awk "BEGIN{print $pipeline_cpu / $single_cpu}")"
