#!/usr/bin/env bash
# Runs a command with a PulseAudio server of its own: headless, one null sink "tape" (its monitor
# "tape.monitor" records what is played), in a private runtime folder. The server is stopped and the
# folder removed however the command ends. norewinds=1 keeps the monitor from losing the first
# seconds of a stream.
#
# The server runs without real-time scheduling or its CPU watchdog. Started as root, it would give its
# sink threads SCHED_RR under a real-time limit of 200 ms, and the kernel kills the whole server when
# a thread seems to run that long: on a loaded virtual machine a stalled virtual CPU looks exactly like
# that, and a test lost its server in the middle of a side. Its log is kept, and shown when the
# command fails.
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
HOME="$XDG_RUNTIME_DIR" pulseaudio -n --daemonize=yes --exit-idle-time=-1 --realtime=no --high-priority=no \
    --no-cpu-limit --log-target="file:$log" --log-level=error \
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
