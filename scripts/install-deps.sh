#!/usr/bin/env bash
# Installs everything the build, the tests and the demo need on a fresh Debian 12 machine.
# Idempotent: does nothing when every tool is already there. Must run as root (or via sudo).
set -euo pipefail

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive

# A mirror caught mid-sync fails an index or two; those are retried, and when they
# still fail apt-get keeps the lists it has, so the install below is tried anyway
# (and fails plainly if a package is really out of reach).
apt_update() {
  local attempt
  for attempt in 1 2 3; do
    $SUDO apt-get update -q && return 0
    echo "apt-get update failed (attempt $attempt of 3)" >&2
    sleep 10
  done
  echo "apt-get update kept failing: installing from the lists there are" >&2
}

need=()
command -v cmake >/dev/null || need+=(cmake)
command -v g++ >/dev/null || need+=(g++)
command -v i686-w64-mingw32-g++ >/dev/null || need+=(g++-mingw-w64-i686)
# The end-to-end test helpers are 64-bit Windows programs.
command -v x86_64-w64-mingw32-g++ >/dev/null || need+=(g++-mingw-w64-x86-64)
[ -d /usr/src/googletest ] || need+=(googletest)
[ -f /usr/include/gtest/gtest.h ] || need+=(libgtest-dev)
[ -f /usr/include/benchmark/benchmark.h ] || need+=(libbenchmark-dev)
command -v Xvfb >/dev/null || need+=(xvfb)
command -v xdotool >/dev/null || need+=(xdotool)
# The end-to-end scenarios with two displays: Xvfb gives Wine one display, Xorg with
# the dummy video driver gives it two.
command -v Xorg >/dev/null || need+=(xserver-xorg-core)
[ -f /usr/lib/xorg/modules/drivers/dummy_drv.so ] || need+=(xserver-xorg-video-dummy)
command -v xrandr >/dev/null || need+=(x11-xserver-utils)
command -v import >/dev/null || need+=(imagemagick)
command -v zip >/dev/null || need+=(zip)
command -v unzip >/dev/null || need+=(unzip)
command -v xxd >/dev/null || need+=(xxd)
# The fuzz targets: clang with its libFuzzer and sanitizer run-times.
command -v clang++ >/dev/null || need+=(clang)
dpkg -s libclang-rt-14-dev >/dev/null 2>&1 || need+=(libclang-rt-14-dev)
wine_ok=1
dpkg -s wine32:i386 >/dev/null 2>&1 || wine_ok=0
# Wine confines the cursor (ClipCursor) only where its 32-bit X11 driver has XInput2.
dpkg -s libxi6:i386 >/dev/null 2>&1 || wine_ok=0
command -v wine >/dev/null || wine_ok=0
[ -x /usr/lib/wine/wine64 ] || wine_ok=0

if [ $wine_ok -eq 0 ]; then
  $SUDO dpkg --add-architecture i386
  need+=(wine wine32:i386 wine64 libxi6:i386)
fi
if [ ${#need[@]} -ne 0 ]; then
  apt_update
  $SUDO apt-get install -y -q --no-install-recommends "${need[@]}"
fi

# Some virtual machines cannot run 32-bit x86 code natively (the kernel answers
# "Exec format error"); there the 32-bit Wine runs under QEMU's user-mode emulator.
# QEMU 7.2 (Debian 12's own) does not honour MAP_FIXED_NOREPLACE, so Wine's start-up
# probes the upper 2 GB of the address space in 64 KB steps: about a minute per
# 32-bit process. The QEMU of bookworm-backports honours it: half a second.
if ! /usr/lib/wine/wineserver32 --version >/dev/null 2>&1; then
  qemu=/usr/bin/qemu-i386
  if ! "$qemu" --version 2>/dev/null | grep -Eq 'version ([89]|[1-9][0-9])\.'; then
    list=/etc/apt/sources.list.d/bookworm-backports.list
    grep -rqs 'bookworm-backports' /etc/apt/sources.list /etc/apt/sources.list.d/ ||
      echo 'deb http://deb.debian.org/debian bookworm-backports main' | $SUDO tee "$list" >/dev/null
    apt_update
    $SUDO apt-get install -y -q --no-install-recommends -t bookworm-backports qemu-user
  fi
  [ -e /proc/sys/fs/binfmt_misc/register ] ||
    $SUDO mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
  entry=/proc/sys/fs/binfmt_misc/qemu-i386
  if [ -e "$entry" ] && ! grep -qx "interpreter $qemu" "$entry"; then
    echo -1 | $SUDO tee "$entry" >/dev/null
  fi
  if [ ! -e "$entry" ]; then
    printf '%s' ":qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:$qemu:OCF" |
      $SUDO tee /proc/sys/fs/binfmt_misc/register >/dev/null
  fi
  /usr/lib/wine/wineserver32 --version >/dev/null 2>&1 || { echo "cannot run 32-bit programs" >&2; exit 1; }
fi
