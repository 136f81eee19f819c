#!/bin/sh
# Keeps the floor plan: every folder of src/core and src/qt has a floor, and a
# file includes only its own folder and folders on lower floors. The core
# includes no Qt at all. Usage: check-layers.sh [SRC_DIR] (default: src).
# Prints each offending include and exits 1 when there is one.
set -u
src=${1:-src}

# Floors, lowest first. Folders on one floor do not include each other.
core_floor() {
    case $1 in
    base) echo 0 ;;
    document | lexicon) echo 1 ;;
    services) echo 2 ;;
    settings) echo 3 ;;
    editor) echo 4 ;;
    highlight | print | viewers) echo 5 ;;
    app | options) echo 6 ;;
    toolchain) echo 7 ;;
    *) echo none ;;
    esac
}
qt_floor() {
    case $1 in
    base) echo 0 ;;
    editor) echo 1 ;;
    print | viewers | dialogs) echo 2 ;;
    app) echo 3 ;;
    *) echo none ;;
    esac
}

status=0
fail() {
    echo "$1"
    status=1
}

# check LAYER: every include of a project header from LAYER's folders.
check() {
    layer=$1
    [ -d "$src/$layer" ] || return 0
    for dir in "$src/$layer"/*/; do
        [ -d "$dir" ] || continue
        folder=$(basename "$dir")
        own=$("${layer}_floor" "$folder")
        if [ "$own" = none ]; then
            fail "$layer/$folder: a folder without a floor (give it one in $0)"
            continue
        fi
        # file:line:include-path for every quoted include of a layer header
        grep -rnoE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"(core|qt)/[^"]+"' "$dir" |
            sed -E 's/#[[:space:]]*include[[:space:]]*"//; s/"$//' >"$tmp"
        while IFS=: read -r file line path; do
            target_layer=${path%%/*}
            rest=${path#*/}
            target=${rest%%/*}
            where="$file:$line: includes $path"
            if [ "$layer" = core ] && [ "$target_layer" = qt ]; then
                fail "$where (the core never includes the Qt layer)"
                continue
            fi
            [ "$target_layer" = "$layer" ] || continue
            [ "$target" = "$folder" ] && continue
            theirs=$("${layer}_floor" "$target")
            if [ "$theirs" = none ] || [ "$theirs" -ge "$own" ]; then
                fail "$where ($layer/$folder may include only folders on lower floors)"
            fi
        done <"$tmp"
    done
}

tmp=$(mktemp)
trap 'rm -f "$tmp"' EXIT

qt_in_core=$(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' "$src/core" 2>/dev/null)
[ -n "$qt_in_core" ] && fail "$qt_in_core (the core never includes Qt)"
check core
check qt
[ "$status" -eq 0 ] && echo "floor plan kept"
exit "$status"
