#!/bin/sh
# The floor-plan check on small trees: a clean one passes, and each kind of
# wrong include is caught. Usage: check-layers-test.sh CHECK_SCRIPT
set -u
check=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# tree NAME: a minimal clean tree in $work/NAME/src
tree() {
    root="$work/$1/src"
    mkdir -p "$root/core/base" "$root/core/document" "$root/core/editor" \
        "$root/qt/base" "$root/qt/editor" "$root/qt/app"
    echo '#include <string>' >"$root/core/base/A.h"
    echo '#include "core/base/A.h"' >"$root/core/document/B.h"
    printf '#include "core/document/B.h"\n#include "core/editor/C.h"\n' >"$root/core/editor/C.h"
    echo '#include <QString>' >"$root/qt/base/D.h"
    printf '#include "qt/base/D.h"\n#include "core/editor/C.h"\n' >"$root/qt/editor/E.h"
    echo '#include "qt/editor/E.h"' >"$root/qt/app/F.h"
    echo "$root"
}

# expect STATUS NAME LINE FILE: writes LINE into FILE of a fresh tree and
# runs the check, which must end with STATUS.
expect() {
    root=$(tree "$2")
    [ -n "$3" ] && printf '%s\n' "$3" >>"$root/$4"
    sh "$check" "$root" >"$work/$2.out" 2>&1
    got=$?
    if [ "$got" -ne "$1" ]; then
        echo "FAIL $2: status $got, expected $1"
        cat "$work/$2.out"
        failures=$((failures + 1))
    else
        echo "ok   $2"
    fi
}

expect 0 clean "" ""
expect 1 qt-header-in-core '#include <QObject>' core/editor/C.h
expect 1 qt-layer-in-core '#include "qt/base/D.h"' core/base/A.h
expect 1 core-upward '#include "core/editor/C.h"' core/document/B.h
expect 1 core-same-floor '#include "core/lexicon/K.h"' core/document/B.h
expect 1 widget-includes-app '#include "qt/app/F.h"' qt/editor/E.h
root=$(tree unknown-folder)
mkdir -p "$root/core/misc"
if sh "$check" "$root" >/dev/null 2>&1; then
    echo "FAIL unknown-folder: a folder without a floor passed"
    failures=$((failures + 1))
else
    echo "ok   unknown-folder"
fi
expect 0 lower-floor '#include "core/base/A.h"' qt/app/F.h

[ "$failures" -eq 0 ]
