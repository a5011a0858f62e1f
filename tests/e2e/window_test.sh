#!/usr/bin/env bash
# The window opens centred with its skin: rounded band, masked body, play area, panels.
. "$(dirname "$0")/lib.sh"
start_display 1024x768
start_game

read -r ox oy <<<"$(window_origin)"
[ "$ox $oy" = "112 84" ] || fail "window at $ox,$oy, not centred at 112,84"
shot

expect_pixel $((ox + 100)) $((oy + 20)) 64,167,64 "title band, row 20"
expect_pixel $((ox + 100)) $((oy + 40)) 64,233,64 "title band, row 40"
expect_pixel $((ox + 195)) $((oy + 300)) 42,42,85 "body, row 300"
expect_pixel $((ox + 195)) $((oy + 306)) 0,0,0 "grid line, row 306"
expect_pixel $((ox + 5)) $((oy + 300)) 0,0,0 "outside the shape: the black root"
expect_pixel $((ox + 200)) $((oy + 55)) 255,255,255 "play area, raised edge"
expect_pixel $((ox + 519)) $((oy + 589)) 0,0,0 "play area, dark edge"
expect_pixel $((ox + 202)) $((oy + 300)) 160,160,224 "play area, backdrop ground"

if [ "${REGENERATE_GOLDENS:-}" = 1 ]; then
    crop "$ox" "$oy" 800 600 "$WORK/window.png"
    update_picture "$WORK/window.png" "$GOLDEN_DIR/../../docs/screenshot.png"
fi
echo "window: ok"
