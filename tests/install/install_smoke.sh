#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR, checks the installed layout and starts the
# installed program on its own Xvfb with a simulated mouse: its window must show and the
# program must stay up. Exit code 77 tells ctest the test was skipped.
set -uo pipefail

build=$(cd "$1" && pwd)
for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
xvfb_pid=""
program_pid=""
cleanup() {
    [[ -n "$program_pid" ]] && kill -KILL "$program_pid" 2>/dev/null
    [[ -n "$xvfb_pid" ]] && kill -TERM "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; [[ -f "$work/program.log" ]] && sed 's/^/  program: /' "$work/program.log"; exit 1; }

stage="$work/stage"
DESTDIR="$stage" cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 \
    || { cat "$work/install.log"; fail "cmake --install failed"; }

root="$stage/usr"
for file in bin/qv742-core bin/qv742-msg \
            share/qv742-core/skin/res.xml share/qv742-core/skin/XML/main.xml \
            share/qv742-core/DefaultData/Language.config \
            share/applications/qv742-core.desktop share/metainfo/org.qv742.Core.metainfo.xml \
            share/icons/hicolor/scalable/apps/qv742-core.svg \
            lib/udev/rules.d/70-qv742-core.rules share/doc/qv742-core/copyright; do
    [[ -f "$root/$file" ]] || fail "$file is not installed"
done
for program in qv742-core qv742-msg; do
    [[ -x "$root/bin/$program" ]] || fail "bin/$program is not executable"
done
# The installed tree stands on its own: no link back into the source or build tree.
links=$(find "$stage" -type l)
[[ -z "$links" ]] || fail "installed symbolic links: $links"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$root/share/applications/qv742-core.desktop" || fail "desktop entry rejected"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$root/share/metainfo/org.qv742.Core.metainfo.xml" >"$work/appstream.log" 2>&1 \
        || { cat "$work/appstream.log"; fail "metainfo rejected"; }
fi

# Xvfb picks a free display number and writes it to descriptor 3.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [[ -s "$work/display" ]] && break
    sleep 0.1
done
[[ -s "$work/display" ]] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
display=":$(head -n1 "$work/display")"

mkdir -p "$work/data" "$work/config" "$work/state" "$work/runtime"
chmod 0700 "$work/runtime"
(cd "$work" && exec env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY -u QV742_DATA_DIR \
    DISPLAY="$display" QV742_SIM=mouse \
    XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" \
    XDG_STATE_HOME="$work/state" XDG_RUNTIME_DIR="$work/runtime" \
    "$root/bin/qv742-core" >"$work/program.log" 2>&1) &
program_pid=$!

window=""
for _ in $(seq 200); do
    kill -0 "$program_pid" 2>/dev/null || fail "the installed program ended before showing its window"
    window=$(DISPLAY="$display" xdotool search --onlyvisible --name '^QV742-CORE$' 2>/dev/null | head -n1)
    [[ -n "$window" ]] && break
    sleep 0.1
done
[[ -n "$window" ]] || fail "no window titled QV742-CORE appeared"

sleep 2
kill -0 "$program_pid" 2>/dev/null || fail "the installed program ended after showing its window"
kill -TERM "$program_pid"
for _ in $(seq 50); do
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.1
done
echo "installed program showed window $window on $display and stayed up"
