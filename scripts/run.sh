#!/usr/bin/env bash
# Builds a release build and starts ＫＶマネージャー.
#
# A new user has no recorder yet: when no device is configured for the selected
# COM port and its default device (/dev/ttyS0 for COM1 ...) cannot be opened
# or is the system console, the simulated recorder kvsim (a triaxial 5300 with
# three measurements of 300 shocks each) stands in for this run. The program
# gets its device through KV_DEVICE_OVERRIDE, which it never writes to its
# settings; kvsim ends with the program. The programs of the build are in
# build-release/bin, and share the INI file and data folder beside them.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"
scripts/deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKV_BUILD_BENCH=OFF >/dev/null
cmake --build build-release -j "$(nproc)" --target kvmanager kvsim kvtool

program="$here/build-release/bin/kvmanager"
simulator="$here/build-release/bin/kvsim"

# The INI file the program uses: beside it, or under the home folder when its
# folder is read-only.
if [ -w "$(dirname "$program")" ]; then
    ini="$program.ini"
else
    ini="${HOME:-/}/.config/kvmanager/kvmanager.ini"
fi

# ini_value SECTION KEY: the value stored in the INI file, empty when absent.
# Names match without regard to case, as in the program.
ini_value() {
    [ -f "$ini" ] || return 0
    tr -d '\r' <"$ini" | awk -v section="[$1]" -v key="$2" '
        /^[ \t]*\[/ { inside = (tolower($0) == tolower(section)); next }
        inside {
            at = index($0, "=")
            if (at > 0 && tolower(substr($0, 1, at - 1)) == tolower(key)) {
                print substr($0, at + 1)
                exit
            }
        }'
}

# A port that answers opening (a UART that is present, a USB adapter). The
# system console is no recorder line even when it opens (virtual machines put
# it on ttyS0), and frames sent there would land on the console.
can_open() {
    local console=""
    [ -r /sys/class/tty/console/active ] && console="$(cat /sys/class/tty/console/active)"
    for name in $console; do
        [ "/dev/$name" = "$1" ] && return 1
    done
    [ -r "$1" ] && [ -w "$1" ] && timeout 3 stty -F "$1" >/dev/null 2>&1
}

port="$(ini_value com Port)"
[[ "$port" =~ ^[0-9]+$ ]] || port=1
if [ "$port" -lt 1 ] || [ "$port" -gt 8 ] || [ -n "$(ini_value com "Device$port")" ] ||
    can_open "/dev/ttyS$((port - 1))"; then
    exec "$program" "$@"
fi

sim_output="$(mktemp)"
# It must not hang on this script's standard input, which a caller may close.
"$simulator" --model 5300 --measurements 3 --records 300 --no-stdin </dev/null >"$sim_output" &
sim_pid=$!
cleanup() {
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
    rm -f "$sim_output"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# kvsim prints the pseudo-terminal's path as its first line.
device=""
for _ in $(seq 100); do
    device="$(head -n 1 "$sim_output")"
    [ -n "$device" ] && break
    kill -0 "$sim_pid" 2>/dev/null || break
    sleep 0.05
done
if [ -z "$device" ]; then
    echo "run.sh: the simulated recorder did not start; starting without it" >&2
    "$program" "$@"
    exit
fi
echo "run.sh: no recorder on COM$port; the simulated recorder answers on $device for this run" >&2
KV_DEVICE_OVERRIDE="$device" "$program" "$@"
