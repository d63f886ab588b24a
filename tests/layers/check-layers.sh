#!/usr/bin/env bash
# Keeps the module's folders one-way: a file under src/X may include headers
# of X itself and of folders on lower steps only. Folders on one step do not
# include each other. A folder that is not in the list fails too, so a new
# one has to be given its place here.
#
# Usage: check-layers.sh <src folder>
set -euo pipefail
src=${1:?usage: check-layers.sh <src folder>}

# From the bottom up, one step per line. The windows stack from the innermost
# (info panel, parental dialogs) to the outermost (console); beneath them
# lie the settings store, the camera and the skin, the framework, the shared
# launch pieces (launch record, kernel objects, watcher, panel listener,
# session check) and the helpers; on top sit the entry points and setup, and
# dll wires the module together.
steps=(
    "base"
    "launch"
    "framework"
    "settings camera skin"
    "infopanel parental"
    "dialogs"
    "viewpanel"
    "console"
    "entry setup"
    "dll"
)

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
