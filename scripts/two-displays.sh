# Sourced by run-scenario.sh for the scenarios that need two displays: Xvfb gives
# Wine one display, so an Xorg server with the dummy video driver is started, with
#   display 1: 1920 x 1080 at 0, 0 (primary)   display 2: 1280 x 1024 at 1920, 0
#   framewright_two_displays_start WORK_DIR   (sets DISPLAY; false when it fails)
#   framewright_two_displays_stop
framewright_two_displays_start() {
  local work=$1 n
  # Another range than wine-env.sh's Xvfb, so a run starting beside this one
  # cannot take the same number.
  for n in $(seq 140 170); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then break; fi
  done
  cat >"$work/xorg-two-displays.conf" <<'CONF'
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 256000
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0 - 1000.0
  VertRefresh 5.0 - 200.0
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual 3200 1080
  EndSubSection
EndSection
CONF
  Xorg ":$n" -noreset -nolisten tcp -config "$work/xorg-two-displays.conf" \
    -logfile "$work/xorg.log" >"$work/xorg.out" 2>&1 </dev/null &
  FRAMEWRIGHT_XORG_PID=$!
  for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  export DISPLAY=":$n"
  xrandr --fb 3200x1080 --output DUMMY0 --mode 1920x1080 --pos 0x0 &&
    xrandr --newmode fw1280x1024 109.00 1280 1368 1496 1712 1024 1027 1034 1063 -hsync +vsync &&
    xrandr --addmode DUMMY1 fw1280x1024 &&
    xrandr --output DUMMY1 --mode fw1280x1024 --pos 1920x0 &&
    [ "$(xrandr --listmonitors | head -1)" = "Monitors: 2" ]
}

framewright_two_displays_stop() {
  if [ -n "${FRAMEWRIGHT_XORG_PID:-}" ]; then
    kill "$FRAMEWRIGHT_XORG_PID" >/dev/null 2>&1
    wait "$FRAMEWRIGHT_XORG_PID" 2>/dev/null
  fi
  return 0
}
