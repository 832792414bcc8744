#!/usr/bin/env bash
# The idle cost of a program against the SDL reference (sdl-idle-reference),
# both running at once on a virtual X server of their own for SECONDS:
# CPU time and voluntary context switches (each sleep that ends is one) of
# the main thread.
#
#     bash bench/idle.sh [BIN_DIR] [SECONDS] [PROGRAM ARGS...]
#
# BIN_DIR defaults to build-rel/bin, SECONDS to 10, the program to vyn.
# IDLE_KEYS: keys (xdotool names) pressed in the program's window once it
# has the focus, before measuring: "Escape" after a level's path measures
# the pause panel.
# IDLE_REFERENCE: another reference, as a command line (words split at
# spaces): IDLE_REFERENCE="build-rel/bin/vyn --mute" measures vyn with its
# sound against itself without. It runs on a virtual X server of its own,
# its window focused there and given the IDLE_KEYS too, so that both
# windows are active.
set -euo pipefail
bin=$(realpath "${1:-build-rel/bin}")
seconds=${2:-10}
shift 2 || true
program=("$@")
[ ${#program[@]} -gt 0 ] || program=("$bin/vyn")

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x720x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
referenceDisplay=$display
referenceXvfb=
if [ -n "${IDLE_REFERENCE:-}" ]; then
    referenceDisplay=:$((200 + RANDOM % 100))
    Xvfb "$referenceDisplay" -screen 0 1280x720x24 -nolisten tcp >/dev/null 2>&1 &
    referenceXvfb=$!
fi
trap 'kill $xvfb $referenceXvfb 2>/dev/null || true; rm -f "${log:-}"' EXIT
sleep 1
export DISPLAY=$display

# Focuses the windows of a process on a display and presses the IDLE_KEYS.
focusAndPress() {
    local window
    for window in $(DISPLAY=$2 xdotool search --pid "$1" 2>/dev/null); do
        DISPLAY=$2 xdotool windowfocus "$window" >/dev/null 2>&1 || true
    done
    sleep 1
    for key in ${IDLE_KEYS:-}; do
        DISPLAY=$2 xdotool key "$key" >/dev/null 2>&1 || true
    done
}

# The reference first: a window that opens takes the focus, and a game
# whose window is not active draws no frames. Without a window manager
# nothing gives the focus back, so the program's window is given it.
if [ -n "${IDLE_REFERENCE:-}" ]; then
    read -r -a referenceCommand <<<"$IDLE_REFERENCE"
else
    referenceCommand=("$bin/sdl-idle-reference" $((seconds + 6)))
fi
DISPLAY=$referenceDisplay "${referenceCommand[@]}" >/dev/null 2>&1 &
reference=$!
sleep 1
log=$(mktemp)
"${program[@]}" >"$log" 2>&1 &
measured=$!
sleep 1
focusAndPress $measured "$display"
[ -z "${IDLE_REFERENCE:-}" ] || focusAndPress $reference "$referenceDisplay"
sleep 1

# CPU ticks (user + system) and voluntary switches of a process's main thread.
sample() {
    local stat
    stat=$(cat /proc/"$1"/stat)
    stat=${stat##*) }
    set -- $stat
    echo "$((${12} + ${13})) $(awk '/^voluntary_ctxt_switches/ {print $2}' /proc/"$measured_pid"/task/"$measured_pid"/status)"
}
measured_pid=$measured; read -r m0 mw0 < <(sample $measured)
measured_pid=$reference; read -r r0 rw0 < <(sample $reference)
sleep "$seconds"
measured_pid=$measured; read -r m1 mw1 < <(sample $measured)
measured_pid=$reference; read -r r1 rw1 < <(sample $reference)
kill $measured 2>/dev/null || true
[ -z "${IDLE_REFERENCE:-}" ] || kill $reference 2>/dev/null || true
wait $reference 2>/dev/null || true
wait $measured 2>/dev/null || true

hz=$(getconf CLK_TCK)
awk -v m=$((m1 - m0)) -v r=$((r1 - r0)) -v mw=$((mw1 - mw0)) -v rw=$((rw1 - rw0)) -v s="$seconds" -v hz="$hz" 'BEGIN {
    printf "program:   %.2f %% of a core, %.1f wake-ups per frame\n", 100 * m / hz / s, mw / (60 * s)
    printf "reference: %.2f %% of a core, %.1f wake-ups per frame\n", 100 * r / hz / s, rw / (60 * s)
    printf "ratio:     %.2f\n", (r > 0 ? m / r : 0)
}'
