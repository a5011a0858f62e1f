#!/usr/bin/env bash
# A new game counts down, then a piece falls and obeys the arrows; holding the down
# arrow stacks pieces to the top and the game is lost. The digits and "PERDU" are
# recoloured row by row (red 255, blue 0, green falling from 255 at the sprite's top row),
# so a row's colour tells where the sprite stands and whether its text lost its top.
. "$(dirname "$0")/lib.sh"
start_display 1024x768
start_game
read -r ox oy <<<"$(window_origin)"
px=$((ox + 200)) py=$((oy + 55))  # the play area on the root window

click_at $((ox + 110)) $((oy + 80))  # "Nouvelle partie"
sleep 1.5
shot
crop "$px" "$py" 320 535 "$WORK/area.png"
read -r _ dy _ dh <<<"$(colour_box "$WORK/area.png" 255,127,0)"
[ "${dy:-}" = 248 ] && [ "$dh" = 1 ] || fail "no count-down digit with its row 128 at 248"
[ -z "$(colour_box "$WORK/area.png" 255,255,0)" ] || fail "the digit reaches its sprite's top row"

sleep 5
shot
crop "$px" "$py" 320 535 "$WORK/area.png"
piece=""
for colour in 0,160,0 160,0,0 0,100,160 128,64,0 160,160,0 128,0,160 64,64,64; do
    [ -n "$(colour_box "$WORK/area.png" "$colour")" ] && piece=$colour
done
[ -n "$piece" ] || fail "no falling piece after the count-down"
read -r x1 y1 _ _ <<<"$(colour_box "$WORK/area.png" "$piece")"

xdotool key Left
sleep 0.2
shot
crop "$px" "$py" 320 535 "$WORK/area.png"
read -r x2 y2 _ _ <<<"$(colour_box "$WORK/area.png" "$piece")"
[ $((x1 - x2)) -eq 30 ] || fail "left arrow moved the piece from x $x1 to $x2"

xdotool key --repeat 40 --delay 120 Down
sleep 1
shot
crop "$px" "$py" 320 535 "$WORK/area.png"
read -r _ ly _ lh <<<"$(colour_box "$WORK/area.png" 255,135,0)"
[ "${ly:-}" = 240 ] && [ "$lh" = 1 ] || fail "no PERDU with its row 40 at 240"
[ -z "$(colour_box "$WORK/area.png" 255,255,0)" ] || fail "PERDU reaches its sprite's top row"
echo "game: ok"
