#!/usr/bin/env bash
# On a sound server the game opens without a box, its notes reach the server's sink, and
# once they have died away it sleeps: with no game, and during a game between notes, its
# threads together wake a few times a second and use next to no CPU. Rendering or feeding
# silence instead wakes them hundreds or thousands of times a second. Without a sound device
# the synthesiser's libraries stay out of memory.
. "$(dirname "$0")/lib.sh"
start_display 1024x768
start_sound_server
start_game_with_sound

SECONDS_MEASURED=4
# expect_asleep WHAT: the game's threads over SECONDS_MEASURED. Asleep it uses 0-1 ticks
# and 10-40 wake-ups (four gravity ticks in a game); awake for silence, 20+ ticks and
# thousands of wake-ups.
expect_asleep() {
    local ticks switches
    read -r ticks switches < <(thread_usage "$GAME_PID")
    sleep "$SECONDS_MEASURED"
    read -r ticks2 switches2 < <(thread_usage "$GAME_PID")
    [ $((ticks2 - ticks)) -le 8 ] ||
        fail "$1: $((ticks2 - ticks)) CPU ticks in $SECONDS_MEASURED s while silent"
    [ $((switches2 - switches)) -le $((40 * SECONDS_MEASURED)) ] ||
        fail "$1: $((switches2 - switches)) wake-ups in $SECONDS_MEASURED s while silent"
}
expect_asleep "no game"

# "Nouvelle partie": the count-down plays a note every second, then two at its end.
timeout 8 parec --device=quiet.monitor --format=s16le --channels=1 --raw >"$WORK/sink.raw" &
RECORDER=$!
read -r ox oy <<<"$(window_origin)"
click_at $((ox + 110)) $((oy + 80))
wait "$RECORDER" || true
loud=$(od -An -v -t d2 "$WORK/sink.raw" |
    awk '{ for (i = 1; i <= NF; i++) if ($i > 1000 || $i < -1000) n++ } END { print n + 0 }')
[ "$loud" -gt 4410 ] || fail "the count-down did not reach the sound server ($loud loud samples)"

# The count-down's last notes die away within seconds; the first piece locks about
# seventeen seconds after the count-down, when it reaches the floor untouched.
sleep 5
expect_asleep "a game between notes"
[ ! -s "$WORK/stderr" ] || fail "the game wrote to stderr: $(head -n 3 "$WORK/stderr")"

# Without a sound server or device the one box comes, and the synthesiser's libraries were
# never loaded: none of them stays in the game's memory.
kill "$GAME_PID"
wait_for_exit 5
PULSE_SERVER=unix:/nonexistent ALSA_CONFIG_PATH=/dev/null start_game
! grep -qE '/lib(fluidsynth|gobject)' "/proc/$GAME_PID/maps" ||
    fail "the synthesiser's libraries are in memory without a sound device"
echo "sound: ok"
