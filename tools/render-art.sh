#!/bin/sh
# Renders the raster pictures of the program from their SVG sources. The
# generated PNG and ICO files are committed, so the build never needs this
# script; run it after changing an SVG under res/.
#
# Needs rsvg-convert (librsvg2-bin) and python3-pil.
set -eu

res="$(cd "$(dirname "$0")/../res" && pwd)"
skin="$res/darkgreen/png"

# svg-to-png SOURCE.svg OUT.png WIDTH HEIGHT
svg_to_png() {
    rsvg-convert -w "$3" -h "$4" "$1" -o "$2"
}

# Program picture, shown stretched in a 4:1 box on the title bar.
svg_to_png "$res/fenwarde.svg" "$res/fenwarde.png" 320 80

# Desktop icons for the hicolor theme. Straight edges blur when the large
# drawing is scaled far down, so the small sizes come from drawings made on
# their own pixel grid.
hicolor="$res/desktop/icons"
for size in 16 32 48 64 128 256; do
    case $size in
    16) source="$res/art/fenwarde-icon-16.svg" ;;
    32 | 64) source="$res/art/fenwarde-icon-32.svg" ;;
    *) source="$res/art/fenwarde-icon.svg" ;;
    esac
    mkdir -p "$hicolor/${size}x$size/apps"
    svg_to_png "$source" "$hicolor/${size}x$size/apps/fenwarde.png" "$size" "$size"
done

# Window icon: the sharp desktop icons up to the sizes window managers show.
# Larger ones only cost decoding time at every start.
/usr/bin/python3 - "$hicolor" "$res/fenwarde.ico" <<'PYTHON'
import sys
from PIL import Image
icons = [Image.open("%s/%dx%d/apps/fenwarde.png" % (sys.argv[1], s, s)) for s in (64, 48, 32, 16)]
icons[0].save(sys.argv[2], sizes=[i.size for i in icons], append_images=icons[1:])
PYTHON

# Skin pictures. A label takes its design size from the picture, so these are
# rendered at their design size; icons that the kit scales down are rendered
# larger so they stay sharp on dense screens.
render_skin() { # NAME WIDTH HEIGHT
    if [ -f "$skin/$1.svg" ]; then
        svg_to_png "$skin/$1.svg" "$skin/$1.png" "$2" "$3"
    fi
}
render_skin playback/TimeUp 32 32
render_skin playback/TimeDown 32 32
render_skin common/CustomDialog/info 48 48
render_skin common/CustomDialog/success 48 48
render_skin common/CustomDialog/failed 48 48
render_skin common/CustomDialog/dialog-closebutton 32 32
