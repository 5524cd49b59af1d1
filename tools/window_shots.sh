#!/usr/bin/env bash
# Photographs the three small windows with a sample report: the whole screen under Xvfb (framed by
# openbox when it is installed) as screen.png, and each window's client area and the enlarged icons.
# Usage: tools/window_shots.sh [OUTPUT_DIR]   (default docs/windows; needs a built build/ or $BUILD_DIR)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
out="$(mkdir -p "${1:-$root/docs/windows}" && cd "${1:-$root/docs/windows}" && pwd)"
tool="$build/tools/vantoli_window_shots"

QT_QPA_PLATFORM=offscreen "$tool" --grab "$out"

xvfb-run -a -s "-screen 0 800x600x24" bash -c '
  if command -v openbox >/dev/null; then openbox >/dev/null 2>&1 & sleep 1; fi
  "$1" >/dev/null 2>&1 &
  shots=$!
  sleep 2
  import -window root "$2/screen.png"
  kill "$shots"
' _ "$tool" "$out"
echo "pictures in $out"
