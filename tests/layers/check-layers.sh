#!/usr/bin/env bash
# Keeps the module's folders one-way: a file under src/X may include headers
# of X itself and of folders on lower steps only. Folders on one step do not
# include each other. A folder that is not in the layer file fails too, so a
# new one has to be given its place there.
#
# Usage: check-layers.sh <src folder> <layer file>
# The layer file (cmake/layers.txt, which the build reads too) lists the
# steps from the bottom up, one per line, folders on a step separated by
# spaces; "#" starts a comment.
set -euo pipefail
usage="usage: check-layers.sh <src folder> <layer file>"
src=${1:?$usage}
layers=${2:?$usage}

steps=()
while IFS= read -r line || [ -n "$line" ]; do
    line=${line%%#*}
    [ -n "${line//[[:space:]]/}" ] && steps+=("$line")
done <"$layers"
if [ ${#steps[@]} -eq 0 ]; then
    echo "$layers: no layers"
    exit 1
fi

declare -A rank
for i in "${!steps[@]}"; do
    for folder in ${steps[$i]}; do rank[$folder]=$i; done
done

failures=0
for dir in "$src"/*/; do
    folder=$(basename "$dir")
    if [ -z "${rank[$folder]+set}" ]; then
        echo "src/$folder: folder has no place in the layer order"
        failures=$((failures + 1))
        continue
    fi
    while IFS=: read -r file line text; do
        target=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/' <<<"$text")
        [[ $target == */* ]] || continue
        used=${target%%/*}
        [ "$used" = "$folder" ] && continue
        if [ -z "${rank[$used]+set}" ]; then
            [ -d "$src/$used" ] || continue  # not one of the module's folders
            echo "${file#"$src"/}:$line: includes $target, whose folder has no place in the layer order"
        elif [ "${rank[$used]}" -lt "${rank[$folder]}" ]; then
            continue
        elif [ "${rank[$used]}" -eq "${rank[$folder]}" ]; then
            echo "${file#"$src"/}:$line: includes $target from the same step ($folder, $used)"
        else
            echo "${file#"$src"/}:$line: includes $target from a layer above $folder"
        fi
        failures=$((failures + 1))
    done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$dir" || true)
done

if [ "$failures" -ne 0 ]; then
    echo "$failures include(s) break the layer order"
    exit 1
fi
echo "layers are one-way"
