#!/usr/bin/env bash
# The main window on a Wayland compositor driven by a real pointer and keyboard: the compositor
# runs as a window of an X server of the test's own, whose test extension moves the pointer,
# clicks and types, so the compositor hands the program input events as it would a user's (the
# popups of menus need them). The kiosk shell fills the screen with the window, so the program
# knows where on the screen its widgets are. Skipped (exit 77) where a tool is missing.
# Usage: wayland-input-test.sh BUILD_DIR   (ARDENVO_INPUT_DISPLAY picks the X display, :97)
set -euo pipefail
build=$1

skip() {
    echo "SKIP: $*"
    exit 77
}
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

command -v Xvfb >/dev/null || skip "Xvfb is not installed"
command -v weston >/dev/null || skip "weston is not installed"
command -v dbus-run-session >/dev/null || skip "dbus-run-session is not installed"
/sbin/ldconfig -p | grep -q 'libXtst\.so\.6' || skip "the X test extension's library is missing"
checks=$build/tests/desktop/desktop_wayland_checks
[ -x "$checks" ] || fail "no $checks (build the target desktop_wayland_checks)"

display=${ARDENVO_INPUT_DISPLAY:-:97}
socket=/tmp/.X11-unix/X${display#:}
[ ! -e "$socket" ] || fail "display $display is taken (remove $socket if no server runs there)"

work=$(mktemp -d)
server=
compositor=
stop() {
    [ -n "$1" ] || return 0
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}
cleanup() {
    stop "$compositor"
    stop "$server"
    rm -rf "$work"
}
trap cleanup EXIT
trap "exit 143" TERM INT HUP
mkdir -p "$work"/{config,data,cache}
mkdir -m 0700 "$work/runtime"
export HOME=$work XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
export XDG_CACHE_HOME=$work/cache XDG_RUNTIME_DIR=$work/runtime LANG=C.UTF-8
unset QT_SCALE_FACTOR XDG_ACTIVATION_TOKEN WAYLAND_DISPLAY

Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
server=$!
for _ in $(seq 100); do
    [ -S "$socket" ] && break
    kill -0 "$server" 2>/dev/null || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    sleep 0.1
done
[ -S "$socket" ] || fail "Xvfb made no socket"

shots=${ARDENVO_SHOT_DIR:-}
DISPLAY=$display weston --backend=x11-backend.so --shell=kiosk-shell.so --use-pixman \
    ${shots:+--debug} --socket=ardenvo-input --width=1280 --height=1024 --idle-time=0 \
    >"$work/weston.log" 2>&1 &
compositor=$!
wayland=$XDG_RUNTIME_DIR/ardenvo-input
for _ in $(seq 100); do
    [ -S "$wayland" ] && break
    kill -0 "$compositor" 2>/dev/null || fail "weston did not start: $(cat "$work/weston.log")"
    sleep 0.1
done
[ -S "$wayland" ] || fail "weston made no socket: $(cat "$work/weston.log")"

# The checks keep their own runtime folder, so the compositor is named by its full path.
rc=0
QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=$wayland ARDENVO_XTEST_DISPLAY=$display \
    ARDENVO_SHOT_DIR=$shots ARDENVO_SCREENSHOOTER=${shots:+$(command -v weston-screenshooter)} \
    timeout -k 5 180 dbus-run-session -- "$checks" >"$work/checks.out" 2>"$work/checks.err" ||
    rc=$?
if [ "$rc" -ne 0 ]; then
    grep -v '^\[ *\(OK\|RUN\) ' "$work/checks.out" | tail -40 >&2 || true
    grep -v '^dbus-daemon\[' "$work/checks.err" | tail -20 >&2 || true
    fail "the main window driven by a real pointer failed ($rc)"
fi
! grep -E 'qt\.qpa|[Ww]ayland|QWidget::|QWindow' "$work/checks.err" ||
    fail "the driven main window warned about the platform"
echo "PASS: menus, a dialog and a drag by a real pointer on Wayland"
