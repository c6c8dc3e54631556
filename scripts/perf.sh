#!/usr/bin/env bash
# Measures what this machine can measure honestly and writes docs/performance.md:
# the host benchmarks of the hot paths and the size of each Windows exe.
# Wall-time and CPU figures of the real exe under Wine need a machine that runs
# 32-bit x86 code natively; under QEMU's emulation they would measure the emulator.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset host >/dev/null && cmake --build --preset host -j2 --target launcher_bench >/dev/null
cmake --preset win32 >/dev/null && cmake --build --preset win32 -j2 >/dev/null

bench=$(./build/host/launcher_bench --benchmark_min_time=0.3 --benchmark_format=console 2>/dev/null |
        sed -n '/^-----/,$p')
native32=yes
/usr/lib/wine/wineserver32 --version >/dev/null 2>&1 && [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ] || native32=no

{
  echo "# Performance"
  echo
  echo "Measured $(date -u +%Y-%m-%d) on $(uname -m), $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')."
  echo "32-bit x86 code runs natively here: $native32."
  echo
  echo "## Exe sizes (stripped)"
  echo
  echo "| exe | bytes | target |"
  echo "|---|---|---|"
  for exe in framewright framewright-trace framewright-check framewright-setup; do
    size=$(stat -c %s "build/win32/$exe.exe")
    target="-"; [ "$exe" = framewright ] && target="at most 307200 ($([ "$size" -le 307200 ] && echo met || echo missed))"
    [ "$exe" = framewright-setup ] && target="at most 460800 ($([ "$size" -le 460800 ] && echo met || echo missed))"
    echo "| $exe.exe | $size | $target |"
  done
  echo
  echo "## Host benchmarks (simulated desktop, \`scripts/bench.sh\`)"
  echo
  echo '```'
  echo "$bench"
  echo '```'
  echo
  echo "WindowWalk/N/M: one full walk over N top-level windows (M: 0 pid only, 1 pid and name,"
  echo "2 name only), the work of one searching cycle. NameMask/i: one title test per mask shape."
} > docs/performance.md
cat docs/performance.md
