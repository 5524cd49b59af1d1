#!/usr/bin/env bash
# Plays a side from an installed or unpacked window, as a user would: the window opens a tape of one
# tone, Help → Topics shows the help, File → Dub to tape opens the dubbing window, Space plays, and what
# reaches a PulseAudio null sink is recorded; then the cassette label's Print opens the print dialog.
# Passes when the recording holds the track's tone at its level (the window found the vantoli-plan
# installed beside it: VANTOLI_PLAN is not set, and the side really sounded), the help window opened
# (it opens only on the pages installed with the window) and so did the print dialog (it opens only
# when the window loads the print module installed beside it).
# Runs under Xvfb with openbox, with a PulseAudio server of its own (tests/scripts/with_pulseaudio.sh).
# Usage: tests/install/play_unpacked.sh PREFIX   (the folder holding bin/vantoli, e.g. ROOT/usr)
#        tests/install/play_unpacked.sh --install BUILD_DIR   (installs the build under a prefix of its own)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
if [ "$1" = --install ]; then
    cmake --install "$2" --prefix "$work/prefix" >/dev/null
    prefix="$work/prefix"
else
    prefix="$(cd "$1" && pwd)"
fi
unset VANTOLI_PLAN VANTOLI_HELPER VANTOLI_HELP VANTOLI_PRINT

# A 10 s tone of 600 Hz at half of full scale (RMS 0.354): no beep of the count-down (880 Hz) and no
# calibration tone (400 or 1000 Hz) is mistaken for it.
sox -q -n -r 44100 -c 2 -b 16 "$work/tone.wav" synth 10 sine 600 vol 0.5
cat >"$work/tone.vantoli" <<EOF
{
  "format": "vantoli-tape", "version": 1, "minReaderVersion": 1,
  "sources": ["tone.wav"], "entries": ["10"], "album": "", "artist": "",
  "tracks": [{"milliseconds": 10000, "title": "Tone", "artist": "", "audio": {"file": "tone.wav"}}],
  "longList": false,
  "options": {"keepOrder": true, "gap": true, "exact": false, "tapes": [{"minutes": 46, "sideCapacity": 1380}]},
  "dubbing": {"leadInSeconds": 1, "loudness": "off", "tone": {"seconds": 0, "hertz": 1000, "dbfs": -12}}
}
EOF

# A home of its own: no settings, no recovery copy, no recent tapes of the user's.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" XDG_CACHE_HOME="$work/home/cache"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"
export LANG=C.UTF-8 LANGUAGE= LC_ALL= LC_MESSAGES=

"$here/../scripts/with_pulseaudio.sh" xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  set -euo pipefail
  openbox >/dev/null 2>&1 &
  sleep 1
  QT_QPA_PLATFORM=xcb "$1/bin/vantoli" "$2/tone.vantoli" >"$2/window.log" 2>&1 &
  program=$!
  trap "kill $program 2>/dev/null || true" EXIT
  main="$(timeout 30 xdotool search --sync --onlyvisible --class vantoli | head -n 1)"
  sleep 2   # the tape opens once the window is up
  xdotool windowactivate --sync "$main"
  xdotool key --clearmodifiers alt+r   # Run: the plan to dub
  sleep 1
  # Help → Topics: the help window opens only on the installed pages.
  xdotool key --clearmodifiers alt+h
  sleep 0.5
  xdotool key t
  help="$(timeout 30 xdotool search --sync --onlyvisible --name "Vantoli ヘルプ" | head -n 1 || true)"
  [ -z "$help" ] || xdotool getwindowname "$help" >"$2/help-title"
  xdotool windowactivate --sync "$main"
  sleep 0.5
  xdotool key --clearmodifiers alt+f
  sleep 0.5
  xdotool key d
  dubbing="$(timeout 30 xdotool search --sync --onlyvisible --name "ダビング" | head -n 1)"
  xdotool windowactivate --sync "$dubbing"
  sleep 1
  parec -d tape.monitor --raw --format=s16le --rate=44100 --channels=2 >"$2/recorded.raw" &
  recorder=$!
  sleep 1
  xdotool key space
  sleep 15   # the count-down (3 s), the lead-in (1 s) and the track (10 s)
  kill "$recorder"
  # File → Make cassette label, then Print.
  xdotool windowactivate --sync "$main"
  sleep 0.5
  xdotool key --clearmodifiers alt+f
  sleep 0.5
  xdotool key l
  label="$(timeout 30 xdotool search --sync --onlyvisible --name "カセットレーベル" | head -n 1 || true)"
  if [ -n "$label" ]; then
    xdotool windowactivate --sync "$label"
    sleep 0.5
    xdotool key --clearmodifiers alt+r
    printing="$(timeout 30 xdotool search --sync --onlyvisible --name "カセットレーベルの印刷" | head -n 1 || true)"
    [ -z "$printing" ] || xdotool getwindowname "$printing" >"$2/print-title"
  fi
' _ "$prefix" "$work"

# From 6 s to 9 s after the recording began the track plays, whatever the start-up took to within a
# second or two.
stats="$(sox -t raw -r 44100 -e signed -b 16 -c 2 "$work/recorded.raw" -n trim 6 3 remix 1 stat 2>&1)"
frequency="$(awk '/Rough +frequency/ { print $3 }' <<<"$stats")"
rms="$(awk '/RMS +amplitude/ { print $3 }' <<<"$stats")"
if ! awk -v f="$frequency" -v r="$rms" 'BEGIN { exit !(f > 580 && f < 620 && r > 0.32 && r < 0.39) }'; then
    echo "the unpacked window did not play the side into the sink: ${frequency:-?} Hz, RMS ${rms:-?}"
    cat "$work/window.log" || true
    exit 1
fi
echo "the unpacked window played the side: $frequency Hz, RMS $rms"
help_title="$(cat "$work/help-title" 2>/dev/null || true)"
case "$help_title" in
    "Vantoli ヘルプ" | *" - Vantoli ヘルプ") echo "the unpacked window showed its help: $help_title" ;;
    *) echo "the unpacked window did not show its installed help: ${help_title:-no help window}"; exit 1 ;;
esac
print_title="$(cat "$work/print-title" 2>/dev/null || true)"
if [ "$print_title" != "カセットレーベルの印刷" ]; then
    echo "the unpacked window did not open its print dialog: ${print_title:-no print dialog}"
    cat "$work/window.log" || true
    exit 1
fi
echo "the unpacked window opened its print dialog"
