#!/bin/sh
# Removes what `make install` installed, as it listed the files (DESTDIR
# included) in build/installed-files.txt, and the folders only this program
# uses (the INC template and the documentation folder). The users' own folders
# (~/.local/share/QUARNO, ~/.config/QUARNO) are left alone.
set -e
MANIFEST=${1:-build/installed-files.txt}
if [ ! -f "$MANIFEST" ]; then
    echo "Nothing to uninstall: $MANIFEST is missing (it is written by make install)" >&2
    exit 1
fi
while IFS= read -r file || [ -n "$file" ]; do
    [ -n "$file" ] && rm -f "$file"
    case $file in
    */share/quarno/INC/*) rm -rf "${file%/share/quarno/INC/*}/share/quarno" ;;
    */share/doc/quarno-ide/*) rmdir "${file%/*}" 2>/dev/null || true ;;
    esac
done <"$MANIFEST"
rm -f "$MANIFEST"
echo "Removed the files that make install had put in place"
