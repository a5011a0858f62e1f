#!/usr/bin/env bash
# The real binary played at random for SOAK_SECONDS (30 by default): arrows and other keys,
# clicks on the buttons and elsewhere, presses and drags on the top band, every box
# answered, near-target sprints finished under a typed name. Each round ends with the
# program still drawing, then "Quitter" or the window manager's close request, exit code
# 0 and a well-formed ranking file that the next round starts from. SOAK_SEED replays.
. "$(dirname "$0")/lib.sh"
NEAR_TARGET=${NEAR_TARGET:-$(dirname "$QUICKSTACK")/../tests/quickstack_near_target}
SOAK_SECONDS=${SOAK_SECONDS:-30}
ROUND_SECONDS=${ROUND_SECONDS:-10}
RANDOM=${SOAK_SEED:-1}
file="$XDG_DATA_HOME/quickstack/Quickstack.dat"
boxes='^(Règle du jeu|Problème|Bravo, tu es le N° [0-9]+)$'
buttons=(80 105 130 155 180)  # window rows of the five buttons, at column 110
keys=(Left Right Up Down Left Right Up Down Left Right Up Down space Return Escape a Tab F1)

alive() {
    kill -0 "$GAME_PID" 2>/dev/null && ! grep -q '^State:.*zombie' "/proc/$GAME_PID/status" ||
        fail "the game died after: $1; stderr: $(tail -n 5 "$WORK/stderr")"
}

# Records a sound check of the file: whole 21-byte records, sprint ones first, each
# ranking in time order and at most 19 long. Prints the number of sprint records.
sprint_records() {
    [ -f "$file" ] || { echo 0; return 0; }
    [ $(($(stat -c %s "$file") % 21)) = 0 ] || fail "the ranking file holds $(stat -c %s "$file") bytes"
    od -An -v -tu1 -w21 "$file" | awk '
        { t = $18 + 256 * $19 + 65536 * $20 + 16777216 * $21; if (t >= 2^31) t -= 2^32
          if ($1 > 1 || $1 < mode) bad = "a record of mode " $1 " after mode " mode
          else if (NR > 1 && $1 == mode && t < time) bad = "records out of time order"
          mode = $1; time = t; count[mode]++ }
        END { if (count[0] > 19 || count[1] > 19) bad = "a ranking of more than 19"
              if (bad != "") { print bad > "/dev/stderr"; exit 1 }
              print count[0] + 0 }' || fail "the ranking file is malformed"
}

# A box titled TITLE is answered: OK for the rules and the sound problem; for a record
# a fresh name, checked in the file afterwards, or now and then Escape.
answer() {
    local id=$1 title=$2 name
    xdotool windowfocus --sync "$id" 2>/dev/null || true
    case $title in
        Bravo*)
            if [ $((RANDOM % 4)) = 0 ]; then
                xdotool key --clearmodifiers Escape
            else
                name="Soak$RANDOM"
                xdotool key --clearmodifiers ctrl+a
                xdotool type --delay 30 "$name"
                xdotool key --clearmodifiers Return
                sleep 0.5
                grep -qa "$name" "$file" || fail "the record of $name is not in the file"
            fi
            ;;
        *) xdotool key --clearmodifiers Return ;;
    esac
    sleep 0.2
}

answer_boxes() {  # → 0 when a box was open
    local id title answered=1
    for id in $(xdotool search --onlyvisible --name "$boxes" 2>/dev/null); do
        title=$(xdotool getwindowname "$id" 2>/dev/null) || continue
        answer "$id" "$title"
        answered=0
    done
    return $answered
}

click_button() { click_at $((ox + 110)) $((oy + ${buttons[$1 - 1]})); }

# A press on the band (rows 1..44) drags the window, wholly on the screen, to where the
# pointer lets go; a press that waited out a count-down or a pause moves nothing.
drag() {
    local x=$((ox + 50 + RANDOM % 700)) y=$((oy + 1 + RANDOM % 44))
    local nx=$((RANDOM % 225)) ny=$((RANDOM % 169))
    xdotool mousemove --sync "$x" "$y" mousedown 1
    sleep 0.1
    xdotool mousemove --sync $((x + (nx - ox) / 2)) $((y + (ny - oy) / 2))
    sleep 0.1
    xdotool mousemove --sync $((x + nx - ox)) $((y + ny - oy)) mouseup 1
    sleep 0.2
    local now
    now=$(window_origin)
    [ "$now" = "$ox $oy" ] || [ "$now" = "$nx $ny" ] ||
        fail "a drag from $ox $oy to $nx $ny left the window at $now"
    read -r ox oy <<<"$now"
}

random_action() {
    local roll=$((RANDOM % 100))
    if [ $roll -lt 55 ]; then
        LAST="key ${keys[RANDOM % ${#keys[@]}]}"
        xdotool key "${LAST#key }"
    elif [ $roll -lt 58 ]; then
        LAST="Nouvelle partie" && click_button 1
    elif [ $roll -lt 64 ]; then
        LAST="Règle du jeu" && click_button 2
    elif [ $roll -lt 70 ]; then
        LAST="Mode de jeu" && click_button 3
    elif [ $roll -lt 74 ]; then
        LAST="Efface classement" && click_button 4
    elif [ $roll -lt 86 ]; then
        LAST="a click in the window"
        click_at $((ox + RANDOM % 800)) $((oy + 45 + RANDOM % 555))
    elif [ $roll -lt 90 ]; then
        LAST="a press on row 0 or 45"
        click_at $((ox + 300 + RANDOM % 400)) $((oy + 45 * (RANDOM % 2)))
    else
        LAST="a drag" && drag
    fi
    sleep "0.$((10 + RANDOM % 10))"
}

# The play area changes within 1.5 s of "Nouvelle partie": a count-down digit or the
# piece. A box open meanwhile swallows the click, so it is answered and the click repeated.
still_drawing() {
    local deadline=$((SECONDS + 20))
    while [ $SECONDS -lt $deadline ]; do
        answer_boxes || true
        click_button 1
        sleep 0.5
        answer_boxes && continue
        shot && crop $((ox + 200)) $((oy + 55)) 320 535 "$WORK/before.png"
        sleep 1.5
        answer_boxes && continue
        shot && crop $((ox + 200)) $((oy + 55)) 320 535 "$WORK/after.png"
        same_picture "$WORK/before.png" "$WORK/after.png" || return 0
    done
    fail "the play area stopped changing after Nouvelle partie"
}

start_display 1024x768
wm=""
if command -v openbox >/dev/null && command -v wmctrl >/dev/null; then
    start_openbox
    wm=openbox
fi

end=$((SECONDS + SOAK_SECONDS))
round=0
while [ $round = 0 ] || [ $SECONDS -lt $end ]; do
    round=$((round + 1))
    sprint=$(sprint_records)
    if [ $((round % 2)) = 1 ]; then
        QUICKSTACK=$NEAR_TARGET start_game
        read -r ox oy <<<"$(window_origin)"
        sleep 6  # the count-down, then one drop finishes the sprint
        click_at $((ox + 300)) $((oy + 300))
        xdotool key Down
        timeout 10 xdotool search --sync --onlyvisible --name '^Bravo, tu es le N° ' >/dev/null ||
            fail "no name request after the near-target sprint"
        answer_boxes || fail "the name request closed by itself"
    else
        start_game
        read -r ox oy <<<"$(window_origin)"
        shot
        line=$((oy + 118 + 20 * sprint))
        crop $((ox + 550)) $((line - 20)) 200 20 "$WORK/last.png"
        crop $((ox + 550)) "$line" 200 20 "$WORK/next.png"
        { [ "$sprint" = 0 ] || [ -n "$(colour_box "$WORK/last.png" 32,32,32)" ]; } &&
            { [ "$sprint" = 19 ] || [ -z "$(colour_box "$WORK/next.png" 32,32,32)" ]; } ||
            fail "the panel does not show the file's $sprint sprint records"
    fi
    round_end=$((SECONDS + ROUND_SECONDS))
    while [ $SECONDS -lt $round_end ]; do
        random_action
        answer_boxes || true
        alive "$LAST"
    done
    still_drawing
    alive "the check that it still draws"
    if [ -n "$wm" ] && [ $((round % 4)) -ge 2 ]; then
        how="the close request"
        wmctrl -c Quickstack
    else
        how="Quitter"
        click_button 5
    fi
    answer_boxes || true
    wait_for_exit 15
    [ "$EXIT_CODE" = 0 ] || fail "$how ended round $round with code $EXIT_CODE"
    sprint_records >/dev/null
done
echo "soak: ok, $round rounds"
