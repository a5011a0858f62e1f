#!/usr/bin/env bash
# On sway (headless, run by a user of the test's own, since sway refuses root): natively,
# a close request to the game's window while a box is open is not lost, the box is
# answered and the game ends with 0; through its XWayland, the window is cut to its
# rounded shape, the desktop showing beside it.
. "$(dirname "$0")/lib.sh"
for tool in sway swaymsg grim Xwayland setpriv; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed"; exit 77; }
done
player=$(id -u nobody)
as_player() { setpriv --reuid="$player" --regid="$(id -g nobody)" --clear-groups "$@"; }
chmod 755 "$WORK"
chown -R "$player" "$XDG_RUNTIME_DIR"
mkdir -p "$XDG_DATA_HOME" && chown "$player" "$XDG_DATA_HOME"
desktop=48,80,160
printf 'output HEADLESS-1 resolution 1024x768 bg #3050a0 solid_color\nxwayland enable\n' \
    >"$WORK/sway.config"
unset DISPLAY QT_QPA_PLATFORM
export WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman
as_player sway -c "$WORK/sway.config" >"$WORK/sway.log" 2>&1 &
SERVER_PID=$!
socket() { compgen -G "$XDG_RUNTIME_DIR/sway-ipc.*.sock"; }
poll "$SERVER_PID" socket || { echo "sway cannot start here: $(tail -n 1 "$WORK/sway.log")"; exit 77; }
export SWAYSOCK=$(socket) WAYLAND_DISPLAY=wayland-1
window_open() { as_player swaymsg -t get_tree | grep -q "\"name\": \"$1\""; }

# No sound device here: the box saying so is open when the window is asked to close.
QT_QPA_PLATFORM=wayland as_player "$QUICKSTACK" >"$WORK/stdout" 2>"$WORK/stderr" &
GAME_PID=$!
poll "$GAME_PID" window_open Problème || fail "no Problème box on sway"
as_player swaymsg '[title="^Quickstack$"] kill' >/dev/null
wait_for_exit 10
[ "$EXIT_CODE" = 0 ] || fail "the close request over the box ended with code $EXIT_CODE"

# Through XWayland, with a silent sound output so that no box waits: the corner outside
# the rounded band and the strip beside the body show the desktop.
as_player swaymsg "exec printf %s \"\$DISPLAY\" >$XDG_RUNTIME_DIR/x-display" >/dev/null
poll "$SERVER_PID" test -s "$XDG_RUNTIME_DIR/x-display" || fail "sway names no X display"
echo 'pcm.!default { type null }' >"$WORK/asound.conf"
DISPLAY=$(cat "$XDG_RUNTIME_DIR/x-display") ALSA_CONFIG_PATH="$WORK/asound.conf" \
    as_player "$QUICKSTACK" >"$WORK/stdout" 2>"$WORK/stderr" &
GAME_PID=$!
poll "$GAME_PID" window_open Quickstack || fail "no window on sway's XWayland"
sleep 1  # its first frame
as_player grim "$XDG_RUNTIME_DIR/shot.png" && cp "$XDG_RUNTIME_DIR/shot.png" "$WORK/shot.png"
expect_block 112 84 3 "$desktop" "the corner outside the band"
expect_block 114 400 3 "$desktop" "the strip beside the body"
[ -n "$(colour_box "$WORK/shot.png" 64,167,64)" ] || fail "the window's band does not show"
echo "sway: ok"
