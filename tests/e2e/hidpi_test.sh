#!/usr/bin/env bash
# At Qt's scale 2 the window is twice as large and centred, every one of its pixels a
# sharp 2×2 block, while presses keep the window's own pixels: each button answers on
# its whole face and not beside it, and only rows 1 to 44 drag the window.
. "$(dirname "$0")/lib.sh"
export QT_SCALE_FACTOR=2
start_display 2048x1536
start_game
eval "$(xdotool getwindowgeometry --shell "$(window_id Quickstack)")"
[ "$X $Y ${WIDTH}x$HEIGHT" = "224 168 1600x1200" ] ||
    fail "window ${WIDTH}x$HEIGHT at $X,$Y, not 1600x1200 centred at 224,168"
ox=$X oy=$Y
shot
expect_window_facts "$ox" "$oy" 2
expect_block $((ox + 10)) $((oy + 600)) 2 0,0,0 "outside the shape: the black root"
crop "$ox" "$oy" 1600 1200 "$WORK/window.png"
convert "$WORK/window.png" -sample 50% -sample 200% "$WORK/blocks.png"
same_picture "$WORK/window.png" "$WORK/blocks.png" || fail "the window is not made of 2×2 blocks"

at() { click_at $((ox + $1)) $((oy + $2)); }  # screen pixels from the window's corner

at 220 210  # "Règle du jeu"
wait_for_window "Règle du jeu"
answer_box "Règle du jeu"

mode_name() {  # OUT: the mode's name at the panel's bottom
    sleep 0.3
    shot
    crop $((ox + 1110)) $((oy + 1040)) 380 50 "$1"
}
mode_name "$WORK/sprint.png"
at 220 260  # "Mode de jeu", window pixels 40…179 × 120…139
mode_name "$WORK/mode.png"
same_picture "$WORK/sprint.png" "$WORK/mode.png" && fail "Mode de jeu did not switch the mode"
at 359 279  # its last screen pixel
mode_name "$WORK/mode.png"
same_picture "$WORK/sprint.png" "$WORK/mode.png" || fail "the last pixel of Mode de jeu missed it"
for beside in "79 240" "80 239" "360 279" "359 280"; do
    at $beside
    mode_name "$WORK/mode.png"
    same_picture "$WORK/sprint.png" "$WORK/mode.png" || fail "a click at $beside, beside Mode de jeu, hit it"
done

at 220 310  # "Efface classement" writes the cleared ranking
sleep 0.5
file="$XDG_DATA_HOME/quickstack/Quickstack.dat"
[ -f "$file" ] && [ ! -s "$file" ] || fail "Efface classement did not write an empty ranking file"

drag_from() {  # SCREEN_Y: press there, move by (+120, +80), release
    xdotool mousemove --sync $((ox + 800)) $((oy + $1)) mousedown 1
    sleep 0.2
    xdotool mousemove --sync $((ox + 860)) $((oy + $1 + 40))
    sleep 0.2
    xdotool mousemove --sync $((ox + 920)) $((oy + $1 + 80)) mouseup 1
    sleep 0.3
}
drag_from 90  # window row 45
[ "$(window_origin)" = "$ox $oy" ] || fail "a press on window row 45 moved the window"
drag_from 89  # window row 44
[ "$(window_origin)" = "$((ox + 120)) $((oy + 80))" ] ||
    fail "the drag from row 44 left the window at $(window_origin), not $((ox + 120)) $((oy + 80))"
ox=$((ox + 120)) oy=$((oy + 80))

at 220 160  # "Nouvelle partie"
sleep 1.5
shot
crop $((ox + 400)) $((oy + 110)) 640 1070 "$WORK/area.png"
read -r _ dy _ dh <<<"$(colour_box "$WORK/area.png" 255,127,0)"
[ "${dy:-}" = 496 ] && [ "$dh" = 2 ] || fail "no count-down digit with its row 128 at 496, 2 high"
at 220 360  # "Quitter", once the count-down is over
wait_for_exit 10
[ "$EXIT_CODE" = 0 ] || fail "Quitter ended with code $EXIT_CODE"
echo "hidpi: ok"
