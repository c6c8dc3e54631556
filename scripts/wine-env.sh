# Sourced by the scripts that run Windows programs: a fresh Wine prefix for this run
# and a virtual X display when none is set.
#   source scripts/wine-env.sh [prefix-dir]
export WINEARCH=win32
export WINEPREFIX="${1:-$(mktemp -d /tmp/framewright-wine.XXXXXX)}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono/Gecko install dialogs

if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 120); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then break; fi
  done
  Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
  FRAMEWRIGHT_XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1
  # Without a window manager, Wine waits about 2 s whenever a window is hidden unless
  # its X11 driver leaves windows unmanaged.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  wineserver -w
fi

framewright_wine_cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "${FRAMEWRIGHT_XVFB_PID:-}" ] && kill "$FRAMEWRIGHT_XVFB_PID" >/dev/null 2>&1 || true
}
