#!/usr/bin/env bash
# Makes out/framewright-<version>-win32.zip: the exes listed in scripts/kit-exes.txt,
# the quick start as README.txt at the top (with Windows line ends), the examples,
# the configuration reference and the licence.
#   scripts/package.sh [win32-build-dir [output-dir]]
# The build dir defaults to build/win32, the win32 preset's, whose exes the test
# command runs; so the kit ships the tested exes. A new build dir is configured with
# that preset too, and brought up to date either way. Two runs on the same commit
# give the same bytes: the exes have no link timestamp, and the zip has the commit's
# time on every file, fixed modes, a sorted order and no extra attributes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/win32}
out=${2:-$root/out}
version=$(head -n 1 "$root/VERSION")
name=framewright-$version
mapfile -t exes < "$root/scripts/kit-exes.txt"

if [ ! -f "$build/CMakeCache.txt" ]; then
  (cd "$root" && cmake --preset win32 -B "$build" >/dev/null)
fi
cmake --build "$build" -j2 --target "${exes[@]}" >/dev/null

# The commit's time, so a rebuild of the same commit stamps the same; 1980 is the
# zip format's earliest date.
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 315532800)}

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/$name/examples" "$stage/$name/docs"
for exe in "${exes[@]}"; do cp "$build/$exe.exe" "$stage/$name/"; done
cp "$root/LICENSE" "$stage/$name/"
sed 's/$/\r/' "$root/docs/quick-start.txt" > "$stage/$name/README.txt"
cp "$root"/examples/*.ini "$stage/$name/examples/"
cp "$root/docs/configuration.md" "$stage/$name/docs/"
find "$stage" -type f -exec chmod 0644 {} +
find "$stage" -type f -exec env TZ=UTC touch -d "@$epoch" {} +

mkdir -p "$out"
zip="$out/$name-win32.zip"
rm -f "$zip"
(cd "$stage" && find "$name" -type f | LC_ALL=C sort | TZ=UTC zip -X -D -q "$zip" -@)
echo "$zip"
