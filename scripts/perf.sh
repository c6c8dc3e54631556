#!/usr/bin/env bash
# Measures and writes docs/performance.md: the size of each shipped exe, the host
# benchmarks of the hot paths, and the real exe under Wine beside baseline programs
# that make only the calls the design requires (bench/wine/measure.sh).
#   scripts/perf.sh [--quick]
# The Wine figures need a machine that runs 32-bit x86 code natively; under QEMU's
# emulation they would measure the emulator, so there the report says so instead.
# --quick takes a few samples only, to check that the script works (under emulation
# too), and writes build/perf/performance-quick.md instead of the docs.
# FRAMEWRIGHT_PERF_EMULATED=1 takes the emulated branch on a native machine.
set -euo pipefail
cd "$(dirname "$0")/.."
quick=0
case "${1:-}" in
  "") ;;
  --quick) quick=1 ;;
  *) echo "usage: scripts/perf.sh [--quick]" >&2; exit 2 ;;
esac

bash scripts/install-deps.sh
cmake --preset host >/dev/null && cmake --build --preset host -j2 --target launcher_bench >/dev/null
cmake --preset win32 >/dev/null && cmake --build --preset win32 -j2 >/dev/null

native32=yes
/usr/lib/wine/wineserver32 --version >/dev/null 2>&1 && [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ] || native32=no
[ "${FRAMEWRIGHT_PERF_EMULATED:-0}" = 1 ] && native32=no

if [ $quick -eq 1 ]; then
  min_time=0.05 launches=3 disturbances=10 cpu_seconds=2 switches=5 report=build/perf/performance-quick.md
else
  min_time=0.3 launches=30 disturbances=100 cpu_seconds=15 switches=40 report=docs/performance.md
fi
load_average=$(cut -d' ' -f1 /proc/loadavg)

bench=$(./build/host/launcher_bench --benchmark_min_time=$min_time --benchmark_format=console 2>/dev/null |
        sed -n '/^-----/,$p')

not_measured="not measured on this machine: 32-bit code is emulated"
if [ $native32 = yes ] || [ $quick -eq 1 ]; then
  echo "== Measuring under Wine ($launches launches, $disturbances disturbances, CPU over $cpu_seconds s)" >&2
  wine_rows=$(bash bench/wine/measure.sh build/win32 $launches $disturbances $cpu_seconds $switches)
  echo "== Measuring the watch under Wine ($launches starts, CPU over $cpu_seconds s)" >&2
  watch_rows=$(bash bench/wine/measure_watch.sh build/win32 $launches $cpu_seconds)
else
  wine_rows=$(for row in "reaction: window created to resized, median (p95)" \
                         "lock restore: disturbance to size back, median (p95)" \
                         "CPU, lock phase (the window left alone), process + Wine server" \
                         "CPU, search phase, 500 other top-level windows, process + Wine server" \
                         "start-up: start to the program's start, median (p95)" \
                         "CPU, lock phase in front with clipcursor, topmost, pausekey and surround, as a ratio to the lock alone" \
                         "clip: the window back in front to the cursor confined, median (p95)"; do
                echo "| $row | $not_measured | | |"
              done)
  watch_rows=$(for row in "detection: a program started elsewhere, its window created to resized, median (p95)" \
                          "of which the attach's own start-up" \
                          "CPU while nothing starts, 300 other top-level windows, 20 profiles, process + Wine server"; do
                 echo "| $row | $not_measured | | | |"
               done)
fi

mkdir -p "$(dirname "$report")"
{
  echo "# Performance"
  echo
  echo "Measured $(date -u +%Y-%m-%d) on $(uname -m), $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //');"
  echo "load average $load_average at the start."
  echo "32-bit x86 code runs natively here: $native32."
  [ $quick -eq 1 ] && echo "Quick run (\`scripts/perf.sh --quick\`): a few samples, to check the script; not figures to quote."
  [ $quick -eq 1 ] && [ $native32 = no ] && echo "Under emulation the Wine figures below measure the emulator, not the launcher."
  echo
  echo "## Exe sizes (stripped)"
  echo
  echo "| exe | bytes | target |"
  echo "|---|---|---|"
  while read -r exe; do
    size=$(stat -c %s "build/win32/$exe.exe")
    target="-"; [ "$exe" = framewright ] && target="at most 337920 ($([ "$size" -le 337920 ] && echo met || echo missed))"
    [ "$exe" = framewright-setup ] && target="at most 460800 ($([ "$size" -le 460800 ] && echo met || echo missed))"
    echo "| $exe.exe | $size | $target |"
  done < scripts/kit-exes.txt
  echo
  echo "## The real exe under Wine, beside a baseline"
  echo
  echo "| measure | Framewright | baseline | ratio |"
  echo "|---|---|---|---|"
  echo "$wine_rows"
  echo
  echo "One run of \`bench/wine/measure.sh\`, Framewright and the baseline taking turns. The"
  echo "baseline (\`bench/wine/baseline.cpp\`, 32-bit like the launcher) makes only the calls"
  echo "the design requires: every 10 ms a wait on the program and a \`Sleep(10)\`; while"
  echo "searching, a walk of the top-level windows with one title read and one process read"
  echo "each; once found, one \`SetWindowPos\`; then one \`GetWindowRect\`, and \`SetWindowPos\`"
  echo "when the size differs. Both start the e2e target program (640 x 480), find it by PID"
  echo "and make it 800 x 600, centred and locked; Framewright with \`firstresizedelayms=10\`."
  echo
  echo "- Reaction and restore are timed inside the target (\`--perf-log\`): from its window's"
  echo "  creation (\`WM_NCCREATE\`) to the first resize by another process, and from each"
  echo "  disturbance (it shrinks itself by 40 x 30 every 150 ms, as a user dragging its frame"
  echo "  would) to its size being put back. Medians and 95th percentiles by nearest rank."
  echo "- CPU: utime + stime from \`/proc/<pid>/stat\` of the launcher's (or baseline's) Wine"
  echo "  process and of the Wine server, in ms of CPU per second of wall time, in 10 ms"
  echo "  ticks. Lock phase: after the first resize, the window left alone. Search phase: the"
  echo "  target creates its window late, while \`bench/wine/window_load.cpp\` holds 500 other"
  echo "  top-level windows. The server serves every process, the target's too."
  echo "  Framewright searches with \`pidonly\`, which reads no titles: per window the walk's"
  echo "  next step and the process. Under Wine each of those, like a title read, is a round"
  echo "  trip to the server, and the walk's step costs about as much as a title read, so"
  echo "  leaving the titles out saves about a quarter, not a third. Walking with"
  echo "  \`EnumWindows\` instead was tried and saves nothing: Wine checks every window of its"
  echo "  list with a server call of its own."
  echo "- Start-up: from the shell's clock just before \`wine\` starts the launcher to the"
  echo "  target's first line (its \`start\`), against \`wine64\` starting the target directly."
  echo "- The play keys: \`clipcursor=1\`, \`topmost=1\`, \`pausekey=Ctrl+Alt+F11\`, \`surround=1\`; the"
  echo "  baseline does the same plainly (\`play\`): every cycle it takes its queue, reads the"
  echo "  foreground window and, while that is the target, its client area and the clip, confining"
  echo "  the cursor when the clip differs; and it reads the target's style and the window below it,"
  echo "  putting its black popup back beneath the target when that is another. The CPU row's"
  echo "  window is in front (\`bench/wine/foreground_switch.cpp\` brings it there), the costlier"
  echo "  case; its ratio is to each one's own lock-phase row."
  echo "- Clip: \`fw-foreground-switch.exe\` brings a window of its own to the front, waits until the"
  echo "  cursor is free and 30 to 70 ms more (so each return falls at another point of the cycle),"
  echo "  gives the front back to the target and polls \`GetClipCursor\` every millisecond until it"
  echo "  is the target's client area. Wine confines the cursor only with 32-bit XInput2"
  echo "  (\`libxi6:i386\`, installed by \`scripts/install-deps.sh\`)."
  echo
  echo "## The watch under Wine, beside the two ways of its peers"
  echo
  echo "| measure | the watch | walk every 3 s | foreground every 50 ms | the watch against the walk |"
  echo "|---|---|---|---|---|"
  echo "$watch_rows"
  echo
  echo "One run of \`bench/wine/measure_watch.sh\`. Twenty copies of the e2e target under names of"
  echo "their own, a profile each in one folder (800 x 600, centred, \`firstresizedelayms=10\`);"
  echo "\`bench/wine/window_load.cpp\` holds 300 other top-level windows throughout. The measured"
  echo "program is started directly by the script, never through Framewright. The baselines"
  echo "(\`bench/wine/watch_baseline.cpp\`, 32-bit) do what the peers do: every 3 s a walk of every"
  echo "top-level window, reading each one's process image (\`OpenProcess\`,"
  echo "\`QueryFullProcessImageNameW\`), or every 50 ms a timer reading the foreground window's;"
  echo "a listed program's window not yet 800 x 600 is given that size."
  echo
  echo "- Detection is timed inside the target, as the reaction above: from its window's creation to"
  echo "  its first resize by another process. Before each start a pause of 0 to 3 s, so the"
  echo "  starts fall at every point of the walk's period. The watch's figure holds the start of"
  echo "  \`framewright.exe --attach PID PROFILE\`, a Wine process of its own; the next row times that"
  echo "  start alone (the window there already: from the shell's clock before \`wine\` starts the"
  echo "  attach to the target's resize), and the last row what is left: the watch's seeing of the"
  echo "  program, a difference of medians. The foreground poll finds the program only because a"
  echo "  new window takes the foreground here; behind another window it would never be sized."
  echo "- CPU: as above, the tool's process and the Wine server, each tool twice in mirrored order,"
  echo "  nothing starting. The watch waits on its WinEvent hook and walks the top-level windows"
  echo "  once a second, asking only windows it has not met for their process and reading each"
  echo "  process's image once. (Asking every window at every walk cost 1.15 of the 3 s walk's CPU.)"
  echo
  echo "## Host benchmarks (simulated desktop, \`scripts/bench.sh\`)"
  echo
  echo '```'
  echo "$bench"
  echo '```'
  echo
  echo "WindowWalk/N/M: one full walk over N top-level windows (M: 0 pid only, 1 pid and name,"
  echo "2 name only), the work of one searching cycle. NameMask/i: one title test per mask shape."
} >"$report"
cat "$report"
