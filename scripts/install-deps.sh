#!/bin/sh
# Installs the Debian 12 packages the build, the tests and `make run` need
# (xdg-utils: the desktop opener behind Help > User Guide; python3: the
# scripts that check the known-answer and golden files of tests/data; time: the
# peak memory of whole runs in make bench-peers).
# Only missing packages are installed, so a second run costs one dpkg query.
set -e
PACKAGES="build-essential cmake pkg-config qt6-base-dev qt6-base-dev-tools \
libgl-dev libgtest-dev libgmock-dev googletest libbenchmark-dev clang \
libclang-rt-14-dev xvfb xauth fonts-liberation ccache qt6-svg-dev \
dpkg-dev lintian shared-mime-info gputils xdg-utils python3 time"
missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends $missing
