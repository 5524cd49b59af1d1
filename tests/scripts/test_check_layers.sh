#!/usr/bin/env bash
# scripts/check-layers passes on the sources as they are and fails, naming file and line, on a copy
# with one wrong include in each layer.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
"$root/scripts/check-layers" >/dev/null

copy="$(mktemp -d)"
trap 'rm -rf "$copy"' EXIT
cp -r "$root/src" "$copy/"
printf '#include <QString>\n' >>"$copy/src/core/tape_planner.h"
printf '#include "gui/main_form.h"\n' >>"$copy/src/device/libcdio_device.cpp"
printf '#include "device/libcdio_device.h"\n' >>"$copy/src/core/read_disc_tracks.cpp"
printf '#include <QCoreApplication>\n' >>"$copy/src/cli/main.cpp"
printf '#include "gui/report.h"\n' >>"$copy/src/cli/plan_command.cpp"
printf '#include <QString>\n' >>"$copy/src/audio/side_render.cpp"
printf '#include "audio/side_render.h"\n' >>"$copy/src/gui/main_form.cpp"
printf '#include "core/signal_spectrum.h"\n' >>"$copy/src/gui/report.cpp"
if out="$("$root/scripts/check-layers" "$copy/src")"; then
    echo "check-layers passed a tree with wrong includes"; exit 1
fi
for expected in "src/core/tape_planner.h:$(wc -l <"$copy/src/core/tape_planner.h"):#include <QString>" \
                "src/device/libcdio_device.cpp:$(wc -l <"$copy/src/device/libcdio_device.cpp"):#include \"gui/main_form.h\"" \
                "src/core/read_disc_tracks.cpp:$(wc -l <"$copy/src/core/read_disc_tracks.cpp"):#include \"device/libcdio_device.h\"" \
                "src/cli/main.cpp:$(wc -l <"$copy/src/cli/main.cpp"):#include <QCoreApplication>" \
                "src/cli/plan_command.cpp:$(wc -l <"$copy/src/cli/plan_command.cpp"):#include \"gui/report.h\"" \
                "src/audio/side_render.cpp:$(wc -l <"$copy/src/audio/side_render.cpp"):#include <QString>" \
                "src/gui/main_form.cpp:$(wc -l <"$copy/src/gui/main_form.cpp"):#include \"audio/side_render.h\"" \
                "src/gui/report.cpp:$(wc -l <"$copy/src/gui/report.cpp"):#include \"core/signal_spectrum.h\""; do
    grep -qF "$expected" <<<"$out" || { echo "not named: $expected"; echo "$out"; exit 1; }
done
echo "check-layers names every wrong include"
