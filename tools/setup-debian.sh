#!/bin/sh
# Installs what Fenwarde needs to build, run and test on Debian 12, and only
# what is missing: quiet and quick when everything is already there.
# dpkg-dev works out the Debian package's dependencies; desktop-file-utils and
# appstream validate the menu entry and the software-centre file.
set -eu
packages="qtbase5-dev libqt5svg5-dev libxlsxwriter-dev pkg-config cmake ninja-build g++
xvfb xauth poppler-utils python3 python3-openpyxl python3-pil fonts-liberation2
fonts-wqy-microhei dpkg-dev desktop-file-utils appstream"
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
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
