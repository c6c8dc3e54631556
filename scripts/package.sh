#!/usr/bin/env bash
# Makes out/framewright-<version>-win32.zip: the launcher, its diagnostic build, the
# check tool, the setup program, the examples, the configuration reference and the licence.
#   scripts/package.sh [win32-build-dir [output-dir]]
# The build dir defaults to build/package-win32; it is configured when new and
# brought up to date either way. Two runs on the same commit give the same bytes:
# the exes have no link timestamp, and the zip has the commit's time on every
# file, fixed modes, a sorted order and no extra attributes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/package-win32}
out=${2:-$root/out}
version=$(head -n 1 "$root/VERSION")
name=framewright-$version

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" -j2 --target framewright framewright-trace framewright-check framewright-setup >/dev/null

# The commit's time, so a rebuild of the same commit stamps the same; 1980 is the
# zip format's earliest date.
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 315532800)}

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/$name/examples" "$stage/$name/docs"
cp "$build/framewright.exe" "$build/framewright-trace.exe" "$build/framewright-check.exe" "$build/framewright-setup.exe" \
   "$root/LICENSE" "$stage/$name/"
cp "$root"/examples/*.ini "$stage/$name/examples/"
cp "$root/docs/configuration.md" "$stage/$name/docs/"
find "$stage" -type f -exec chmod 0644 {} +
find "$stage" -type f -exec env TZ=UTC touch -d "@$epoch" {} +

mkdir -p "$out"
zip="$out/$name-win32.zip"
rm -f "$zip"
(cd "$stage" && find "$name" -type f | LC_ALL=C sort | TZ=UTC zip -X -D -q "$zip" -@)
echo "$zip"
