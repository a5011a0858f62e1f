#!/usr/bin/env bash
# On GNOME's compositor, mutter, nested in an Xvfb with its XWayland, as a GNOME session
# runs the game by default: a drag by the band moves the window by the pointer's offset,
# and the game goes on afterwards with the pointer still.
. "$(dirname "$0")/lib.sh"
command -v mutter >/dev/null || { echo "mutter is not installed"; exit 77; }
start_display 1280x900
start_session_bus
MUTTER_DEBUG_DUMMY_MODE_SPECS=1024x768 mutter --nested --wayland --wayland-display="wl-$$" \
    >"$WORK/mutter.log" 2>&1 &
compositor=$!  # it ends with the test's X server
poll "$compositor" grep -q "Using public X11 display" "$WORK/mutter.log" ||
    { echo "mutter cannot start here: $(tail -n 1 "$WORK/mutter.log")"; exit 77; }
outer=$DISPLAY
inner=$(sed -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p' "$WORK/mutter.log")
# Without mutter's own authority the game falls back, silently, to native Wayland.
authority=$(compgen -G "$XDG_RUNTIME_DIR/.mutter-Xwaylandauth.*" | head -n 1)
echo 'pcm.!default { type null }' >"$WORK/asound.conf"  # no box to answer
DISPLAY=$inner XAUTHORITY=$authority ALSA_CONFIG_PATH="$WORK/asound.conf" \
    "$QUICKSTACK" >"$WORK/stdout" 2>"$WORK/stderr" &
GAME_PID=$!
band() { shot && colour_box "$WORK/shot.png" 64,167,64 | cut -d' ' -f1-2; }
band_shows() { [ -n "$(band)" ]; }
poll "$GAME_PID" band_shows || fail "the window does not show under mutter"
ox=112 oy=84  # centred on mutter's 1024 × 768 screen, at the outer display's corner
read -r bx by <<<"$(band)"
chrono() { shot && crop $((ox + 55)) $((oy + 248)) 115 42 "$WORK/$1.png"; }

click_at $((ox + 110)) $((oy + 80))  # "Nouvelle partie"
sleep 7                              # the count-down, then the chrono runs
xdotool mousemove --sync $((ox + 400)) $((oy + 20)) mousedown 1
for step in 1 2 3 4 5 6; do
    sleep 0.1
    xdotool mousemove --sync $((ox + 400 + 10 * step)) $((oy + 20 + 40 * step / 6))
done
xdotool mouseup 1
sleep 0.5
ox=$((ox + 60)) oy=$((oy + 40))
[ "$(band)" = "$((bx + 60)) $((by + 40))" ] ||
    fail "a drag by (60, 40) moved the band from $bx,$by to $(band)"
chrono before
sleep 2  # the pointer still
chrono after
same_picture "$WORK/before.png" "$WORK/after.png" && fail "the game froze after the drag"
echo "mutter: ok"
