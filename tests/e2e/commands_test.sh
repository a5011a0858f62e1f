#!/usr/bin/env bash
# The rules box, the mode switch and the drag by the top band.
. "$(dirname "$0")/lib.sh"
start_display 1024x768
start_game
read -r ox oy <<<"$(window_origin)"

click_at $((ox + 110)) $((oy + 105))  # "Règle du jeu"
wait_for_window "Règle du jeu"
sleep 0.3
shot
box=$(window_id "Règle du jeu")
eval "$(xdotool getwindowgeometry --shell "$box")"
crop "$X" "$Y" "$WIDTH" "$HEIGHT" "$WORK/rules.png"
expect_golden "$WORK/rules.png" rules-box.png
answer_box "Règle du jeu"
# A box holds no picture: the game keeps no image format plugin in memory for it.
! grep -q /imageformats/ "/proc/$GAME_PID/maps" || fail "the boxes loaded image format plugins"

sleep 0.3
shot
mode_name() {  # OUT: the box at the panel's bottom that holds the mode's name
    crop $((ox + 555)) $((oy + 520)) 190 25 "$1"
}
mode_name "$WORK/sprint.png"
click_at $((ox + 110)) $((oy + 130))  # "Mode de jeu"
sleep 0.3
shot
mode_name "$WORK/endurance.png"
same_picture "$WORK/sprint.png" "$WORK/endurance.png" && fail "the mode name did not change"
click_at $((ox + 110)) $((oy + 130))
sleep 0.3
shot
mode_name "$WORK/back.png"
same_picture "$WORK/sprint.png" "$WORK/back.png" || fail "a second press did not return to sprint"

xdotool mousemove --sync $((ox + 400)) $((oy + 50)) mousedown 1 mousemove --sync $((ox + 460)) $((oy + 90)) mouseup 1
sleep 0.3
[ "$(window_origin)" = "$ox $oy" ] || fail "a press on row 50 moved the window"
xdotool mousemove --sync $((ox + 400)) $((oy + 20)) mousedown 1
sleep 0.2
xdotool mousemove --sync $((ox + 450)) $((oy + 50))
sleep 0.2
xdotool mousemove --sync $((ox + 460)) $((oy + 60)) mouseup 1
sleep 0.3
[ "$(window_origin)" = "$((ox + 60)) $((oy + 40))" ] ||
    fail "the drag by the band left the window at $(window_origin), not $((ox + 60)) $((oy + 40))"
echo "commands: ok"
