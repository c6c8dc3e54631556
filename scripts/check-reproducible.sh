#!/usr/bin/env bash
# Builds and packages the same sources twice, in two fresh build dirs at different
# paths (both with the win32 preset the tests use), and fails unless the kit's exes
# and the zip are byte-identical.
# Two full 32-bit builds: a few minutes; not part of scripts/test.sh.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mapfile -t exes < "$root/scripts/kit-exes.txt"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for run in first second; do
  echo "== $run build" >&2
  "$root/scripts/package.sh" "$work/build-$run" "$work/out-$run" >/dev/null
done

status=0
for exe in "${exes[@]}"; do
  cmp "$work/build-first/$exe.exe" "$work/build-second/$exe.exe" || status=1
done
for zip in "$work"/out-first/*.zip; do
  cmp "$zip" "$work/out-second/$(basename "$zip")" || status=1
done
(cd "$work/build-first" && sha256sum "${exes[@]/%/.exe}")
(cd "$work" && sha256sum out-first/*.zip)
if [ $status -eq 0 ]; then echo "reproducible: both builds are byte-identical"; else echo "NOT reproducible"; fi
exit $status
