#!/usr/bin/env bash
# What is drawn straight on the window stays until the window is really uncovered: the
# pointer crossing the buttons repaints none of it, and a new record shows on the panel
# as soon as its name is typed, wherever the pointer rests. Run as is, and with
# "openbox" as its argument under that window manager.
. "$(dirname "$0")/lib.sh"
NEAR_TARGET=${NEAR_TARGET:-$(dirname "$QUICKSTACK")/../tests/quickstack_near_target}
start_display 1024x768
[ "${1:-}" = openbox ] && start_openbox
start_game
read -r ox oy <<<"$(window_origin)"

cross_buttons() {  # down through all five buttons, then out over the play area
    glide $((ox + 110)) $((oy + 62)) $((ox + 110)) $((oy + 198))
    glide $((ox + 110)) $((oy + 198)) $((ox + 300)) $((oy + 300))
    sleep 0.3
}
# keeps_area X Y W H WHAT: crossing the buttons leaves that part of the window as it was.
keeps_area() {
    shot && crop $((ox + $1)) $((oy + $2)) "$3" "$4" "$WORK/before.png"
    cross_buttons
    shot && crop $((ox + $1)) $((oy + $2)) "$3" "$4" "$WORK/after.png"
    same_picture "$WORK/before.png" "$WORK/after.png" || fail "crossing the buttons wiped $5"
}

click_at $((ox + 110)) $((oy + 80))  # "Nouvelle partie"
sleep 6.5
keeps_area 80 450 80 80 "the next-piece preview"
xdotool key --repeat 40 --delay 120 Down
sleep 1
keeps_area 200 55 320 535 "PERDU"
[ -n "$(colour_box "$WORK/after.png" 255,135,0)" ] || fail "no PERDU after the lost game"

xmessage -geometry 1024x768+0+0 cover &
cover=$!
sleep 0.5
kill $cover
wait $cover 2>/dev/null || true
sleep 0.5
shot
crop $((ox + 200)) $((oy + 55)) 320 535 "$WORK/area.png"
[ -z "$(colour_box "$WORK/area.png" 255,135,0)" ] || fail "uncovering the window did not repaint it"
expect_window_facts "$ox" "$oy" 1
click_at $((ox + 110)) $((oy + 180))  # "Quitter"
wait_for_exit 5

for run in $(seq 10); do
    QUICKSTACK=$NEAR_TARGET start_game
    xdotool mousemove $((ox + 650)) $((oy + 560))  # on the game panel, off every button
    sleep 6  # the count-down, then one drop finishes the sprint
    xdotool key Down
    wait_for_window "Bravo, tu es le N° [0-9]*"
    xdotool key Return
    sleep 0.5
    shot
    has_text_line $((run - 1)) && ! has_text_line "$run" ||
        fail "run $run: the panel does not show the new record after Ok"
    click_at $((ox + 110)) $((oy + 180))
    wait_for_exit 5
done
echo "repaint: ok"
