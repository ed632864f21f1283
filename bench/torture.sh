#!/usr/bin/env bash
# Torture runs of qv742-core with a simulated wired mouse on Qt's offscreen platform.
#
# 1. Kills: the program is started again and again on the same user folders while a driver
#    plays settings changes into it (qv742-msg sim ui: DPI stages, report rate, profile choice),
#    and is killed with SIGKILL at a random moment. Afterwards every JSON file of the user
#    folder must parse and every profile of "ProfileList.ini" must be there and parse.
# 2. Plugs: one run unplugs and plugs the mouse many times; resident memory, open files and
#    threads are printed before and after.
#
#   bench/torture.sh [build-folder] [kills] [plug-cycles]
set -euo pipefail

build=${1:-build}
kills=${2:-200}
cycles=${3:-1000}
program="$build/qv742-core"
msg="$build/qv742-msg"
[[ -x "$program" && -x "$msg" ]] || { echo "build $program and $msg first (make build)"; exit 1; }
command -v python3 >/dev/null || { echo "needs python3"; exit 1; }

work=$(mktemp -d)
app=""
driver=""
cleanup() {
  [[ -n "$driver" ]] && kill "$driver" 2>/dev/null || true
  [[ -n "$app" ]] && kill -9 "$app" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
export QT_QPA_PLATFORM=offscreen QV742_SIM=mouse
export XDG_RUNTIME_DIR="$work/run" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
user_folder="$XDG_DATA_HOME/QV742-CORE"

# Starts the program and waits until its message bus endpoint answers (at most 30 s).
start_program() {
  "$program" >>"$work/program.log" 2>&1 &
  app=$!
  for _ in $(seq 300); do
    # A frame the program does not know is dropped; it only shows that the endpoint answers
    # (a killed run leaves its socket file behind until the next run replaces it).
    "$msg" send QV742-TORTURE-PING 2>/dev/null && return 0
    kill -0 "$app" 2>/dev/null || { echo "the program ended on its own; see its log:"; tail -20 "$work/program.log"; exit 1; }
    sleep 0.1
  done
  echo "the program did not open its message bus within 30 s"
  exit 1
}

# Plays settings changes as fast as the program takes them, until killed.
drive_changes() {
  while :; do
    stage=$((RANDOM % 6))
    "$msg" sim ui "value DPI_slider_$stage $((RANDOM % 100))" 2>/dev/null || true
    "$msg" sim ui "select polling_rate_option_$((RANDOM % 4))" 2>/dev/null || true
    "$msg" sim ui "select DPI_select_check_$stage" 2>/dev/null || true
    "$msg" sim ui "item device_profile_combo $((RANDOM % 2))" 2>/dev/null || true
  done
}

# Every JSON file parses; every listed profile exists and parses. Prints the problems; the
# number of profiles listed on success.
check_user_folder() {
  python3 - "$user_folder" <<'EOF'
import json, os, sys
root = sys.argv[1]
problems = []
profiles = 0
for folder, _, names in os.walk(root):
    for name in names:
        path = os.path.join(folder, name)
        if name.endswith((".json", ".Json", ".ini", ".config")):
            try:
                with open(path, encoding="utf-8") as f:
                    json.load(f)
            except Exception as error:
                problems.append(f"{path}: {error}")
        if name == "ProfileList.ini":
            try:
                with open(path, encoding="utf-8") as f:
                    listing = json.load(f)
            except Exception:
                continue
            for entry in (listing.get("profilelist") or []) if isinstance(listing, dict) else []:
                profile_id = entry.get("profileUUID") if isinstance(entry, dict) else None
                if not profile_id:
                    continue
                profiles += 1
                file = os.path.join(folder, profile_id + ".Json")
                if not os.path.exists(file):
                    problems.append(f"{file}: listed but missing")
                    continue
                try:
                    with open(file, encoding="utf-8") as f:
                        json.load(f)
                except Exception as error:
                    problems.append(f"{file}: {error}")
for problem in problems:
    print(problem)
print(f"ok {profiles}" if not problems else f"failed {len(problems)}")
EOF
}

echo "== $kills kills while settings are being saved"
start_program
sleep 2
first=$(check_user_folder | tail -1)
kill -9 "$app"; wait "$app" 2>/dev/null || true
echo "after the first start: $first"
failed=0
ended=0
listed_before=${first#ok }
for round in $(seq "$kills"); do
  : >"$work/program.log"
  start_program
  drive_changes &
  driver=$!
  sleep "$(awk -v r=$RANDOM 'BEGIN { printf "%.3f", 0.2 + r / 32768 * 1.3 }')"
  if ! kill -9 "$app" 2>/dev/null; then
    code=0; wait "$app" || code=$?
    ended=$((ended + 1))
    echo "round $round: the program ended by itself with status $code; its log ends:"
    tail -5 "$work/program.log"
  fi
  wait "$app" 2>/dev/null || true
  kill "$driver" 2>/dev/null; wait "$driver" 2>/dev/null || true
  driver=""
  result=$(check_user_folder)
  if [[ "$(tail -1 <<<"$result")" != "ok $listed_before" ]]; then
    failed=$((failed + 1))
    echo "round $round:"; echo "$result"
  fi
done
echo "kills: $kills, rounds with a damaged or lost file or profile: $failed, runs that ended by themselves: $ended"
echo "files kept aside as damaged: $(find "$user_folder" -name '*.damaged*' | wc -l)," \
  "temporary files of interrupted writes left behind: $(find "$user_folder" -name '*.tmp-*' | wc -l)"

echo "== $cycles unplug/plug cycles"
start_program
sleep 3
snapshot() {
  printf "%s: resident %s kB, open files %s, threads %s\n" "$1" \
    "$(awk '/VmRSS/ {print $2}' /proc/$app/status)" "$(ls /proc/$app/fd | wc -l)" "$(ls /proc/$app/task | wc -l)"
}
snapshot before
began=$(date +%s%N)
for _ in $(seq "$cycles"); do
  "$msg" sim unplug mouse
  sleep 0.02
  "$msg" sim plug mouse
  sleep 0.02
done
sleep 3
snapshot after
echo "cycles took $(( ($(date +%s%N) - began) / 1000000 )) ms"
kill -0 "$app" && echo "the program still runs"
