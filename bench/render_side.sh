#!/usr/bin/env bash
# How long vantoli-plan --render takes for a 45-minute side of 10 FLAC files, against ffmpeg
# concatenating the same files with the same silences (2 s lead-in, 5 s gaps) into one FLAC file; and
# the cost of loudness analysis, cold (empty cache) and cached. Best of RUNS runs each. Wall times
# depend on what else the machine runs; the user CPU of one run each is given too.
# Usage: bench/render_side.sh [BUILD_DIR]   (default: build)   RUNS=3
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
plan="$build/bin/vantoli-plan"
runs="${RUNS:-3}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Ten tracks of 4:25 (44:10, with lead-in and gaps 44:57), pink noise: it compresses a little worse
# than music, 16-bit 44.1 kHz.
for i in $(seq -w 1 10); do
    sox -r 44100 -c 2 -n -b 16 "$work/$i.flac" synth 265 pinknoise vol 0.3
done
files=("$work"/??.flac)

best() {  # command...: the fastest wall time of $runs runs, in seconds
    local fastest=""
    for _ in $(seq "$runs"); do
        local start end
        start=$(date +%s.%N)
        "$@" >/dev/null 2>&1
        end=$(date +%s.%N)
        fastest=$(echo "$end - $start" | bc | awk -v f="$fastest" '{ if (f == "" || $1 < f) print $1; else print f }')
    done
    echo "$fastest"
}

render() { rm -rf "$work/out"; XDG_CACHE_HOME="$work/cache" "$plan" --tapes=120 --lead-in=2 --render="$work/out" "$@" "${files[@]}"; }

# ffmpeg: the same silences between the same files, concatenated and encoded to FLAC.
ffmpeg_concat() {
    local inputs=(-f lavfi -t 2 -i anullsrc=r=44100:cl=stereo) graph="[0:a]" n=1
    for f in "${files[@]}"; do
        if [ $n -gt 1 ]; then inputs+=(-f lavfi -t 5 -i anullsrc=r=44100:cl=stereo); graph+="[$n:a]"; n=$((n + 1)); fi
        inputs+=(-i "$f"); graph+="[$n:a]"; n=$((n + 1))
    done
    ffmpeg -v error -y "${inputs[@]}" -filter_complex "${graph}concat=n=$n:v=0:a=1" -c:a flac -sample_fmt s16 "$work/ffmpeg.flac"
}

ours=$(best render --loudness=off)
theirs=$(best ffmpeg_concat)
frames=$(soxi -s "$work/out/side-a.flac")
echo "side: $(echo "$frames / 44100 / 60" | bc -l | xargs printf '%.1f') min ($frames frames), ffmpeg's: $(soxi -s "$work/ffmpeg.flac") frames"
echo "vantoli-plan --render (loudness off): ${ours} s"
echo "ffmpeg concat to FLAC:                ${theirs} s"
echo "ratio: $(echo "$ours / $theirs" | bc -l | xargs printf '%.2f')"

cold_render() { rm -rf "$work/cache"; render --loudness=track; }
cold=$(best cold_render)
cached=$(best render --loudness=track)
echo "--loudness=track, cold cache:         ${cold} s"
echo "--loudness=track, cached:             ${cached} s"
echo "cold ratio to ffmpeg: $(echo "$cold / $theirs" | bc -l | xargs printf '%.2f')"
echo "user CPU of one run each (render off / ffmpeg / track cold / track cached):"
cpu() { local TIMEFORMAT="%U+%S"; { time "$@" >/dev/null 2>&1; } 2>&1 | bc; }
echo "  $(cpu render --loudness=off) / $(cpu ffmpeg_concat) / $(cpu cold_render) / $(cpu render --loudness=track) s"
