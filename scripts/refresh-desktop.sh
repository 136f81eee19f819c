#!/bin/sh
# After `make install` or `make uninstall` into PREFIX: the desktop's caches
# of file types, desktop entries and icons learn the change. Each tool is
# optional; a desktop without it reads the files directly.
PREFIX=${1:-/usr/local}
SHARE="$PREFIX/share"
if command -v update-mime-database >/dev/null && [ -d "$SHARE/mime/packages" ]; then
    update-mime-database "$SHARE/mime" || true
fi
if command -v update-desktop-database >/dev/null && [ -d "$SHARE/applications" ]; then
    update-desktop-database -q "$SHARE/applications" || true
fi
if command -v gtk-update-icon-cache >/dev/null && [ -f "$SHARE/icons/hicolor/index.theme" ]; then
    gtk-update-icon-cache -q -t "$SHARE/icons/hicolor" || true
fi
exit 0
