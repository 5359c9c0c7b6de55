#!/bin/sh
# Renders the scene pictures from their SVG sources. The PNGs are committed, so
# the build never needs this; run it after changing an SVG.
set -e
cd "$(dirname "$0")"
for name in people car ipc pitch level; do
    rsvg-convert "$name.svg" -o "$name.png"
done
