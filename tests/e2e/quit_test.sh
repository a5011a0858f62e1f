#!/usr/bin/env bash
# "Quitter", and the window manager's close request during a game, end with code 0.
# Under openbox the frameless window gets no frame, and its band drags it through the
# window manager's move.
. "$(dirname "$0")/lib.sh"
start_display 1024x768
start_game
read -r ox oy <<<"$(window_origin)"
click_at $((ox + 110)) $((oy + 180))  # "Quitter"
wait_for_exit 5
[ "$EXIT_CODE" = 0 ] || fail "Quitter ended with code $EXIT_CODE"

command -v openbox >/dev/null || { echo "openbox is not installed"; exit 77; }
openbox >/dev/null 2>&1 &
for _ in $(seq 100); do
    wmctrl -m >/dev/null 2>&1 && break
    sleep 0.05
done
start_game
extents=$(xprop -id "$(window_id Quickstack)" _NET_FRAME_EXTENTS)
case "$extents" in
    *"not found"* | *"= 0, 0, 0, 0") ;;
    *) fail "openbox framed the window: $extents" ;;
esac
read -r ox oy <<<"$(window_origin)"
press_band_and_move() {  # the pointer by (+30, +20), then (+60, +40), the button held
    xdotool mousemove --sync $((ox + 400)) $((oy + 20)) mousedown 1
    sleep 0.2
    xdotool mousemove --sync $((ox + 430)) $((oy + 40))
    sleep 0.2
}
press_band_and_move
[ "$(window_origin)" = "$((ox + 30)) $((oy + 20))" ] || fail "the window did not follow the band"
xdotool key Escape mouseup 1  # only the window manager's move takes it back
sleep 0.3
[ "$(window_origin)" = "$ox $oy" ] || fail "Escape did not cancel openbox's move"
press_band_and_move
xdotool mousemove --sync $((ox + 460)) $((oy + 60)) mouseup 1
sleep 0.3
read -r ox oy <<<"$(window_origin)"
[ "$ox $oy" = "172 124" ] || fail "openbox's move left the window at $ox,$oy, not 172,124"
click_at $((ox + 110)) $((oy + 80))  # a game is counting down
sleep 0.5
wmctrl -c Quickstack
wait_for_exit 10
[ "$EXIT_CODE" = 0 ] || fail "the close request ended with code $EXIT_CODE"
[ ! -e "$XDG_DATA_HOME/quickstack/Quickstack.dat" ] || fail "quitting wrote the ranking file"
echo "quit: ok"
