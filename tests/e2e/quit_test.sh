#!/usr/bin/env bash
# "Quitter", and the window manager's close request during a game, end with code 0.
. "$(dirname "$0")/lib.sh"
start_display 1024x768
start_game
read -r ox oy <<<"$(window_origin)"
click_at $((ox + 110)) $((oy + 180))  # "Quitter"
wait_for_exit 5
[ "$EXIT_CODE" = 0 ] || fail "Quitter ended with code $EXIT_CODE"

command -v openbox >/dev/null || { echo "openbox is not installed"; exit 77; }
openbox >/dev/null 2>&1 &
sleep 0.5
start_game
read -r ox oy <<<"$(window_origin)"
click_at $((ox + 110)) $((oy + 80))  # a game is counting down
sleep 0.5
wmctrl -c Quickstack
wait_for_exit 10
[ "$EXIT_CODE" = 0 ] || fail "the close request ended with code $EXIT_CODE"
[ ! -e "$XDG_DATA_HOME/quickstack/Quickstack.dat" ] || fail "quitting wrote the ranking file"
echo "quit: ok"
