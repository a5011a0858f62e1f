#!/usr/bin/env bash
# "Quitter", a terminating signal, and the window manager's close request during a game
# or a drag, end with code 0; a second signal of any kind ends it at once. A signal or a
# close request while the name is typed files the name first.
# Under openbox the frameless window gets no frame, and its band drags it through the
# window manager's move.
. "$(dirname "$0")/lib.sh"
NEAR_TARGET=${NEAR_TARGET:-$(dirname "$QUICKSTACK")/../tests/quickstack_near_target}
file="$XDG_DATA_HOME/quickstack/Quickstack.dat"
start_display 1024x768
start_game
read -r ox oy <<<"$(window_origin)"
click_at $((ox + 110)) $((oy + 180))  # "Quitter"
wait_for_exit 5
[ "$EXIT_CODE" = 0 ] || fail "Quitter ended with code $EXIT_CODE"

for signal in TERM INT HUP; do
    start_game
    [ $signal = TERM ] && click_at $((ox + 110)) $((oy + 80))  # it waits out the count-down
    kill -s $signal "$GAME_PID"
    wait_for_exit 10
    [ "$EXIT_CODE" = 0 ] || fail "SIG$signal ended the game with code $EXIT_CODE"
done
for second in TERM INT HUP; do  # a second signal, of any kind, ends it at once
    start_game
    click_at $((ox + 110)) $((oy + 80))
    kill -s TERM "$GAME_PID"
    sleep 0.2
    kill -s $second "$GAME_PID"
    wait_for_exit 10
    [ "$EXIT_CODE" = $((128 + $(kill -l $second))) ] ||
        fail "SIGTERM then SIG$second waited for the count-down (code $EXIT_CODE)"
done
[ ! -e "$file" ] || fail "a signal wrote the ranking file"
QUICKSTACK=$NEAR_TARGET start_game
sleep 6  # the count-down, then one drop finishes the sprint
xdotool key Down
wait_for_window "Bravo, tu es le N° 1"
xdotool type --delay 50 "Ann"
kill -s TERM "$GAME_PID"
wait_for_exit 5
[ "$EXIT_CODE" = 0 ] || fail "SIGTERM during the name request ended with code $EXIT_CODE"
cmp -s <(head -c 4 "$file") <(printf '\000Ann') ||
    fail "SIGTERM during the name request filed $(od -c "$file")"

start_openbox
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
rm "$file"
wmctrl -c Quickstack
wait_for_exit 10
[ "$EXIT_CODE" = 0 ] || fail "the close request ended with code $EXIT_CODE"
[ ! -e "$file" ] || fail "quitting wrote the ranking file"

# The close request to the game's window while a box is open, which Qt would drop: the box
# is answered as its "Ok" would be, the name typed so far kept, and the game ends.
start_game
read -r ox oy <<<"$(window_origin)"
click_at $((ox + 110)) $((oy + 105))  # "Règle du jeu"
wait_for_window "Règle du jeu"
wmctrl -c Quickstack
wait_for_exit 10
[ "$EXIT_CODE" = 0 ] || fail "the close request over the rules ended with code $EXIT_CODE"
QUICKSTACK=$NEAR_TARGET start_game
sleep 6
xdotool key Down
wait_for_window "Bravo, tu es le N° 1"
xdotool type --delay 50 "Bea"
wmctrl -c Quickstack
wait_for_exit 10
[ "$EXIT_CODE" = 0 ] || fail "the close request over the name request ended with code $EXIT_CODE"
cmp -s <(head -c 4 "$file") <(printf '\000Bea') ||
    fail "the close request over the name request filed $(od -c "$file")"
rm "$file"

for run in $(seq 50); do  # the close request at a different moment of each drag
    start_game
    read -r ox oy <<<"$(window_origin)"
    xdotool mousemove --sync $((ox + 400)) $((oy + 20)) mousedown 1
    sleep "0.0$((run % 10))"
    xdotool mousemove $((ox + 400 + run)) $((oy + 40))
    wmctrl -c Quickstack
    wait_for_exit 2
    xdotool mouseup 1
    [ "$EXIT_CODE" = 0 ] || fail "a close request during drag $run ended with code $EXIT_CODE"
done
echo "quit: ok"
