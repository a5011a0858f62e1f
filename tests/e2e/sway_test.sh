#!/usr/bin/env bash
# On native sway (headless, run by a user of the test's own, since sway refuses root),
# a close request to the game's window while a box is open is not lost: the box is
# answered, and the game ends with 0.
. "$(dirname "$0")/lib.sh"
for tool in sway swaymsg setpriv; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed"; exit 77; }
done
player=$(id -u nobody)
as_player() { setpriv --reuid="$player" --regid="$(id -g nobody)" --clear-groups "$@"; }
chmod 755 "$WORK"
chown -R "$player" "$XDG_RUNTIME_DIR"
mkdir -p "$XDG_DATA_HOME" && chown "$player" "$XDG_DATA_HOME"
printf 'output HEADLESS-1 resolution 1024x768\nxwayland disable\n' >"$WORK/sway.config"
unset DISPLAY QT_QPA_PLATFORM
export WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman
as_player sway -c "$WORK/sway.config" >"$WORK/sway.log" 2>&1 &
SERVER_PID=$!
socket() { compgen -G "$XDG_RUNTIME_DIR/sway-ipc.*.sock"; }
poll "$SERVER_PID" socket || { echo "sway cannot start here: $(tail -n 1 "$WORK/sway.log")"; exit 77; }
export SWAYSOCK=$(socket) WAYLAND_DISPLAY=wayland-1 QT_QPA_PLATFORM=wayland
window_open() { as_player swaymsg -t get_tree | grep -q "\"name\": \"$1\""; }

# No sound device here: the box saying so is open when the window is asked to close.
as_player "$QUICKSTACK" >"$WORK/stdout" 2>"$WORK/stderr" &
GAME_PID=$!
poll "$GAME_PID" window_open Problème || fail "no Problème box on sway"
as_player swaymsg '[title="^Quickstack$"] kill' >/dev/null
wait_for_exit 10
[ "$EXIT_CODE" = 0 ] || fail "the close request over the box ended with code $EXIT_CODE"
echo "sway: ok"
