#!/usr/bin/env bash
# On a Wayland compositor alone, without an X server, the game runs natively: the
# compositor places the window, which shows its skin opaque inside its shape and the
# desktop outside it.
. "$(dirname "$0")/lib.sh"
command -v weston >/dev/null || { echo "weston is not installed"; exit 77; }
compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null ||
    { echo "Qt's Wayland platform is not installed"; exit 77; }
unset DISPLAY QT_QPA_PLATFORM
export WAYLAND_DISPLAY=quickstack-$$
# --debug lets weston-screenshooter read the screen.
weston --backend=headless-backend.so --use-pixman --width=1024 --height=768 --idle-time=0 \
    --debug --socket="$WAYLAND_DISPLAY" >"$WORK/weston.log" 2>&1 &
SERVER_PID=$!
for _ in $(seq 100); do
    [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break
    kill -0 "$SERVER_PID" 2>/dev/null || { echo "weston cannot start here"; exit 77; }
    sleep 0.05
done
[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] || { echo "weston cannot start here"; exit 77; }
sleep 1  # its desktop drawn

shot() {
    mkdir -p "$WORK/shots"
    (cd "$WORK/shots" && rm -f ./*.png && weston-screenshooter >/dev/null && mv ./*.png "$WORK/shot.png")
}
shot
cp "$WORK/shot.png" "$WORK/desktop.png"

# A silent sound output, so that no sound-error box waits for a click no one can give.
# The client's side of the protocol goes to stderr, the app id it gives among it.
echo 'pcm.!default { type null }' >"$WORK/asound.conf"
ALSA_CONFIG_PATH="$WORK/asound.conf" WAYLAND_DEBUG=client "$QUICKSTACK" >"$WORK/stdout" \
    2>"$WORK/stderr" &
GAME_PID=$!
for _ in $(seq 50); do
    sleep 0.2
    shot
    band=$(colour_box "$WORK/shot.png" 64,167,64)
    [ -n "$band" ] && break
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended: $(grep -v '^\[' "$WORK/stderr")"
done
[ -n "$band" ] || fail "no window on the compositor"
sleep 0.5
shot
read -r bx by _ _ <<<"$(colour_box "$WORK/shot.png" 64,167,64)"
ox=$((bx - 3)) oy=$((by - 20))  # the band's row 20 starts 3 pixels in
expect_window_facts "$ox" "$oy" 1
for picture in desktop shot; do
    crop "$ox" $((oy + 50)) 20 550 "$WORK/$picture-beside.png"
done
same_picture "$WORK/desktop-beside.png" "$WORK/shot-beside.png" ||
    fail "the desktop does not show left of the window's body"
grep -q 'set_app_id("org.quickstack.Quickstack")' "$WORK/stderr" ||
    fail "the window's app id is not the desktop entry's id"
echo "wayland: ok"
