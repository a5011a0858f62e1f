# Shared by the end-to-end tests: each test starts its own X server on a free display,
# runs the real binary on it, drives it with xdotool and reads screenshots.
set -euo pipefail

QUICKSTACK=${QUICKSTACK:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/build/app/quickstack}
WORK=$(mktemp -d)
export XDG_DATA_HOME="$WORK/data"
# Qt's own, so that stderr holds only what the game says (CI runs as root without one).
export XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
SERVER_PID=""
GAME_PID=""
SOUND_PID=""
BUS_PID=""

cleanup() {
    [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null || true
    [ -n "$SERVER_PID" ] && kill "$SERVER_PID" 2>/dev/null || true
    [ -n "$SOUND_PID" ] && kill "$SOUND_PID" 2>/dev/null || true
    [ -n "$BUS_PID" ] && kill "$BUS_PID" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    [ -f "$WORK/shot.png" ] && cp "$WORK/shot.png" "${TMPDIR:-/tmp}/quickstack-e2e-failure.png" &&
        echo "last screenshot: ${TMPDIR:-/tmp}/quickstack-e2e-failure.png" >&2
    exit 1
}

# poll PID COMMAND...: true once COMMAND succeeds, within 10 s and while PID runs.
poll() {
    local pid=$1
    shift
    for _ in $(seq 200); do
        "$@" >/dev/null 2>&1 && return 0
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.05
    done
    return 1
}

# The display Xvfb named, once it answers.
display_ready() {
    [ -s "$WORK/display" ] || return 1
    export DISPLAY=":$(head -n 1 "$WORK/display")"
    xdotool getdisplaygeometry
}

# start_display [WIDTHxHEIGHT]: a fresh Xvfb with a black root window.
start_display() {
    command -v Xvfb >/dev/null || { echo "Xvfb is not installed"; exit 77; }
    local size=${1:-1024x768}
    # Xvfb takes the first free display itself and tells its number: tests started at the
    # same moment, here or by someone else on the machine, never share one.
    Xvfb -displayfd 3 -screen 0 "${size}x24" -br -nolisten tcp -noreset \
        3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
    SERVER_PID=$!
    poll "$SERVER_PID" display_ready && return 0
    fail "no X server could be started: $(tail -n 1 "$WORK/xvfb.log")"
}

# start_openbox: a window manager on the test's display, ready when this returns: once it
# runs its start-up command, after it has taken over the display and the windows on it.
# Its name on the display comes earlier, and a window mapped then was seen left unmanaged.
start_openbox() {
    command -v openbox >/dev/null && command -v wmctrl >/dev/null ||
        { echo "openbox or wmctrl is not installed"; exit 77; }
    openbox --startup "touch '$WORK/openbox-ready'" >/dev/null 2>&1 &
    poll $! test -e "$WORK/openbox-ready" || fail "openbox did not start"
}

# start_session_bus: a D-Bus session bus of the test's own, as a desktop has.
start_session_bus() {
    command -v dbus-daemon >/dev/null || { echo "dbus-daemon is not installed"; exit 77; }
    dbus-daemon --session --nofork --print-address=3 3>"$WORK/bus" >/dev/null 2>&1 &
    BUS_PID=$!
    poll "$BUS_PID" test -s "$WORK/bus" || fail "no session bus could be started"
    DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$WORK/bus")
    export DBUS_SESSION_BUS_ADDRESS
}

# start_sound_server: a PulseAudio server of the test's own, as a desktop has, whose one
# sink is a null sink named "quiet": it takes sound at a card's pace and plays it nowhere,
# and its monitor "quiet.monitor" records what reached it. PULSE_SERVER leads the game there.
start_sound_server() {
    command -v pulseaudio >/dev/null || { echo "pulseaudio is not installed"; exit 77; }
    local home="$WORK/pulse"
    mkdir -m 700 "$home"
    export PULSE_SERVER="unix:$home/native"
    # It runs as root in CI, where it warns but serves; its own files stay in its home.
    HOME="$home" XDG_CONFIG_HOME="$home" XDG_RUNTIME_DIR="$home" \
        pulseaudio -n --daemonize=no --system=no --use-pid-file=no --exit-idle-time=-1 \
        -L "module-native-protocol-unix socket=$home/native auth-anonymous=1" \
        -L "module-null-sink sink_name=quiet" >"$WORK/pulse.log" 2>&1 &
    SOUND_PID=$!
    poll "$SOUND_PID" pactl info ||
        fail "no PulseAudio server could be started: $(tail -n 1 "$WORK/pulse.log")"
}

# thread_usage PID: "ticks wakeups" the process has used so far, summed over all its threads:
# CPU clock ticks (utime + stime of each thread's stat, fields 14 and 15, counted after the
# command name, which may hold spaces), and voluntary and involuntary context switches,
# each of which is one wake-up of a sleeping or preempted thread.
thread_usage() {
    local task ticks=0 switches=0
    for task in /proc/"$1"/task/*; do
        ticks=$((ticks + $(sed 's/^.*) //' "$task/stat" | awk '{ print $12 + $13 }')))
        switches=$((switches + $(awk '/ctxt_switches/ { s += $2 } END { print s }' "$task/status")))
    done
    echo "$ticks $switches"
}

# start_game: the real binary on the test's display, with the sound-error box answered.
start_game() {
    "$QUICKSTACK" >"$WORK/stdout" 2>"$WORK/stderr" &
    GAME_PID=$!
    answer_box "Problème"
    wait_for_window Quickstack
    sleep 0.3
}

# start_game_with_sound: the real binary on the test's display and sound server, where no
# box may come.
start_game_with_sound() {
    "$QUICKSTACK" >"$WORK/stdout" 2>"$WORK/stderr" &
    GAME_PID=$!
    wait_for_window Quickstack
    sleep 1
    [ -z "$(window_id Problème)" ] || fail "a Problème box although a sound server runs"
}

wait_for_window() {  # name → prints nothing, fails after 10 s
    local id
    id=$(timeout 10 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1) ||
        fail "no window named $1"
    [ -n "$id" ] || fail "no window named $1"
}

window_id() { xdotool search --onlyvisible --name "^$1\$" | head -n 1; }

# answer_box TITLE: waits for the modal box and presses its OK button with Return.
answer_box() {
    local id
    id=$(timeout 10 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1) ||
        fail "no box titled $1"
    xdotool windowfocus --sync "$id" 2>/dev/null || true
    xdotool key --clearmodifiers Return
    for _ in $(seq 50); do
        [ -z "$(window_id "$1")" ] && return 0
        sleep 0.05
    done
    fail "the box titled $1 did not close"
}

shot() { import -display "$DISPLAY" -window root "$WORK/shot.png"; }

# expect_block X Y N r,g,b WHAT: the N×N block of the last screenshot whose top-left
# corner is at root (X, Y) is all of that colour.
expect_block() {
    local got
    got=$(convert "$WORK/shot.png" -crop "${3}x${3}+$1+$2" +repage -depth 8 txt:- |
        sed -n '2,$s/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p' | sort -u | xargs)
    [ "$got" = "$4" ] || fail "$5 at ($1, $2): expected $3×$3 of $4, got $got"
}

# expect_window_facts X Y SCALE: the window at start, its origin at root (X, Y), shows
# these pixels of its own inside its shape, each as its whole SCALE×SCALE block of the
# screen.
expect_window_facts() {
    local x y colour what
    while read -r x y colour what; do
        expect_block $(($1 + $3 * x)) $(($2 + $3 * y)) "$3" "$colour" "$what"
    done <<'FACTS'
100 20 64,167,64 title band, row 20
100 40 64,233,64 title band, row 40
195 300 42,42,85 body, row 300
195 306 0,0,0 grid line, row 306
200 55 255,255,255 play area, raised edge
519 589 0,0,0 play area, dark edge
202 300 160,160,224 play area, backdrop ground
FACTS
}

# window_origin [ID]: the top-left corner of the window (the game's) on the root window.
window_origin() {
    xdotool getwindowgeometry --shell "${1:-$(window_id Quickstack)}" | awk -F= '
        /^X=/ { x = $2 } /^Y=/ { y = $2 } END { print x " " y }'
}

click_at() {  # root X Y
    # --sync waits for the pointer to move, which it never does when it is there already.
    if [ "$(xdotool getmouselocation --shell | sed -n 's/^[XY]=//p' | xargs)" = "$1 $2" ]; then
        xdotool click 1
    else
        xdotool mousemove --sync "$1" "$2" click 1
    fi
}

# glide X1 Y1 X2 Y2: the pointer from one root point to another in small steps, as a
# hand moves it, without a click.
glide() {
    local steps=30 i
    for i in $(seq 0 $steps); do
        xdotool mousemove $(($1 + ($3 - $1) * i / steps)) $(($2 + ($4 - $2) * i / steps))
        sleep 0.01
    done
}

# has_text_line INDEX: ranking panel line INDEX of the last screenshot holds dark-grey
# text; ox and oy are the window's origin.
has_text_line() {
    crop $((ox + 550)) $((oy + 118 + 20 * $1)) 200 20 "$WORK/line.png"
    [ -n "$(colour_box "$WORK/line.png" 32,32,32)" ]
}

# wait_for_exit SECONDS: sets EXIT_CODE to the game's, or fails when it keeps running.
wait_for_exit() {
    local deadline=$((SECONDS + $1))
    # An ended child stays a zombie until it is waited for.
    while kill -0 "$GAME_PID" 2>/dev/null &&
        ! grep -q '^State:.*zombie' "/proc/$GAME_PID/status" 2>/dev/null; do
        [ $SECONDS -lt $deadline ] || fail "the game did not end"
        sleep 0.05
    done
    EXIT_CODE=0
    wait "$GAME_PID" || EXIT_CODE=$?
    GAME_PID=""
}

# crop X Y W H OUT: a region of the last screenshot, in root coordinates.
# Without metadata, so that the same pixels give the same file.
crop() { convert "$WORK/shot.png" -crop "${3}x${4}+$1+$2" +repage -strip "$5"; }

# colour_box FILE r,g,b: "X Y W H" of the bounding box of the pixels of exactly that
# colour, or nothing when there are none.
colour_box() {
    convert "$1" -format %c histogram:info:- | grep " ($2) " >/dev/null || return 0
    convert "$1" -fill black +opaque "rgb($2)" -trim -format '%X %Y %w %h' info: | tr -d +
}

# same_picture A B: no pixel differs.
same_picture() {
    [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = "0" ]
}

# update_picture NEW DEST: DEST becomes NEW, unless it already shows the same pixels.
update_picture() {
    if [ -f "$2" ] && same_picture "$1" "$2"; then
        echo "unchanged $2"
        return 0
    fi
    mkdir -p "$(dirname "$2")"
    cp "$1" "$2"
    echo "regenerated $2"
}

# The golden picture NAME from tests/golden, or a fresh one when regenerating on purpose.
expect_golden() {  # FILE NAME
    local golden="$GOLDEN_DIR/$2"
    if [ "${REGENERATE_GOLDENS:-}" = 1 ]; then
        update_picture "$1" "$golden"
        return 0
    fi
    [ -f "$golden" ] || fail "no golden $golden (run scripts/regenerate-goldens)"
    same_picture "$1" "$golden" || {
        cp "$1" "${TMPDIR:-/tmp}/quickstack-$2"
        fail "$2 differs from its golden; this run's picture: ${TMPDIR:-/tmp}/quickstack-$2"
    }
}
GOLDEN_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")/../golden" && pwd)"
