#!/bin/sh
# The .deb of `make package`: made by CPack into a scratch folder, its
# contents and control fields checked with dpkg-deb, judged by lintian (no
# errors), its programs run from an unpacked copy, and its file types read by
# shared-mime-info. Usage: package-test.sh BUILD_DIR
set -u
BUILD=$1
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
failures=0
fail() {
    echo "FAIL: $1"
    failures=$((failures + 1))
}

if ! cpack --config "$BUILD/CPackConfig.cmake" -G DEB -B "$WORK/out" >"$WORK/cpack.log" 2>&1; then
    cat "$WORK/cpack.log"
    echo "FAIL: cpack could not make the package"
    exit 1
fi
DEB=$(ls "$WORK"/out/*.deb)
echo "package: $(basename "$DEB")"

dpkg-deb -c "$DEB" | sed -E 's/^([^ ]+ +){5}//' >"$WORK/contents"
for path in ./usr/bin/quarno-ide ./usr/bin/quarno-tool ./usr/share/quarno/INC/KBX.INI \
    "./usr/share/quarno/INC/EXTERNAL PROGRAMS/" ./usr/share/applications/quarno-ide.desktop \
    ./usr/share/mime/packages/quarno-ide.xml ./usr/share/icons/hicolor/scalable/apps/quarno-ide.svg \
    ./usr/share/icons/hicolor/16x16/apps/quarno-ide.png ./usr/share/icons/hicolor/48x48/apps/quarno-ide.png \
    ./usr/share/icons/hicolor/256x256/apps/quarno-ide.png ./usr/share/man/man1/quarno-ide.1.gz \
    ./usr/share/man/man1/quarno-tool.1.gz ./usr/share/doc/quarno-ide/copyright \
    ./usr/share/doc/quarno-ide/changelog.gz; do
    grep -qxF "$path" "$WORK/contents" || fail "the package lacks $path"
done
if grep -E 'QUARNO_PL|ORLAWIN|BOOTLOAD|HEADER\.EXE|quarno-lxpc|quarno-icon|/samples/' "$WORK/contents"; then
    fail "the package holds build or test programs"
fi
dpkg-deb -c "$DEB" | awk '$2 != "root/root" { print; bad = 1 } END { exit bad }' ||
    fail "files not owned by root"

depends=$(dpkg-deb -f "$DEB" Depends)
for package in libqt6widgets6 libqt6gui6 libqt6core6 libqt6network6 libqt6printsupport6 \
    fonts-liberation; do
    echo "$depends" | grep -qE "(^|, )$package( |,|$)" || fail "Depends lacks $package: $depends"
done
[ "$(dpkg-deb -f "$DEB" Recommends)" = "wine, gputils, xdg-utils" ] ||
    fail "Recommends: $(dpkg-deb -f "$DEB" Recommends)"

lintian --tag-display-limit 0 "$DEB" >"$WORK/lintian.log" 2>&1
cat "$WORK/lintian.log"
grep -q '^E: ' "$WORK/lintian.log" && fail "lintian reports errors"

# The unpacked programs run and find their template under the prefix.
dpkg-deb -x "$DEB" "$WORK/root"
version=$("$WORK/root/usr/bin/quarno-tool" --version) || fail "quarno-tool --version"
echo "$version" | grep -qE '^quarno-tool \(QUARNO\+ Editor\) [0-9]+\.[0-9]+\.[0-9]+$' ||
    fail "quarno-tool --version printed: $version"
layout=$(HOME="$WORK/home" XDG_DATA_HOME= "$WORK/root/usr/bin/quarno-ide" --version | tail -n 1)
expected="Installed: your files are in $WORK/home/.local/share/QUARNO/, the templates in $WORK/root/usr/share/quarno/INC/"
[ "$layout" = "$expected" ] || fail "quarno-ide --version printed: $layout"

# shared-mime-info reads the file types: PIC BASIC sources by their endings,
# never plain text in general.
mkdir -p "$WORK/mime/packages"
cp "$WORK/root/usr/share/mime/packages/quarno-ide.xml" "$WORK/mime/packages/"
update-mime-database "$WORK/mime" >"$WORK/mime.log" 2>&1 || fail "update-mime-database rejects the file types"
for line in 50:text/x-pic-basic:\*.bas 50:text/x-pic-basic:\*.kbx 30:text/x-pic-basic-include:\*.inc \
    30:text/x-asm:\*.asm; do
    grep -qxF "$line" "$WORK/mime/globs2" || fail "globs2 lacks $line"
done
grep -q 'text/plain' "$WORK/mime/globs2" && fail "a glob claims text/plain"
grep -qx 'text/x-pic-basic text/plain' "$WORK/mime/subclasses" || fail "not a kind of text/plain"

[ "$failures" -eq 0 ] && echo "package checked" && exit 0
exit 1
