#!/usr/bin/env bash
# The kit ships the tested exes: packages from the build the tests ran and fails
# unless every exe in the zip is byte-identical to that build's, as it stood before
# packaging (a packaging step that rebuilt them differently would be caught). Its
# top holds README.txt, the quick start a Windows user reads first: plain text,
# every line ended by CR LF, under 60 lines.
#   check_kit.sh SOURCE_DIR WIN32_BUILD_DIR
set -euo pipefail
root=$1 build=$2
mapfile -t exes < "$root/scripts/kit-exes.txt"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$build" && sha256sum "${exes[@]/%/.exe}") > "$work/tested.sha256"
zip=$("$root/scripts/package.sh" "$build" "$work/out")
mkdir "$work/kit"
unzip -q "$zip" -d "$work/kit"
kit=$(echo "$work"/kit/*/)

status=0
(cd "$kit" && sha256sum -c --quiet "$work/tested.sha256") || status=1
shipped=$(cd "$kit" && ls -1 -- *.exe | sed 's/\.exe$//' | LC_ALL=C sort)
listed=$(printf '%s\n' "${exes[@]}" | LC_ALL=C sort)
if [ "$shipped" != "$listed" ]; then
  echo "the kit's exes ($(echo $shipped)) are not the listed ones ($(echo $listed))"
  status=1
fi
readme=$kit/README.txt
if [ ! -f "$readme" ]; then
  echo "the kit has no README.txt at its top"
  status=1
elif LC_ALL=C grep -q '[^[:print:][:space:]]' "$readme" || [ "$(grep -c $'\r$' "$readme")" != "$(wc -l < "$readme")" ] ||
     [ -n "$(tail -c 2 "$readme" | tr -d '\r\n')" ] || [ "$(wc -l < "$readme")" -ge 60 ]; then
  echo "the kit's README.txt is not plain text with CR LF line ends, under 60 lines"
  status=1
fi
[ $status -eq 0 ] && echo "the kit's $(basename "$zip") ships the tested exes:" && cat "$work/tested.sha256"
exit $status
