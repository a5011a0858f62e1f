#!/usr/bin/env bash
# The game's window on its own Xvfb: centred, shaped, with a presented frame that is on
# screen while the program blocks, then dragged by its band with the mouse. With
# "openbox" a window manager moves the window; without, the window follows by itself.
# Usage: platform_window_e2e.sh PROBE WORK_FOLDER [openbox]
set -euo pipefail
probe=$1
work=$2
manager=${3:-}
source "$(dirname "${BASH_SOURCE[0]}")/e2e/lib.sh"

for tool in import convert xdotool; do
  command -v "$tool" >/dev/null || { echo "missing $tool (scripts/install-deps test)"; exit 1; }
done

rm -rf "$work" && mkdir -p "$work"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
start_display
[ -z "$manager" ] || start_openbox

await() {  # a file the probe writes, within seconds
  for _ in $(seq $(($2 * 10))); do
    [ -e "$work/$1" ] && return 0
    kill -0 "$GAME_PID" 2>/dev/null || fail "the probe ended early"
    sleep 0.1
  done
  xwininfo -root -tree >&2 || true  # whether the window was ever mapped, and where
  xwininfo -name Quickstack | grep -E "Map State|geometry" >&2 || true
  fail "timed out waiting for $1"
}

# expect_pixels X Y: the last screenshot's pixels, each at its offset from the window's
# top-left corner at root (X, Y).
expect_pixels() {
  local dx dy colour what
  while read -r dx dy colour what; do
    expect_block $(($1 + dx)) $(($2 + dy)) 1 "$colour" "$what"
  done
}

"$probe" "$work" >"$work/probe.log" 2>&1 &
GAME_PID=$!
await presented 20
sleep 0.5  # the probe is in its pause now, handling nothing
shot

# The window's top-left corner is at ((1024 - 800) / 2, (768 - 600) / 2) = (112, 84).
x=112 y=84
expect_pixels $x $y <<'FACTS'
400 25 0,160,0 the band's background
30 300 32,48,64 the body's background
120 490 255,255,0 drawing on the window
280 185 255,0,0 presented frame, top left
440 185 0,255,0 presented frame, top right
280 455 0,0,255 presented frame, bottom left
440 455 255,255,255 presented frame, bottom right
200 55 255,0,0 the frame's first pixel at +200,+55
199 55 32,48,64 left of the play area
519 589 255,255,255 the frame's last pixel
520 590 32,48,64 beyond the play area
1 1 0,0,0 a corner cut off by the shape
5 300 0,0,0 left of the body, outside the shape
-1 25 0,0,0 left of the window
FACTS

# Press on the band, move the pointer by (+60, +40), release: the window follows.
sleep 3
xdotool mousemove $((x + 400)) $((y + 20)) mousedown 1
await dragging 10
for step in $(seq 1 10); do
  xdotool mousemove $((x + 400 + 6 * step)) $((y + 20 + 4 * step))
  sleep 0.05
done
sleep 0.3
xdotool mouseup 1
await dragged 10
sleep 0.5
shot
x=$((x + 60)) y=$((y + 40))
expect_pixels $x $y <<'FACTS'
400 25 0,160,0 the band, moved with the pointer
-30 100 0,0,0 where the window was
FACTS
# A window manager's move may expose the window, and the repaint inside the drag then
# shows the backdrop again instead of the frame.
[ -n "$manager" ] || expect_block $((x + 280)) $((y + 185)) 1 255,0,0 "the frame, moved along"
echo "the window's pixels were all as expected"
