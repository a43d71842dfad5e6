#!/usr/bin/env bash
# Every window as a screen reader meets it: the presenter shows each window on an X server of
# the test's own, with Qt's accessibility bridge on, in a session bus of its own with the
# accessibility bus and its registry; the walker reads each window's tree over AT-SPI and fails
# on a focusable control without a name. Skipped (exit 77) where a tool is missing.
# Usage: atspi-test.sh PRESENTER WALKER [WINDOW...]
# ARDENVO_ATSPI_SELECTION=require makes a window that does not tell its selection a fault.
# ARDENVO_ATSPI_DISPLAY picks the X display (default :97).
set -euo pipefail
presenter=$1
walker=$2
shift 2

skip() {
    echo "SKIP: $*"
    exit 77
}
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

python=/usr/bin/python3
launcher=/usr/libexec/at-spi-bus-launcher
registry=/usr/libexec/at-spi2-registryd
command -v Xvfb >/dev/null || skip "Xvfb is not installed"
command -v dbus-run-session >/dev/null || skip "dbus-run-session is not installed"
[ -x "$launcher" ] && [ -x "$registry" ] || skip "at-spi2-core is not installed"
"$python" -c 'import pyatspi' 2>/dev/null || skip "python3-pyatspi is not installed"
[ -x "$presenter" ] || fail "no presenter at $presenter"

display=${ARDENVO_ATSPI_DISPLAY:-:97}
socket=/tmp/.X11-unix/X${display#:}
[ ! -e "$socket" ] || fail "display $display is taken (remove $socket if no server runs there)"

work=$(mktemp -d)
server=
session=
cleanup() {
    # The session's time limit passes a signal on to everything started in it.
    if [ -n "$session" ] && kill -0 "$session" 2>/dev/null; then
        kill -TERM "$session" 2>/dev/null || true
        wait "$session" 2>/dev/null || true
    fi
    if [ -n "$server" ]; then
        kill "$server" 2>/dev/null || true
        wait "$server" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap "exit 143" TERM INT HUP
mkdir -p "$work"/{config,data,cache}
mkdir -m 0700 "$work/runtime"

Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
server=$!
for _ in $(seq 100); do
    [ -S "$socket" ] && break
    kill -0 "$server" 2>/dev/null || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    sleep 0.1
done
[ -S "$socket" ] || fail "Xvfb made no socket"

export HOME=$work XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
export XDG_CACHE_HOME=$work/cache XDG_RUNTIME_DIR=$work/runtime
export DISPLAY=$display QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LANG=C.UTF-8
unset WAYLAND_DISPLAY QT_SCALE_FACTOR AT_SPI_BUS_ADDRESS LANGUAGE LC_ALL

# Inside the private session bus (whose daemons' chatter goes to a log, shown on a failure): the accessibility bus and its registry, then the walk; each
# helper is ended by its id when the walk is over, whatever its outcome.
cat >"$work/session.sh" <<'SESSION'
set -u
launcher=$1 registry=$2 python=$3 walker=$4
shift 4
"$launcher" --launch-immediately >"$XDG_RUNTIME_DIR/launcher.log" 2>&1 &
bus=$!
registryd=
end() {
    for pid in $registryd $bus; do
        kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    done
}
trap end EXIT
# Asked only whether the name is taken: asking the bus itself would start a second launcher.
owned() {
    dbus-send --session --print-reply=literal --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q true
}
for _ in $(seq 100); do
    owned && break
    kill -0 "$bus" 2>/dev/null || { echo "TROUBLE: the accessibility bus did not start" >&2; exit 2; }
    sleep 0.1
done
owned || { echo "TROUBLE: no accessibility bus" >&2; exit 2; }
"$registry" >"$XDG_RUNTIME_DIR/registry.log" 2>&1 &
registryd=$!
timeout -k 5 480 "$python" "$walker" "$@" 2>&1
SESSION

selection=--selection=${ARDENVO_ATSPI_SELECTION:-report}
rc=0
# In the background, so that a signal to this script ends the walk at once.
timeout -k 10 540 dbus-run-session -- bash "$work/session.sh" "$launcher" "$registry" "$python" \
    "$walker" "$selection" "$presenter" "$@" 2>"$work/session.log" &
session=$!
wait "$session" || rc=$?
session=
[ "$rc" -eq 0 ] || { grep -v '^dbus-daemon\[' "$work/session.log" | tail -20 >&2 || true; }
case $rc in
0) echo "PASS: every focusable control is named" ;;
1) fail "focusable controls without a name (listed above)" ;;
124 | 137) fail "the walk did not end in time" ;;
*) fail "the accessibility tree could not be read ($rc)" ;;
esac
