#!/usr/bin/env bash
# The game's window on its own Xvfb: centred, shaped, with a presented frame that is on
# screen while the program blocks, then dragged by its band with the mouse. With
# "openbox" a window manager moves the window; without, the window follows by itself.
# Usage: platform_window_e2e.sh PROBE WORK_FOLDER [openbox]
set -euo pipefail
probe=$1
work=$2
manager=${3:-}
skip=77

command -v Xvfb >/dev/null || { echo "Xvfb is not installed: skipped"; exit $skip; }
for tool in import convert xdotool $manager ${manager:+wmctrl}; do
  command -v "$tool" >/dev/null || { echo "missing $tool (scripts/install-deps test)"; exit 1; }
done

rm -rf "$work" && mkdir -p "$work"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

server=""
wm=""
program=""
cleanup() {
  [ -n "$program" ] && kill "$program" 2>/dev/null || true
  [ -n "$wm" ] && kill "$wm" 2>/dev/null || true
  [ -n "$server" ] && kill "$server" 2>/dev/null || true
  wait 2>/dev/null || true
}
trap cleanup EXIT

# Xvfb takes the first free display itself and tells its number: two of these tests can
# start at the same moment without taking the same one.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset -br 3>"$work/display" >"$work/xvfb.log" 2>&1 &
server=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$(head -1 "$work/display")"
if [ -n "$manager" ]; then
  "$manager" >"$work/$manager.log" 2>&1 &
  wm=$!
  for _ in $(seq 100); do
    wmctrl -m >/dev/null 2>&1 && break
    sleep 0.1
  done
fi

await() {  # a file the probe writes, within seconds
  for _ in $(seq $(($2 * 10))); do
    [ -e "$work/$1" ] && return 0
    kill -0 "$program" 2>/dev/null || { echo "the probe ended early"; return 1; }
    sleep 0.1
  done
  echo "timed out waiting for $1"
  return 1
}

# The colour of one screen pixel as RRGGBB.
passes=0
failures=0
expect() {  # shot x y colour what
  local seen
  seen=$(convert "$1" -crop "1x1+$2+$3" +repage -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | head -1)
  if [ "$seen" = "#$4" ]; then
    echo "ok   ($2,$3) $5"
    passes=$((passes + 1))
  else
    echo "FAIL ($2,$3) $5: expected #$4, saw $seen"
    failures=$((failures + 1))
  fi
}

"$probe" "$work" >"$work/probe.log" 2>&1 &
program=$!
await presented 20
sleep 0.5  # the probe is in its pause now, handling nothing
import -window root "$work/presented.png"

# The window's top-left corner is at ((1024 - 800) / 2, (768 - 600) / 2) = (112, 84).
x=112 y=84
expect "$work/presented.png" $((x + 400)) $((y + 25)) 00A000 "the band's background"
expect "$work/presented.png" $((x + 30)) $((y + 300)) 203040 "the body's background"
expect "$work/presented.png" $((x + 120)) $((y + 490)) FFFF00 "drawing on the window"
expect "$work/presented.png" $((x + 280)) $((y + 185)) FF0000 "presented frame, top left"
expect "$work/presented.png" $((x + 440)) $((y + 185)) 00FF00 "presented frame, top right"
expect "$work/presented.png" $((x + 280)) $((y + 455)) 0000FF "presented frame, bottom left"
expect "$work/presented.png" $((x + 440)) $((y + 455)) FFFFFF "presented frame, bottom right"
expect "$work/presented.png" $((x + 200)) $((y + 55)) FF0000 "the frame's first pixel at +200,+55"
expect "$work/presented.png" $((x + 199)) $((y + 55)) 203040 "left of the play area"
expect "$work/presented.png" $((x + 519)) $((y + 589)) FFFFFF "the frame's last pixel"
expect "$work/presented.png" $((x + 520)) $((y + 590)) 203040 "beyond the play area"
expect "$work/presented.png" $((x + 1)) $((y + 1)) 000000 "a corner cut off by the shape"
expect "$work/presented.png" $((x + 5)) $((y + 300)) 000000 "left of the body, outside the shape"
expect "$work/presented.png" $((x - 1)) $((y + 25)) 000000 "left of the window"

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
import -window root "$work/dragged.png"
x=$((x + 60)) y=$((y + 40))
expect "$work/dragged.png" $((x + 400)) $((y + 25)) 00A000 "the band, moved with the pointer"
# A window manager's move may expose the window, and the repaint inside the drag then
# shows the backdrop again instead of the frame.
[ -n "$manager" ] || expect "$work/dragged.png" $((x + 280)) $((y + 185)) FF0000 "the frame, moved along"
expect "$work/dragged.png" $((x - 30)) $((y + 100)) 000000 "where the window was"

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
