#!/usr/bin/env bash
# Every include of the product points down the layers: a folder may include its own
# headers and those of the folders below it, never one above.
#   check_layers.sh SOURCE_DIR
set -u
cd "$1"
layers=(platform diagnostics arithmetic settings geometry play supervisor watch app checktool setup)
rank() { local i; for i in "${!layers[@]}"; do [ "${layers[$i]}" = "$1" ] && echo "$i" && return; done; echo -1; }

status=0
for folder in "${layers[@]}"; do
  own=$(rank "$folder")
  while IFS=: read -r file _ line; do
    target=$(sed -E 's/.*#include "([^/"]+)\/.*/\1/' <<<"$line")
    theirs=$(rank "$target")
    if [ "$theirs" -gt "$own" ]; then
      echo "$file includes $target/, a layer above $folder/"
      status=1
    fi
  done < <(grep -rn '#include "[^"]*/' "$folder" --include='*.h' --include='*.cpp')
done
[ $status -eq 0 ] && echo "every include points down"
exit $status
