#!/usr/bin/env bash
# CPU of qv742-core and wake-ups of its lighting threads with the simulated mouse and pad, on a
# private Xvfb display. Per scenario: the process's CPU time as a share of one core, and the
# voluntary context switches per second of the threads named "lighting" (one per device) and
# "light sync" (from /proc/PID/task/*/status). Goals: window shown on the mouse's Lighting page
# with spectrum, breathing or wave at speed 4 below 2 %, a static effect below 0.1 %, hidden in
# the tray below 0.05 %. The effects are chosen with the products' own effect buttons
# (qv742-msg sim effect), which the program reads back like real hardware.
#
#   bench/lighting_cpu.sh [build-folder] [seconds] [display]
set -euo pipefail

build=${1:-build}
seconds=${2:-60}
display=${3:-:78}
program="$build/qv742-core"
msg="$build/qv742-msg"
[[ -x "$program" && -x "$msg" ]] || { echo "build $program and $msg first (make build)"; exit 1; }
for tool in Xvfb xwininfo xdotool; do
  command -v "$tool" >/dev/null || { echo "needs $tool (apt-get install xvfb x11-utils xdotool)"; exit 1; }
done

work=$(mktemp -d)
app=""
xvfb=""
cleanup() {
  [[ -n "$app" ]] && kill "$app" 2>/dev/null
  [[ -n "$xvfb" ]] && kill "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
export DISPLAY=$display XDG_RUNTIME_DIR="$work/run" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" \
  XDG_STATE_HOME="$work/state"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
Xvfb "$DISPLAY" -screen 0 1600x1000x24 >/dev/null 2>&1 &
xvfb=$!
sleep 1

QV742_SIM=mouse,pad "$program" >/dev/null 2>&1 &
app=$!
until xwininfo -name QV742-CORE 2>/dev/null | grep -q IsViewable; do sleep 0.05; done
sleep 3

cpu_ticks() { awk '{print $14 + $15}' "/proc/$app/stat"; }
ticks_per_second=$(getconf CLK_TCK)
# Voluntary switches of the lighting threads, summed.
wakeups() {
  local total=0 task
  for task in /proc/$app/task/*; do
    case "$(cat "$task/comm" 2>/dev/null)" in
      lighting|"light sync")
        total=$(( total + $(awk '/^voluntary_ctxt_switches/ {print $2}' "$task/status") )) ;;
    esac
  done
  echo $total
}

measure() {
  local label=$1 goal=$2 cpu_before cpu_after wake_before wake_after
  sleep 2
  cpu_before=$(cpu_ticks); wake_before=$(wakeups)
  sleep "$seconds"
  cpu_after=$(cpu_ticks); wake_after=$(wakeups)
  awk -v l="$label" -v t=$(( cpu_after - cpu_before )) -v w=$(( wake_after - wake_before )) -v hz="$ticks_per_second" \
      -v s="$seconds" -v g="$goal" \
    'BEGIN { printf "%-34s CPU %6.3f %% of one core (goal < %s %%)   lighting wake-ups %7.1f /s\n", l, 100 * t / hz / s, g, w / s }'
}

effect() { "$msg" sim effect "$1" >/dev/null; }

# Mouse modes: 3 spectrum, 1 breathing, 2 wave, 0 static. Pad: 3 static, 0 wave.
effect pad:3:4
effect mouse:3:4; measure "shown, mouse spectrum speed 4" 2
effect mouse:1:4; measure "shown, mouse breathing speed 4" 2
effect mouse:2:4; measure "shown, mouse wave speed 4" 2
effect mouse:0:4; measure "shown, mouse and pad static" 0.1

effect mouse:3:4
window=$(xdotool search --onlyvisible --name '^QV742-CORE$' | head -1)
# The close button hides the window to the tray; it sits 38 units from the right edge.
eval "$(xdotool getwindowgeometry --shell "$window")"
scale=$(( WIDTH > 1400 ? 150 : 100 ))
xdotool mousemove --window "$window" $(( WIDTH - 31 * scale / 100 )) $(( 22 * scale / 100 )) click 1
sleep 1
xwininfo -name QV742-CORE 2>/dev/null | grep -q IsViewable && echo "(the window did not hide)"
measure "hidden in the tray, mouse spectrum" 0.05
