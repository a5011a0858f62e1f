#!/usr/bin/env bash
# The window opens centred with its skin: rounded band, masked body, play area, panels.
. "$(dirname "$0")/lib.sh"
start_display 1024x768
start_game

read -r ox oy <<<"$(window_origin)"
[ "$ox $oy" = "112 84" ] || fail "window at $ox,$oy, not centred at 112,84"
shot
# The window class names the desktop entry, so that docks and task bars find its icon.
class=$(xprop -id "$(window_id Quickstack)" WM_CLASS)
[ "$class" = 'WM_CLASS(STRING) = "quickstack", "org.quickstack.Quickstack"' ] ||
    fail "the window's class is not the desktop entry's id: $class"

expect_window_facts "$ox" "$oy" 1
expect_block $((ox + 5)) $((oy + 300)) 1 0,0,0 "outside the shape: the black root"

if [ "${REGENERATE_GOLDENS:-}" = 1 ]; then
    crop "$ox" "$oy" 800 600 "$WORK/window.png"
    update_picture "$WORK/window.png" "$GOLDEN_DIR/../../docs/screenshot.png"
fi
echo "window: ok"
