#!/usr/bin/env bash
# Measures the watch (framewright.exe --watch) under Wine side by side with the two
# baselines of bench/wine/watch_baseline.cpp, and prints the rows of the performance
# report's watch table.
#   measure_watch.sh WIN32_BUILD_DIR STARTS CPU_SECONDS
# The programs: 20 copies of the e2e target under names of their own, each with a
# profile in one folder (800 x 600, found by PID, centred, firstresizedelayms=10);
# the measured one is game-01.exe, started directly by this script, never through
# Framewright. 300 other top-level windows (bench/wine/window_load.cpp) stand around
# all the time. CPU as in measure.sh: utime + stime of the tool's Wine process and of
# the Wine server, from /proc.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(realpath "$1")
starts=$2 cpu_seconds=$3
launcher=$build/framewright.exe
baseline=$build/bench/wine/fw-watch-baseline.exe
load=$build/bench/wine/fw-window-load.exe
target=$build/e2e/fw-target.exe
wine32=/usr/lib/wine/wine wine64=/usr/lib/wine/wine64
tick_ms=$(awk -v hz="$(getconf CLK_TCK)" 'BEGIN { print 1000 / hz }')

source "$root/scripts/wine-env.sh"
work=$(mktemp -d /tmp/framewright-perf-watch.XXXXXX)
started=()
cleanup() {
  framewright_wine_cleanup
  local pid
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
/usr/lib/wine/wineserver64 -f -p >"$work/server.log" 2>&1 &
server=$!
started+=("$server")

winpath() { printf 'Z:%s' "$(realpath -m "$1" | tr / '\\')"; }
now_ms() { awk -v ns="$(date +%s%N)" 'BEGIN { printf "%.3f", ns / 1e6 }'; }
ticks() { awk '{ sub(/.*\) /, ""); print $12 + $13 }' "/proc/$1/stat" 2>/dev/null || echo 0; }
finish() {
  local i
  for ((i = 0; i < $2 * 20; i++)); do kill -0 "$1" 2>/dev/null || break; sleep 0.05; done
  kill "$1" 2>/dev/null && echo "process $1 did not end in $2 s" >&2
  wait "$1" 2>/dev/null || true
}
await_line() {
  local i
  for ((i = 0; i < $3 * 20; i++)); do grep -qs "^$2 " "$1" && return 0; sleep 0.05; done
  echo "no \"$2\" in $1 after $3 s" >&2
  return 1
}
value() { awk -v w="$2" '$1 == w { print $2; exit }' "$1" 2>/dev/null || true; }
stats() {
  sort -g "$1" | awk '{ v[NR] = $1 } END {
    if (NR == 0) { print "- - 0"; exit }
    m = int((NR + 1) / 2); p = int(NR * 0.95); if (p < NR * 0.95) p++
    printf "%.1f %.1f %d\n", v[m], v[p], NR }'
}
mean3() {
  awk '{ a += $1; b += $2; c += $3 } END {
    if (NR) printf "%.1f %.1f %.1f\n", a / NR, b / NR, c / NR; else print "- - -" }' "$1" 2>/dev/null || echo "- - -"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'; }
cpu_window() {
  local own0 server0 own1 server1
  own0=$(ticks "$1") server0=$(ticks "$server")
  sleep "$cpu_seconds"
  own1=$(ticks "$1") server1=$(ticks "$server")
  awk -v o=$((own1 - own0)) -v s=$((server1 - server0)) -v t="$tick_ms" -v d="$cpu_seconds" \
    'BEGIN { printf "%.1f %.1f %.1f\n", (o + s) * t / d, o * t / d, s * t / d }'
}

# ---- the programs and their profiles ----
mkdir -p "$work/programs" "$work/profiles"
for n in $(seq -w 1 20); do
  cp "$target" "$work/programs/game-$n.exe"
  cat >"$work/profiles/game-$n.ini" <<EOF
[program]
path=$(winpath "$work/programs")
name=game-$n.exe
[windowresize]
windowfindmethod=pidonly
firstresizedelayms=10
firstresizetimeoutms=5000
windowwidth=800
windowheight=600
movewindow=centre
scalingmethod=defined
lockwindow=0
EOF
  winpath "$work/programs/game-$n.exe" >>"$work/programs.txt" && echo >>"$work/programs.txt"
done

# Starts a tool (kind $1: watch, walk or foreground); sets `pid`.
start_tool() {
  if [ "$1" = watch ]; then
    (cd "$work/profiles" && exec "$wine32" "$launcher" --watch "$(winpath "$work/profiles")") >"$work/$1.out" 2>&1 </dev/null &
  else
    "$wine32" "$baseline" "$1" 800 600 "$(winpath "$work/programs.txt")" >"$work/$1.out" 2>&1 </dev/null &
  fi
  pid=$!
  started+=("$pid")
  sleep 2  # its profiles read, its first walk done
}
stop_tool() {
  [ "$1" = watch ] && (cd "$work/profiles" && "$wine32" "$launcher" --watch --stop) >/dev/null 2>&1 </dev/null
  kill "$2" 2>/dev/null || true
  finish "$2" 20
}
# Starts game-01.exe directly with the options $2, logging to $1; sets `game`.
start_game() {
  "$wine64" "$work/programs/game-01.exe" --title fw-perf --outer 640 480 --pos 100 100 \
    --perf-log "$(winpath "$1")" $2 >/dev/null 2>&1 </dev/null &
  game=$!
  started+=("$game")
}

# ---- warm-up, then the other programs' windows ----
start_game "$work/warm-up.log" "--time-limit 500"
finish "$game" 60
"$wine32" "$load" 300 $(((cpu_seconds * 6 + starts * 30 + 120) * 1000)) "$(winpath "$work/load-ready")" >"$work/load.out" 2>&1 </dev/null &
started+=("$!")
for ((i = 0; i < 1200; i++)); do [ -e "$work/load-ready" ] && break; sleep 0.05; done

# ---- CPU while nothing starts: each tool twice, in mirrored order ----
for kind in watch walk foreground foreground walk watch; do
  start_tool "$kind"
  cpu_window "$pid" >>"$work/cpu-$kind.txt"
  stop_tool "$kind" "$pid"
done

# ---- detection: the program started directly, its window created to resized ----
for kind in watch walk foreground; do
  start_tool "$kind"
  tool=$pid
  for ((i = 1; i <= starts; i++)); do
    # A pause of 0 to 3 s first, so the starts fall at every point of the walk's period.
    sleep "$(awk -v r=$RANDOM 'BEGIN { printf "%.2f", r % 300 / 100 }')"
    start_game "$work/detect-$kind-$i.log" "--disturb 0 0 --time-limit 8000"
    finish "$game" 20
    value "$work/detect-$kind-$i.log" reaction >>"$work/detect-$kind.txt"
  done
  stop_tool "$kind" "$tool"
done

# ---- the attach's own start-up: the window there already, `--attach PID` started ----
for ((i = 1; i <= starts; i++)); do
  log=$work/attach-$i.log
  start_game "$log" "--disturb 0 0 --time-limit 20000"
  await_line "$log" pid 30 && sleep 0.5
  t0=$(now_ms)
  (cd "$work/profiles" && "$wine32" "$launcher" --attach "$(value "$log" pid | cut -d. -f1)" game-01.ini) \
    >/dev/null 2>&1 </dev/null || true
  finish "$game" 20
  awk -v r="$(value "$log" resized)" -v t="$t0" 'BEGIN { if (r != "") printf "%.3f\n", r - t }' >>"$work/attach.txt"
done

# ---- the rows ----
read -r wm wp wn <<<"$(stats "$work/detect-watch.txt")"
read -r km kp kn <<<"$(stats "$work/detect-walk.txt")"
read -r fm fp fn <<<"$(stats "$work/detect-foreground.txt")"
read -r am ap an <<<"$(stats "$work/attach.txt")"
seen=$(awk -v w="$wm" -v a="$am" 'BEGIN { d = w - a; printf "%.1f", d < 1 ? 1 : d }')
echo "| detection: a program started elsewhere, its window created to resized, median (p95), found in n of $starts starts | $wm ms ($wp), $wn | $km ms ($kp), $kn | $fm ms ($fp), $fn | $(ratio "$km" "$wm") times sooner |"
echo "| of which the attach's own start-up: \`--attach PID\` started to the window resized, median (p95), $an starts | $am ms ($ap) | | | |"
echo "| the rest, the watch's seeing of the program (detection less start-up, medians) | $seen ms | $km ms | $fm ms | $(ratio "$km" "$seen") times sooner |"
read -r wt wo ws <<<"$(mean3 "$work/cpu-watch.txt")"
read -r kt ko ks <<<"$(mean3 "$work/cpu-walk.txt")"
read -r ft fo fs <<<"$(mean3 "$work/cpu-foreground.txt")"
echo "| CPU while nothing starts, 300 other top-level windows, 20 profiles, ms per s over 2 x $cpu_seconds s, process + Wine server (target: at most the walk's) | $wt ($wo + $ws) | $kt ($ko + $ks) | $ft ($fo + $fs) | $(ratio "$wt" "$kt") of the walk's |"
