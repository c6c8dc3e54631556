#!/usr/bin/env bash
# Runs one end-to-end scenario under Wine:
#   run-scenario.sh SCENARIO DRIVER_EXE LAUNCHER_EXE TARGET_DIR WORK_DIR [SETUP_EXE]
# Uses the Wine prefix and display of the caller when WINEPREFIX is set, else makes
# its own. A scenario that needs two displays always gets its own: an Xorg server
# with two displays and a prefix that has only ever seen that server. Wine's helper
# processes inherit the driver's output handles and may outlive it, so the output
# goes to files (never to a pipe that ctest reads until its end).
set -u
scenario=$1 driver=$2 launcher=$3 target_dir=$4 work=$5/$1 setup=${6:-}
scripts="$(dirname "$0")/../scripts"

rm -rf "$work"
mkdir -p "$work"

if [ "$scenario" = two_displays ]; then
  unset WINEPREFIX DISPLAY FRAMEWRIGHT_XVFB_PID
  source "$scripts/two-displays.sh"
  trap framewright_two_displays_stop EXIT
  if ! framewright_two_displays_start "$work"; then
    echo "cannot start an X server with two displays; see $work/xorg.log" >&2
    exit 1
  fi
fi
if [ -z "${WINEPREFIX:-}" ]; then
  source "$scripts/wine-env.sh"
  trap 'framewright_wine_cleanup; [ "$scenario" != two_displays ] || framewright_two_displays_stop' EXIT
fi

winpath() { printf 'Z:%s' "$(realpath -m "$1" | tr / '\\')"; }

setup_option=()
[ -n "$setup" ] && setup_option=(--setup "$(winpath "$setup")")

/usr/lib/wine/wine64 "$driver" "$scenario" --launcher "$(winpath "$launcher")" \
  --target-dir "$(winpath "$target_dir")" --work "$(winpath "$work")" \
  --debug-log "$(winpath "$work/wine-debug.log")" --jobs "${FRAMEWRIGHT_E2E_JOBS:-2}" "${setup_option[@]}" \
  >"$work/driver.log" 2>"$work/wine-debug.log" </dev/null
rc=$?
cat "$work/driver.log"
exit $rc
