#!/usr/bin/env bash
# With no display to open, one line on stderr names the problem and the exit is non-zero;
# a display that goes away under the running game ends it the same way, without a crash.
# The command line answers without one.
. "$(dirname "$0")/lib.sh"
nowhere=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
# argument, exit code, what stdout's first line must match, lines on stderr
while read -r argument expected out errors; do
    code=0
    "${nowhere[@]}" "$QUICKSTACK" "$argument" >"$WORK/out" 2>"$WORK/err" || code=$?
    [ "$code" = "$expected" ] || fail "quickstack $argument exited with $code"
    [[ $(head -n 1 "$WORK/out") =~ $out ]] || fail "quickstack $argument printed: $(cat "$WORK/out")"
    [ "$(wc -l <"$WORK/err")" = "$errors" ] || fail "quickstack $argument: $(cat "$WORK/err")"
done <<ANSWERS
--help 0 ^usage:.quickstack.\[--help.\|.--version\] 0
--version 0 ^quickstack.1\.0\.0$ 0
--fullscreen 2 ^$ 1
-h 2 ^$ 1
ANSWERS
grep -q '^quickstack: unknown argument "-h"; usage: quickstack' "$WORK/err" ||
    fail "a wrong argument's line was: $(cat "$WORK/err")"

code=0
"${nowhere[@]}" "$QUICKSTACK" >"$WORK/out" 2>"$WORK/err" || code=$?
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
