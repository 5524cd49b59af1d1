#!/usr/bin/env bash
# Runs a command with a PulseAudio server of its own: headless, one null sink "tape" (its monitor
# "tape.monitor" records what is played), in a private runtime folder. The server is stopped and the
# folder removed however the command ends. norewinds=1 keeps the monitor from losing the first
# seconds of a stream.
#
# The server keeps its real-time sink threads (without them a loaded machine starves the stream and
# the recording holds a gap), but not the 200 ms real-time limit it would set for them: the kernel
# kills the whole server when such a thread seems to run that long, and on a loaded virtual machine a
# stalled virtual CPU looks exactly like that. Nor its CPU watchdog, for the same reason. Its log is
# kept, and shown when the command fails.
set -euo pipefail
XDG_RUNTIME_DIR="$(mktemp -d)"
export XDG_RUNTIME_DIR
chmod 700 "$XDG_RUNTIME_DIR"
export PULSE_SERVER="unix:$XDG_RUNTIME_DIR/pulse/native"
unset PULSE_SINK PULSE_SOURCE

stop_server() {
    local pid
    pid="$(cat "$XDG_RUNTIME_DIR/pulse/pid" 2>/dev/null || true)"
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null || true
        for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$pid" 2>/dev/null || true
    fi
    rm -rf "$XDG_RUNTIME_DIR"
}
trap stop_server EXIT

# HOME in the runtime folder too: the server keeps no state of the user's.
log="$XDG_RUNTIME_DIR/pulseaudio.log"
echo "rlimit-rttime = -1" >"$XDG_RUNTIME_DIR/daemon.conf"
HOME="$XDG_RUNTIME_DIR" PULSE_CONFIG="$XDG_RUNTIME_DIR/daemon.conf" pulseaudio -n --daemonize=yes \
    --exit-idle-time=-1 --no-cpu-limit --log-target="file:$log" --log-level=error \
    -L "module-native-protocol-unix auth-anonymous=1" \
    -L "module-null-sink sink_name=tape rate=44100 channels=2 norewinds=1"
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl set-default-sink tape
server="$(cat "$XDG_RUNTIME_DIR/pulse/pid")"
status=0
"$@" || status=$?
if [ "$status" -ne 0 ]; then
    kill -0 "$server" 2>/dev/null || echo "with_pulseaudio.sh: the sound server had gone by the end" >&2
    echo "with_pulseaudio.sh: the sound server's log:" >&2
    cat "$log" >&2
fi
exit "$status"
