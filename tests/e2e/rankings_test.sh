#!/usr/bin/env bash
# The rankings on the panel and in their file: a seeded file shows, each mode's
# "Efface classement" clears only its own records, and a finished sprint asks for the
# name and files the record.
. "$(dirname "$0")/lib.sh"
NEAR_TARGET=${NEAR_TARGET:-$(dirname "$QUICKSTACK")/../tests/quickstack_near_target}
file="$XDG_DATA_HOME/quickstack/Quickstack.dat"
mkdir -p "$(dirname "$file")"

# record MODE NAME MS: one 21-byte record, the name zero-filled to 16 bytes.
record() {
    printf "\\$(printf %03o "$1")"
    printf '%s' "$2"
    head -c $((16 - ${#2})) /dev/zero
    local ms=$3 i
    for i in 0 8 16 24; do printf "\\$(printf %03o $(((ms >> i) & 255)))"; done
}
record 0 Alice 61234 >"$WORK/sprint.dat"
record 1 Bob 300000 >"$WORK/endurance.dat"
cat "$WORK/endurance.dat" "$WORK/sprint.dat" >"$file"  # interleaved order loads too

start_display 1024x768
start_game
read -r ox oy <<<"$(window_origin)"
shot
has_text_line 0 || fail "the sprint record does not show on the panel"
has_text_line 1 && fail "a second line shows for one sprint record"

click_at $((ox + 110)) $((oy + 155))  # "Efface classement"
sleep 0.5
cmp -s "$file" "$WORK/endurance.dat" || fail "clearing sprint did not leave just the endurance record"
shot
has_text_line 0 && fail "the cleared sprint ranking still shows"

click_at $((ox + 110)) $((oy + 130))  # "Mode de jeu"
sleep 0.3
shot
has_text_line 0 || fail "the endurance record does not show after the mode switch"
click_at $((ox + 110)) $((oy + 155))
sleep 0.5
[ -f "$file" ] && [ ! -s "$file" ] || fail "clearing endurance did not leave an empty file"
click_at $((ox + 110)) $((oy + 180))  # "Quitter"
wait_for_exit 5

QUICKSTACK=$NEAR_TARGET start_game
sleep 6  # the count-down
xdotool key Down
wait_for_window "Bravo, tu es le N° 1"
xdotool type --delay 50 "Zoé"
xdotool key Return
sleep 0.5
{ printf '\000Zo\351'; head -c 13 /dev/zero; } >"$WORK/name.dat"
[ "$(stat -c %s "$file")" = 21 ] || fail "the finish did not write one record"
cmp -s <(head -c 17 "$file") "$WORK/name.dat" || fail "the record holds $(od -c "$file")"
shot
has_text_line 0 || fail "the new record does not show on the panel"
echo "rankings: ok"
