#!/usr/bin/env bash
# The demo: builds everything, then runs the real framewright.exe under Wine on a
# virtual display with an INI that launches our demo target (a window that shows its
# own client size and age). Saves screenshots before and after the resize under
# out/demo/ and prints what happened. Then opens the same profile in
# framewright-setup.exe, picks the demo window and saves a picture of the dialog
# with its preview as out/demo/setup.png. Last, a 4:3 run as large as the display
# allows with the rest of the display covered (surround=1), saved as
# out/demo/surround.png: the picture in docs/images.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j2 >/dev/null

target="$root/build/win32/e2e/fw-target.exe"
[ -f "$target" ] || { echo "demo target not built: $target" >&2; exit 1; }
out="$root/out/demo"
rm -rf "$out"
mkdir -p "$out"
cp "$target" "$out/demo-target.exe"

win_path() { echo "Z:$1" | tr '/' '\\'; }
cat > "$out/framewright.ini" <<INI
; Demo: a 640 x 480 program shown at 150 %, centred on the 1920 x 1080 display.
[program]
path=$(win_path "$out")
name=demo-target.exe
parameters=demo-target --title "Framewright demo" --client 640 480 --pos 40 40 --time-limit 9000

[windowresize]
windowfindmethod=pidonly
firstresizedelayms=3000
firstresizetimeoutms=20000
scalingmethod=pixelscale
windowwidth=640
windowheight=480
scale=150
clientresize=1
movewindow=centre
lockwindow=1
INI

source scripts/wine-env.sh
trap framewright_wine_cleanup EXIT

geometry() {
  xdotool getwindowgeometry "$1" 2>/dev/null | sed -n 's/^ *Position: \([0-9-]*\),\([0-9-]*\).*/at \1,\2/p; s/^ *Geometry: /size /p' | paste -sd' '
}

echo "Starting framewright.exe in $out (display $DISPLAY)..."
(cd "$out" && /usr/lib/wine/wine64 "$root/build/win32/framewright.exe" >"$out/wine.log" 2>&1; echo $? >"$out/exit-code") &
launcher=$!

window=""
for _ in $(seq 1200); do
  window=$(xdotool search --name "^Framewright demo$" 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "the demo window never appeared" >&2; exit 1; }
sleep 0.5
before=$(geometry "$window")
import -window root "$out/before.png"
echo "Window found: $before"

# The first resize comes 3 s after the launch; give it a moment to settle.
sleep 3.5
after=$(geometry "$window")
import -window root "$out/after.png"
echo "After the resize: $after (expected: a 960 x 720 client area plus the frame, centred)"

wait "$launcher"
echo "framewright.exe ended with exit code $(cat "$out/exit-code") when the demo program closed itself."

echo "Opening the profile in framewright-setup.exe and picking the demo window..."
(cd "$out" && /usr/lib/wine/wine64 "$out/demo-target.exe" demo-target --title "Framewright demo" \
   --client 640 480 --pos 40 40 --time-limit 30000 >>"$out/wine.log" 2>&1) &
(cd "$out" && /usr/lib/wine/wine64 "$root/build/win32/framewright-setup.exe" framewright.ini >>"$out/wine.log" 2>&1) &
setup=""
for _ in $(seq 600); do
  setup=$(xdotool search --name "^Framewright Setup" 2>/dev/null | head -n 1 || true)
  [ -n "$setup" ] && xdotool search --name "^Framewright demo$" >/dev/null 2>&1 && break
  sleep 0.1
done
[ -n "$setup" ] || { echo "the setup window never appeared" >&2; exit 1; }
sleep 1
# Pick a window (Alt+P), the first line of the list (the demo window), OK.
xdotool windowfocus "$setup" key alt+p
sleep 1.5
xdotool key Down
sleep 0.3
xdotool key Return
sleep 1.5
import -window "$setup" "$out/setup.png"
xdotool windowfocus "$setup" key Escape || true

cat > "$out/surround.ini" <<INI
; Demo: the 640 x 480 (4:3) program as large as the 1920 x 1080 display allows,
; without its frame, the rest of the display covered in black.
[program]
path=$(win_path "$out")
name=demo-target.exe
parameters=demo-target --title "Framewright surround demo" --client 640 480 --pos 40 40 --time-limit 6000

[windowresize]
windowfindmethod=pidonly
firstresizedelayms=500
firstresizetimeoutms=20000
windowwidth=1
windowheight=1
scalingmethod=displayscale
scale=100
maintainaspectratio=1
movewindow=centre
lockwindow=1

[tweaks]
borderless=1
surround=1
surroundcolour=000000
INI
# A desktop of some colour on our own display, so the bars show for what they are.
[ -n "${FRAMEWRIGHT_XVFB_PID:-}" ] && xsetroot -solid '#3a6ea5'
echo "Running the surround demo (surround.ini)..."
(cd "$out" && /usr/lib/wine/wine64 "$root/build/win32/framewright.exe" surround.ini >>"$out/wine.log" 2>&1) &
launcher=$!
for _ in $(seq 600); do
  xdotool search --name "^Framewright surround demo$" >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 3
import -window root "$out/surround.png"
wait "$launcher"
echo "Screenshots: $out/before.png, $out/after.png, $out/setup.png, $out/surround.png"
