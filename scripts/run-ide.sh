#!/bin/sh
# Starts quarno-ide from the build folder with the sample source. Without a
# display it runs under xvfb-run, saves a screenshot once the window has
# painted, and ends.
set -e
BUILD=${1:-build}
APP="$BUILD/bin/quarno-ide"
SAMPLE="$(pwd)/$BUILD/samples/BLINK.bas"
if [ -n "$DISPLAY" ] || [ -n "$WAYLAND_DISPLAY" ]; then
    exec "$APP" "$SAMPLE"
fi
SHOT="$(pwd)/$BUILD/quarno-run.png"
echo "No display: running quarno-ide under xvfb-run; the screenshot goes to $BUILD/quarno-run.png"
rm -f "$SHOT"
RUNTIME_DIR=$(mktemp -d)
XDG_RUNTIME_DIR="$RUNTIME_DIR" QUARNO_SCREENSHOT="$SHOT" QT_QPA_PLATFORM=xcb \
    timeout 120 xvfb-run -a -s "-screen 0 1280x800x24" "$APP" "$SAMPLE"
rm -rf "$RUNTIME_DIR"
if [ ! -f "$SHOT" ]; then
    echo "quarno-ide ended without writing $SHOT" >&2
    exit 1
fi
echo "Screenshot written: $BUILD/quarno-run.png"
