#!/bin/sh
# Installs what Fenwarde needs to build, run and test on Debian 12, and only
# what is missing: quiet and quick when everything is already there.
# dpkg-dev works out the Debian package's dependencies; desktop-file-utils and
# appstream validate the menu entry and the software-centre file; openbox and
# xdotool let the display tests drive the window as a user does.
set -eu
packages="qtbase5-dev libqt5svg5-dev libxlsxwriter-dev pkg-config cmake ninja-build g++
xvfb xauth poppler-utils python3 python3-openpyxl python3-pil fonts-liberation2
fonts-wqy-microhei dpkg-dev desktop-file-utils appstream openbox xdotool"
missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
    SUDO=sudo
else
    SUDO=
fi
echo "Installing:$missing"
# A fresh machine often runs its unattended upgrades first and holds the
# package locks for minutes; wait for them instead of failing at once.
lock_wait="-o DPkg::Lock::Timeout=900"
tries=0
until $SUDO apt-get $lock_wait update -qq; do
    tries=$((tries + 1))
    [ "$tries" -lt 30 ] || exit 1
    echo "Waiting for the package lists to be free..."
    sleep 30
done
DEBIAN_FRONTEND=noninteractive $SUDO apt-get $lock_wait install -y -qq --no-install-recommends \
    $missing >/dev/null
