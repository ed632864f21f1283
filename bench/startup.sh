#!/usr/bin/env bash
# Start-up time, memory and idle CPU of qv742-core with one simulated wired mouse, on a private
# Xvfb display. Prints: time from process start to the window mapped, resident memory 10 s
# after start, and CPU time over a window (default 60 s) hidden in the tray and shown idle.
#
#   bench/startup.sh [build-folder] [seconds]
set -euo pipefail

build=${1:-build}
seconds=${2:-60}
program="$build/qv742-core"
[[ -x "$program" ]] || { echo "build $program first (make build)"; exit 1; }
for tool in Xvfb xwininfo xdotool; do
  command -v "$tool" >/dev/null || { echo "needs $tool (apt-get install xvfb x11-utils xdotool)"; exit 1; }
done

work=$(mktemp -d)
trap 'kill $app $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
export DISPLAY=:77 XDG_RUNTIME_DIR="$work/run" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
Xvfb "$DISPLAY" -screen 0 1600x1000x24 >/dev/null 2>&1 &
xvfb=$!
sleep 1

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
ticks_per_second=$(getconf CLK_TCK)

start=$(date +%s%N)
QV742_SIM=mouse "$program" >/dev/null 2>&1 &
app=$!
until xwininfo -name QV742-CORE 2>/dev/null | grep -q IsViewable; do sleep 0.002; done
mapped=$(date +%s%N)
echo "window mapped after $(( (mapped - start) / 1000000 )) ms"

sleep $(( 10 - (mapped - start) / 1000000000 ))
echo "resident memory 10 s after start: $(awk '/VmRSS/ {printf "%.1f MB", $2 / 1024}' /proc/$app/status)"

measure() {
  local before after
  before=$(cpu_ticks $app)
  sleep "$seconds"
  after=$(cpu_ticks $app)
  awk -v t=$(( after - before )) -v hz="$ticks_per_second" -v s="$seconds" \
    'BEGIN { printf "%.3f s of CPU in %d s = %.3f %% of one core\n", t / hz, s, 100 * t / hz / s }'
}

echo -n "shown and idle: "
measure
window=$(xdotool search --onlyvisible --name '^QV742-CORE$' | head -1)
# The close button hides the window to the tray; it sits 38 units from the right edge.
eval "$(xdotool getwindowgeometry --shell "$window")"
scale=$(( WIDTH > 1400 ? 150 : 100 ))
xdotool mousemove --window "$window" $(( WIDTH - 31 * scale / 100 )) $(( 22 * scale / 100 )) click 1
sleep 1
xwininfo -name QV742-CORE 2>/dev/null | grep -q IsViewable && echo "(the window did not hide)"
echo -n "hidden in the tray: "
measure
