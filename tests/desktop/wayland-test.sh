#!/usr/bin/env bash
# Both programs on a Wayland compositor of their own (weston without a screen): each opens, draws
# and ends cleanly with Qt's Wayland plugin, says nothing about the platform, and a second start
# of either brings the running one forward. Skipped (exit 77) where weston is not installed.
# Usage: wayland-test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

if ! command -v weston >/dev/null; then
    echo "SKIP: weston is not installed (scripts/install-deps.sh installs it)"
    exit 77
fi

work=$(mktemp -d)
compositor=
cleanup() {
    [ -n "$compositor" ] && kill "$compositor" 2>/dev/null && wait "$compositor" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work"/{config,data,cache,shots}
mkdir -m 0700 "$work/runtime"
cp "$source/data/family-house.av" "$work/house.av"

# Nothing of the caller's session: only this compositor, and a session bus of our own, on which
# no notification service answers.
export HOME=$work XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
export XDG_CACHE_HOME=$work/cache XDG_RUNTIME_DIR=$work/runtime
export LANG=C.UTF-8 QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=ardenvo-test
unset DISPLAY QT_SCALE_FACTOR XDG_ACTIVATION_TOKEN

# Drawn with pixman, so that a picture of the screen shows what a user would see; the debug
# protocol only where such pictures are asked for (ARDENVO_SHOT_DIR), as the screenshooter needs it.
shots=${ARDENVO_SHOT_DIR:-}
weston --backend=headless-backend.so --use-pixman ${shots:+--debug} --socket="$WAYLAND_DISPLAY" \
    --width=1280 --height=1024 --idle-time=0 >"$work/weston.log" 2>&1 &
compositor=$!
for _ in $(seq 100); do
    [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break
    kill -0 "$compositor" 2>/dev/null || fail "weston did not start: $(cat "$work/weston.log")"
    sleep 0.1
done
[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] || fail "weston made no socket: $(cat "$work/weston.log")"

# What Qt says when it cannot use the platform, or uses it wrongly.
platform_trouble='qt\.qpa|[Ww]ayland|platform plugin|xcb|QWidget::|QWindow'

# Runs a program to its end in the session bus; exit 0 and a quiet standard error required.
run() {
    local what=$1
    shift
    local rc=0
    timeout 120 dbus-run-session -- "$@" >"$work/$what.out" 2>"$work/$what.err" || rc=$?
    [ "$rc" -eq 0 ] || fail "$what ended with $rc: $(cat "$work/$what.err")"
    ! grep -E "$platform_trouble" "$work/$what.err" || fail "$what warned about the platform"
}

# A PNG of the given size (or any size) with more than a handful of colours: something was drawn.
drawn() {
    local png=$1 size=${2:-}
    [ -s "$png" ] || fail "no picture $png"
    local colours
    colours=$(identify -format '%k' "$png")
    [ "$colours" -gt 16 ] || fail "$png is blank ($colours colours)"
    if [ -n "$size" ]; then
        [ "$(identify -format '%wx%h' "$png")" = "$size" ] || fail "$png is not $size"
    fi
}

run main "$build/bin/ardenvo" --screenshot "$work/shots/main.png" "$work/house.av"
drawn "$work/shots/main.png" 1280x800
run objects "$build/bin/ardenvo" --screenshot "$work/shots/objects.png" \
    --objects-inside "Living room" "$work/house.av"
drawn "$work/shots/objects.png"
run reminder "$build/bin/ardenvoreminder" --screenshot "$work/shots/reminder.png"
drawn "$work/shots/reminder.png"

# The main window driven: a menu and its submenu run an entry, a dialog opened from a menu closes
# with Esc, a block is dragged by its corner, a block's context menu opens and closes; a tab of
# the reminder window shows its page and Esc hides the window. The checks
# keep their settings and runtime folders apart, so the compositor is named by its full path.
checks=$build/tests/desktop/desktop_wayland_checks
[ -x "$checks" ] || fail "no $checks (build the target desktop_wayland_checks)"
rc=0
WAYLAND_DISPLAY=$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY ARDENVO_SHOT_DIR=$shots \
    ARDENVO_SCREENSHOOTER=${shots:+$(command -v weston-screenshooter)} \
    timeout 180 dbus-run-session -- "$checks" >"$work/checks.out" 2>"$work/checks.err" || rc=$?
[ "$rc" -eq 0 ] || fail "the driven main window failed ($rc): $(grep -v '^\[ *\(OK\|RUN\) ' \
    "$work/checks.out" | tail -40) $(cat "$work/checks.err")"
! grep -E "$platform_trouble" "$work/checks.err" || fail "the driven main window warned about the platform"

# The reminder program for real, in one session bus with its second start: without a tray it
# opens its window, and the second start brings that window back after it was closed.
log=$work/reminder-events.log
cat >"$work/session.sh" <<SESSION
set -u
"$build/bin/ardenvoreminder" --event-log "$log" 2>"$work/first.err" &
first=\$!
for _ in \$(seq 300); do grep -q shown "$log" 2>/dev/null && break; sleep 0.1; done
XDG_ACTIVATION_TOKEN=token-of-the-second-start "$build/bin/ardenvoreminder" 2>"$work/second.err"
echo "second \$?" >"$work/second.rc"
for _ in \$(seq 300); do grep -q show-request "$log" 2>/dev/null && break; sleep 0.1; done
sleep 0.5
kill -TERM \$first
wait \$first
echo "first \$?" >"$work/first.rc"
SESSION
timeout 120 dbus-run-session -- bash "$work/session.sh" || fail "the reminder session did not end"
grep -qx 'second 0' "$work/second.rc" || fail "second start: $(cat "$work/second.rc")"
grep -qx 'first 0' "$work/first.rc" || fail "first copy: $(cat "$work/first.rc") $(cat "$work/first.err")"
grep -q ' shown' "$log" || fail "no window without a tray: $(cat "$log")"
sed -n '/show-request/,$p' "$log" | grep -q ' shown' || fail "second start showed nothing: $(cat "$log")"
for copy in first second; do
    ! grep -E "$platform_trouble" "$work/$copy.err" || fail "$copy copy warned about the platform"
done
[ ! -e "$XDG_RUNTIME_DIR/ardenvo/ArdenvoReminderShowEvent.token" ] ||
    fail "the running copy left the second start's token behind"

# The main program with a house, and a second start with the same house: the running one takes
# the request (and the token) and the second start ends at once.
"$build/bin/ardenvo" --recovery-answer no "$work/house.av" >"$work/main-first.out" \
    2>"$work/main-first.err" &
main=$!
for _ in $(seq 300); do
    "$build/bin/ardenvo-tool" open-projects 2>/dev/null | grep -q house.av && break
    kill -0 "$main" 2>/dev/null || fail "the main program ended: $(cat "$work/main-first.err")"
    sleep 0.1
done
"$build/bin/ardenvo-tool" open-projects | grep -q house.av || fail "the house never showed as open"
token=$XDG_RUNTIME_DIR/ardenvo/ArdenvoShowWindow.$main.token
rc=0
XDG_ACTIVATION_TOKEN=token-of-the-second-start timeout 60 "$build/bin/ardenvo" "$work/house.av" \
    2>"$work/main-second.err" || rc=$?
[ "$rc" -eq 0 ] || fail "second start of the main program ended with $rc: $(cat "$work/main-second.err")"
for _ in $(seq 100); do
    [ -e "$token" ] || break
    sleep 0.1
done
[ ! -e "$token" ] || fail "the running main program did not take the second start's request"
kill -0 "$main" 2>/dev/null || fail "the running main program ended"
kill -KILL "$main"
wait "$main" 2>/dev/null || true
for copy in main-first main-second; do
    ! grep -E "$platform_trouble" "$work/$copy.err" || fail "$copy warned about the platform"
done

echo "PASS: both programs on Wayland"
