#!/usr/bin/env bash
# How long qv742-core takes to end: from the tray menu's "exit" (played through qv742-msg) or a
# SIGTERM to the process being gone, with one simulated wired mouse on a private Xvfb display.
# Prints the fastest, median and slowest of each, and the exit codes seen.
#
#   bench/exit_time.sh [build-folder] [rounds]
set -euo pipefail

build=${1:-build}
rounds=${2:-10}
program="$build/qv742-core"
msg="$build/qv742-msg"
[[ -x "$program" && -x "$msg" ]] || { echo "build $program and $msg first (make build)"; exit 1; }
for tool in Xvfb xwininfo; do
  command -v "$tool" >/dev/null || { echo "needs $tool (apt-get install xvfb x11-utils)"; exit 1; }
done

display=80
while [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]]; do display=$((display + 1)); done
work=$(mktemp -d)
app=""
trap 'kill -9 $app 2>/dev/null || true; kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
export DISPLAY=:$display QV742_SIM=mouse
export XDG_RUNTIME_DIR="$work/run" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
Xvfb "$DISPLAY" -screen 0 1600x1000x24 >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.05; done

# One run: start, wait for the window and the mouse's first read, ask it to end, time the end.
one_exit() {
  local how=$1 began ended code
  "$program" >>"$work/program.log" 2>&1 &
  app=$!
  until xwininfo -name QV742-CORE 2>/dev/null | grep -q IsViewable; do sleep 0.01; done
  sleep 1
  began=$(date +%s%N)
  if [[ $how == tray ]]; then "$msg" sim ui "menu exit"; else kill -TERM "$app"; fi
  code=0
  wait "$app" || code=$?
  ended=$(date +%s%N)
  app=""
  echo "$(( (ended - began) / 1000000 )) $code"
}

report() {
  local how=$1 times codes
  times=() codes=()
  for _ in $(seq "$rounds"); do
    read -r ms code < <(one_exit "$how")
    times+=("$ms") codes+=("$code")
  done
  printf '%s\n' "${times[@]}" | sort -n | awk -v how="$how" -v codes="$(printf '%s\n' "${codes[@]}" | sort -u | tr '\n' ' ')" \
    '{ t[NR] = $1 } END { printf "%-8s fastest %d ms, median %d ms, slowest %d ms over %d runs; exit codes: %s\n", how, t[1], t[int((NR + 1) / 2)], t[NR], NR, codes }'
}

report tray
report sigterm
[[ -S "$XDG_RUNTIME_DIR/QV742-CORE/QV742-CORE.sock" ]] && echo "(the bus socket file was left behind)" || true
