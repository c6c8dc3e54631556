#!/usr/bin/env bash
# Measures the real launcher under Wine side by side with the baseline programs of
# this folder, and prints the rows of the performance report's Wine table.
#   measure.sh WIN32_BUILD_DIR LAUNCHES DISTURBANCES CPU_SECONDS SWITCHES
# Every run: the e2e target program, 640 x 480, found by PID and made 800 x 600,
# centred, locked (firstresizedelayms=10); the play runs add clipcursor, topmost,
# a pause key and the surround (the baseline's "play"), and fw-foreground-switch.exe takes the
# foreground away from the target and gives it back SWITCHES times. The target logs its own timings (see its
# --perf-log); CPU is utime + stime of the Linux processes, read from /proc: the
# launcher's (or the baseline's) and the Wine server's, which this script starts.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(realpath "$1")
launches=$2 disturbances=$3 cpu_seconds=$4 switches=$5
launcher=$build/framewright.exe
baseline=$build/bench/wine/fw-baseline.exe
load=$build/bench/wine/fw-window-load.exe
switcher=$build/bench/wine/fw-foreground-switch.exe
target=$build/e2e/fw-target.exe
wine32=/usr/lib/wine/wine wine64=/usr/lib/wine/wine64
tick_ms=$(awk -v hz="$(getconf CLK_TCK)" 'BEGIN { print 1000 / hz }')

source "$root/scripts/wine-env.sh"
work=$(mktemp -d /tmp/framewright-perf.XXXXXX)
started=()  # processes this script started, ended at exit if still there
cleanup() {
  local pid
  # The server first, while it runs: it ends the prefix's own helper processes too.
  framewright_wine_cleanup
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
# A server of our own, in the foreground, so its process is known; persistent, so
# it is not started and stopped with every launch.
/usr/lib/wine/wineserver64 -f -p >"$work/server.log" 2>&1 &
server=$!
started+=("$server")
for kind in launcher baseline direct; do
  touch "$work/reaction-$kind.txt" "$work/startup-$kind.txt" "$work/restore-$kind.txt"
done

winpath() { printf 'Z:%s' "$(realpath -m "$1" | tr / '\\')"; }
now_ms() { awk -v ns="$(date +%s%N)" 'BEGIN { printf "%.3f", ns / 1e6 }'; }
# utime + stime, in clock ticks, of one process (the name field may hold blanks).
ticks() { awk '{ sub(/.*\) /, ""); print $12 + $13 }' "/proc/$1/stat" 2>/dev/null || echo 0; }

# Waits up to $2 seconds for process $1 to end; ends it when it does not.
finish() {
  local i
  for ((i = 0; i < $2 * 20; i++)); do kill -0 "$1" 2>/dev/null || break; sleep 0.05; done
  kill "$1" 2>/dev/null && echo "process $1 did not end in $2 s" >&2
  wait "$1" 2>/dev/null || true
}
# Waits up to $3 seconds for a line starting with word $2 in file $1.
await_line() {
  local i
  for ((i = 0; i < $3 * 20; i++)); do grep -qs "^$2 " "$1" && return 0; sleep 0.05; done
  echo "no \"$2\" in $1 after $3 s" >&2
  return 1
}
value() { awk -v w="$2" '$1 == w { print $2; exit }' "$1" 2>/dev/null || true; }

# Starts the launcher or the baseline (kind $1) in folder $2 on the target with
# options $3, with "play" in $4 the play keys too; sets `pid`.
start() {
  local kind=$1 dir=$2 play=${4:-} options="fw-target --title fw-perf --outer 640 480 --pos 100 100 --perf-log $(winpath "$2/log") $3"
  mkdir -p "$dir"
  if [ "$kind" = launcher ]; then
    cat >"$dir/framewright.ini" <<EOF
[program]
path=$(winpath "$(dirname "$target")")
name=$(basename "$target")
parameters=$options
[windowresize]
windowfindmethod=pidonly
firstresizedelayms=10
firstresizetimeoutms=5000
windowwidth=800
windowheight=600
movewindow=centre
scalingmethod=defined
lockwindow=1
EOF
    [ -n "$play" ] && printf '[tweaks]\nclipcursor=1\ntopmost=1\npausekey=Ctrl+Alt+F11\nsurround=1\n' >>"$dir/framewright.ini"
    (cd "$dir" && exec "$wine32" "$launcher") >"$dir/out" 2>&1 </dev/null &
  else
    (cd "$dir" && exec "$wine32" "$baseline" 800 600 "$(winpath "$target")" "$options" $play) >"$dir/out" 2>&1 </dev/null &
  fi
  pid=$!
  started+=("$pid")
}

# "median p95 count" of the numbers in file $1, by nearest rank.
stats() {
  sort -g "$1" | awk '{ v[NR] = $1 } END {
    if (NR == 0) { print "- - 0"; exit }
    m = int((NR + 1) / 2); p = int(NR * 0.95); if (p < NR * 0.95) p++
    printf "%.1f %.1f %d\n", v[m], v[p], NR }'
}
# The mean of each of three columns in file $1.
mean3() {
  awk '{ a += $1; b += $2; c += $3 } END {
    if (NR) printf "%.1f %.1f %.1f\n", a / NR, b / NR, c / NR; else print "- - -" }' "$1" 2>/dev/null || echo "- - -"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'; }

# ---- warm-up: the prefix's own services start with the first process ----
start baseline "$work/warm-up" "--disturb 0 0 --time-limit 30000"
finish "$pid" 120

# ---- reaction and start-up: each launch once through the launcher, once through
# the baseline, and the program once started directly ----
for ((i = 1; i <= launches; i++)); do
  for kind in launcher baseline; do
    dir=$work/launch-$kind-$i
    t0=$(now_ms)
    start "$kind" "$dir" "--disturb 0 0 --time-limit 30000"
    finish "$pid" 60
    value "$dir/log" reaction >>"$work/reaction-$kind.txt"
    awk -v s="$(value "$dir/log" start)" -v t="$t0" 'BEGIN { if (s != "") printf "%.3f\n", s - t }' >>"$work/startup-$kind.txt"
  done
  dir=$work/direct-$i
  mkdir -p "$dir"
  t0=$(now_ms)
  "$wine64" "$target" --title fw-perf-direct --perf-log "$(winpath "$dir/log")" --time-limit 50 >"$dir/out" 2>&1 </dev/null &
  pid=$!
  started+=("$pid")
  finish "$pid" 60
  awk -v s="$(value "$dir/log" start)" -v t="$t0" 'BEGIN { if (s != "") printf "%.3f\n", s - t }' >>"$work/startup-direct.txt"
done

# ---- lock restore: one run each, the target disturbing itself every 150 ms ----
for kind in launcher baseline; do
  dir=$work/restore-$kind
  start "$kind" "$dir" "--disturb $disturbances 150 --time-limit $((disturbances * 300 + 30000))"
  finish "$pid" $((disturbances / 3 + 60))
  awk '$1 == "restore" { print $2 }' "$dir/log" >"$work/restore-$kind.txt"
  awk '$1 == "lost"' "$dir/log" | wc -l >"$work/lost-$kind.txt"
done

# CPU in ms per second of the launcher or baseline ($1) and of the server, over
# cpu_seconds from now; prints "total own server". Each phase is measured twice per
# kind, in the order launcher, baseline, baseline, launcher, so a change of the
# machine's load during the run weighs on both alike.
cpu_window() {
  local own0 server0 own1 server1
  own0=$(ticks "$1") server0=$(ticks "$server")
  sleep "$cpu_seconds"
  own1=$(ticks "$1") server1=$(ticks "$server")
  awk -v o=$((own1 - own0)) -v s=$((server1 - server0)) -v t="$tick_ms" -v d="$cpu_seconds" \
    'BEGIN { printf "%.1f %.1f %.1f\n", (o + s) * t / d, o * t / d, s * t / d }'
}

# ---- CPU in the lock phase: the window placed and left alone, in front; alone,
# and with the play keys ----
round=0
for play in "" play; do
  for kind in launcher baseline baseline launcher; do
    dir=$work/lock${play:+-play}-cpu-$kind-$((++round))
    start "$kind" "$dir" "--time-limit $(((cpu_seconds + 5) * 1000))" $play
    if await_line "$dir/log" reaction 60; then
      "$wine32" "$switcher" fw-perf 0 "$(winpath "$dir/switches")" >/dev/null 2>&1 </dev/null
      sleep 1 && cpu_window "$pid" >>"$work/lock${play:+-play}-cpu-$kind.txt"
    fi
    finish "$pid" 60
  done
done

# ---- the clip back in force: the foreground taken away and given back ----
for kind in launcher baseline; do
  dir=$work/switch-$kind
  start "$kind" "$dir" "--time-limit $((switches * 1000 + 30000))" play
  await_line "$dir/log" reaction 60 &&
    "$wine32" "$switcher" fw-perf "$switches" "$(winpath "$work/switch-$kind.log")" >/dev/null 2>&1 </dev/null
  awk '$1 == "clip" { print $2 }' "$work/switch-$kind.log" >"$work/clip-$kind.txt" 2>/dev/null || true
  grep -c '^lost' "$work/switch-$kind.log" >"$work/clip-lost-$kind.txt" 2>/dev/null || echo 0 >"$work/clip-lost-$kind.txt"
  finish "$pid" 60
done

# ---- CPU in the search phase: 500 other windows, the target's window not yet there ----
"$wine32" "$load" 500 $(((cpu_seconds + 10) * 4000 + 30000)) "$(winpath "$work/load-ready")" >"$work/load.out" 2>&1 </dev/null &
load_pid=$!
started+=("$load_pid")
for ((i = 0; i < 1200; i++)); do [ -e "$work/load-ready" ] && break; sleep 0.05; done
for kind in launcher baseline baseline launcher; do
  dir=$work/search-cpu-$kind-$((++round))
  start "$kind" "$dir" "--delay $(((cpu_seconds + 2) * 1000)) --disturb 0 0 --time-limit 30000"
  await_line "$dir/log" start 60 && sleep 0.5 && cpu_window "$pid" >>"$work/search-cpu-$kind.txt"
  finish "$pid" 60
  # The window was found after the delay: the whole window was spent searching.
  [ -n "$(value "$dir/log" reaction)" ] || echo "the $kind never found the window after its search" >&2
done
kill "$load_pid" 2>/dev/null || true

# ---- the rows ----
read -r lm lp ln <<<"$(stats "$work/reaction-launcher.txt")"
read -r bm bp bn <<<"$(stats "$work/reaction-baseline.txt")"
echo "| reaction: window created to resized, median (p95), $ln of $launches launches | $lm ms ($lp) | $bm ms ($bp), $bn launches | $(ratio "$lm" "$bm") |"
read -r lm lp ln <<<"$(stats "$work/restore-launcher.txt")"
read -r bm bp bn <<<"$(stats "$work/restore-baseline.txt")"
echo "| lock restore: disturbance to size back, median (p95), $ln of $disturbances disturbances in one run ($(cat "$work/lost-launcher.txt") lost) | $lm ms ($lp) | $bm ms ($bp), $bn ($(cat "$work/lost-baseline.txt") lost) | $(ratio "$lm" "$bm") |"
for phase in lock search; do
  read -r lt lo ls <<<"$(mean3 "$work/$phase-cpu-launcher.txt")"
  read -r bt bo bs <<<"$(mean3 "$work/$phase-cpu-baseline.txt")"
  what="CPU, lock phase (the window left alone)"
  [ "$phase" = search ] && what="CPU, search phase, 500 other top-level windows"
  echo "| $what, ms per s over 2 x $cpu_seconds s, process + Wine server | $lt ($lo + $ls) | $bt ($bo + $bs) | $(ratio "$lt" "$bt") |"
done
read -r lt _ <<<"$(mean3 "$work/lock-cpu-launcher.txt")"
read -r bt _ <<<"$(mean3 "$work/lock-cpu-baseline.txt")"
read -r lp lo ls <<<"$(mean3 "$work/lock-play-cpu-launcher.txt")"
read -r bp bo bs <<<"$(mean3 "$work/lock-play-cpu-baseline.txt")"
echo "| CPU, lock phase in front with clipcursor, topmost, pausekey and surround, ms per s over 2 x $cpu_seconds s, and as a ratio to the lock alone (target at most 1.25) | $lp ($lo + $ls), $(ratio "$lp" "$lt") | $bp ($bo + $bs), $(ratio "$bp" "$bt") | $(ratio "$lp" "$bp") |"
read -r lm lp ln <<<"$(stats "$work/clip-launcher.txt")"
read -r bm bp bn <<<"$(stats "$work/clip-baseline.txt")"
echo "| clip: the window back in front to the cursor confined, median (p95), $ln of $switches switches ($(cat "$work/clip-lost-launcher.txt") lost; target: median at most 12 ms) | $lm ms ($lp) | $bm ms ($bp), $bn ($(cat "$work/clip-lost-baseline.txt") lost) | $(ratio "$lm" "$bm") |"
read -r lm lp ln <<<"$(stats "$work/startup-launcher.txt")"
read -r dm dp dn <<<"$(stats "$work/startup-direct.txt")"
echo "| start-up: start to the program's start, median (p95), $ln launches | $lm ms ($lp) | started directly: $dm ms ($dp) | $(ratio "$lm" "$dm") |"
