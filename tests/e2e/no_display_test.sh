#!/usr/bin/env bash
# With no display to open, one line on stderr names the problem and the exit is non-zero;
# a display that goes away under the running game ends it the same way, without a crash.
. "$(dirname "$0")/lib.sh"
code=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$QUICKSTACK" >"$WORK/out" 2>"$WORK/err" || code=$?
[ "$code" -ne 0 ] || fail "exit code 0 without a display"
[ "$(wc -l <"$WORK/err")" -eq 1 ] || fail "stderr was: $(cat "$WORK/err")"
grep -qi display "$WORK/err" || fail "stderr does not name the display: $(cat "$WORK/err")"

code=0
DISPLAY=:98 "$QUICKSTACK" >"$WORK/out" 2>"$WORK/err" || code=$?
[ "$code" -ne 0 ] || fail "exit code 0 with a display that refuses"
[ "$(wc -l <"$WORK/err")" -eq 1 ] || fail "stderr was: $(cat "$WORK/err")"

start_display
start_game
kill "$SERVER_PID"
SERVER_PID=""
wait_for_exit 10
[ "$EXIT_CODE" = 1 ] || fail "the lost display ended the game with code $EXIT_CODE"
[ "$(wc -l <"$WORK/stderr")" -eq 1 ] || fail "stderr was: $(cat "$WORK/stderr")"
grep -qi x11 "$WORK/stderr" || fail "stderr does not name the display: $(cat "$WORK/stderr")"
echo "no display: ok"
