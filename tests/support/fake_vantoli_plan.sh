#!/usr/bin/env bash
# A stand-in for vantoli-plan in the dubbing window's tests, in the folder $FAKE_PLAN_DIR:
#   --devices          prints devices.json
#   --play ...         keeps its arguments (arguments) and the request line (request.json), appends the
#                      commands it is sent to commands, and follows script line by line: a report line
#                      is written as it is; "sleep S" waits; "wait CMD" waits for the command CMD;
#                      "gate NAME" waits until the test makes the file NAME there; "exit N" ends
#                      with status N. After the script it waits for "stop".
set -u
dir="$FAKE_PLAN_DIR"
if [ "${1:-}" = "--devices" ]; then
    cat "$dir/devices.json"
    exit 0
fi
printf '%s\n' "$*" > "$dir/arguments"
IFS= read -r request
printf '%s\n' "$request" > "$dir/request.json"
: > "$dir/commands"
cat <&0 >> "$dir/commands" &
listener=$!
trap 'kill $listener 2>/dev/null' EXIT
# The window has closed its end of the commands: it is gone, and so is this player.
gone() { ! kill -0 "$listener" 2>/dev/null; }
while IFS= read -r line; do
    case "$line" in
        "sleep "*) sleep "${line#sleep }" ;;
        "wait "*) until grep -qx "${line#wait }" "$dir/commands"; do gone && exit 0; sleep 0.02; done ;;
        "gate "*) until [ -e "$dir/${line#gate }" ]; do gone && exit 0; sleep 0.02; done ;;
        "exit "*) exit "${line#exit }" ;;
        *) printf '%s\n' "$line" ;;
    esac
done < "$dir/script"
until grep -qx stop "$dir/commands" || gone; do sleep 0.02; done
