# Sourced by the scripts that run Windows programs: a Wine prefix of this run's own,
# and a virtual X display when none is set.
#   source scripts/wine-env.sh
#
# The prefix is 64-bit with 32-bit support: the launcher itself is a 32-bit exe, the
# test helpers are 64-bit. Booting a prefix takes some 15 s where 32-bit code runs
# natively and longer where it is emulated, while a copy takes a moment, so a booted
# template is kept in FRAMEWRIGHT_WINE_TEMPLATE and each run starts from a fresh
# copy of it.
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono/Gecko install dialogs
FRAMEWRIGHT_WINE_TEMPLATE="${FRAMEWRIGHT_WINE_TEMPLATE:-/var/cache/framewright/wine-prefix}"
FRAMEWRIGHT_WINE64=/usr/lib/wine/wine64

if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 120); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then break; fi
  done
  Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
  FRAMEWRIGHT_XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
fi

if [ ! -f "$FRAMEWRIGHT_WINE_TEMPLATE/system.reg" ]; then
  echo "Creating the Wine prefix template (once per machine; 15 s or more)..." >&2
  rm -rf "$FRAMEWRIGHT_WINE_TEMPLATE.tmp"
  mkdir -p "$(dirname "$FRAMEWRIGHT_WINE_TEMPLATE")"
  WINEPREFIX="$FRAMEWRIGHT_WINE_TEMPLATE.tmp" "$FRAMEWRIGHT_WINE64" wineboot -i >/dev/null 2>&1
  # Without a window manager, Wine waits about 2 s whenever a window is hidden
  # unless its X11 driver leaves windows unmanaged.
  WINEPREFIX="$FRAMEWRIGHT_WINE_TEMPLATE.tmp" "$FRAMEWRIGHT_WINE64" reg add \
    'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  WINEPREFIX="$FRAMEWRIGHT_WINE_TEMPLATE.tmp" wineserver -w
  mv "$FRAMEWRIGHT_WINE_TEMPLATE.tmp" "$FRAMEWRIGHT_WINE_TEMPLATE"
fi

export WINEPREFIX="$(mktemp -d /tmp/framewright-wine.XXXXXX)"
cp -a "$FRAMEWRIGHT_WINE_TEMPLATE/." "$WINEPREFIX/"

framewright_wine_cleanup() {
  WINEPREFIX="$WINEPREFIX" wineserver -k >/dev/null 2>&1 || true
  [ -n "${FRAMEWRIGHT_XVFB_PID:-}" ] && kill "$FRAMEWRIGHT_XVFB_PID" >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
}
