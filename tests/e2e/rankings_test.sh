#!/usr/bin/env bash
# The rankings on the panel and in their file: a seeded file shows, each mode's
# "Efface classement" clears only its own records, a finished sprint asks for the name and
# files the record, and three games at once on one file, one of them behind a stopped
# game's lock, all keep what they saved.
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

start_display 1700x768  # room for two windows side by side
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
click_at $((ox + 110)) $((oy + 180))
wait_for_exit 5

# Two games on one file, side by side: a sprint record filed in one, then the endurance
# ranking cleared in the other, which had loaded the file before the record.
record 0 Alice 61234 >"$file"
record 1 Bob 300000 >>"$file"
game_window() {  # PID: the window of that game, once it shows
    local id
    for _ in $(seq 100); do
        id=$(xdotool search --all --onlyvisible --pid "$1" --name '^Quickstack$' | head -n 1)
        [ -n "$id" ] && echo "$id" && return 0
        sleep 0.1
    done
    fail "no window for the game $1"
}
QUICKSTACK=$NEAR_TARGET start_game
near_window=$(game_window "$GAME_PID")
xdotool windowmove --sync "$near_window" 880 80
start_game
other_window=$(game_window "$GAME_PID")
xdotool windowmove --sync "$other_window" 40 80
sleep 5  # the near-target game's count-down
xdotool windowfocus --sync "$near_window" key Down
wait_for_window "Bravo, tu es le N° 1"
xdotool type --delay 50 "Zoé"
xdotool key Return
sleep 0.5
# the file without the new record's time
without_time() { head -c 17 "$file"; tail -c +22 "$file"; }
cat "$WORK/name.dat" <(record 0 Alice 61234) >"$WORK/sprint.dat"
cmp -s <(without_time) <(cat "$WORK/sprint.dat" <(record 1 Bob 300000)) ||
    fail "the record did not join the rankings: $(od -c "$file")"
read -r ox oy <<<"$(window_origin "$near_window")"
shot  # the name box closed over neither panel: nothing but the game drew the record
has_text_line 1 || fail "the game that filed the record does not show both sprint lines"
read -r ox oy <<<"$(window_origin "$other_window")"
click_at $((ox + 110)) $((oy + 130))  # "Mode de jeu": endurance
sleep 0.3
click_at $((ox + 110)) $((oy + 155))  # "Efface classement"
sleep 0.5
cmp -s <(without_time) "$WORK/sprint.dat" ||
    fail "clearing endurance in the other game lost the record: $(od -c "$file")"
shot
has_text_line 0 && fail "the cleared endurance ranking still shows"
click_at $((ox + 110)) $((oy + 130))  # back to sprint
sleep 0.3
shot
has_text_line 1 || fail "the clearing game does not show the record it saved with"

# A third game files its record while a game stopped in the middle of a save (SIGSTOP)
# holds the lock: the record shows at once, waits with one line on stderr, and reaches
# the file as soon as the holder goes on; no record made is missing.
flock --no-fork "$(dirname "$file")" sleep 600 &
holder=$!
sleep 0.3
kill -STOP $holder
before=$(od -An -c "$file")
QUICKSTACK=$NEAR_TARGET start_game
third_window=$(game_window "$GAME_PID")
xdotool windowmove --sync "$third_window" 460 100
sleep 5
xdotool windowraise "$third_window" windowfocus --sync "$third_window" key Down
box=$(timeout 10 xdotool search --sync --onlyvisible --name '^Bravo, tu es le N° [12]$' | head -n 1) ||
    fail "no name request in the third game"
xdotool windowfocus --sync "$box" type --delay 50 "Max"
xdotool key Return
sleep 4  # a few seconds of waiting for the lock
[ "$(od -An -c "$file")" = "$before" ] || fail "a save went through the stopped game's lock"
read -r ox oy <<<"$(window_origin "$third_window")"
shot
has_text_line 2 || fail "the waiting record does not show on the third game's panel"
[ "$(grep -c 'wait to be saved' "$WORK/stderr")" = 1 ] ||
    fail "the wait was not said once on stderr: $(cat "$WORK/stderr")"
kill -CONT $holder
kill $holder
sleep 1.5  # the next tick saves
for name in 'Zo\351' 'Max' 'Alice'; do
    grep -qa "$(printf "$name")" "$file" || fail "$name's record is missing: $(od -c "$file")"
done
[ "$(stat -c %s "$file")" = 63 ] || fail "the file holds $(od -c "$file")"
echo "rankings: ok"
