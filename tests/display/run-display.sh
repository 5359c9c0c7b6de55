#!/bin/sh
# Runs a test program on a private X server, with real pointer and keyboard
# input from xdotool: run-display.sh [--wm] PROGRAM. With --wm, openbox
# manages the windows as a desktop would. Exits 77 (skipped) when the tools
# are missing, so a machine without a display stack still runs the rest.
set -eu
wm=0
if [ "${1:-}" = "--wm" ]; then
    wm=1
    shift
fi
need="xvfb-run xauth xdotool"
[ "$wm" = 1 ] && need="$need openbox"
for tool in $need; do
    command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
done
inner='if [ "$1" = 1 ]; then openbox >/dev/null 2>&1 & wmpid=$!; sleep 1; fi
shift; "$@"; rc=$?
[ -n "${wmpid:-}" ] && kill "$wmpid" 2>/dev/null
exit $rc'
exec xvfb-run -a -s "-screen 0 1920x1080x24 -dpi 96" sh -c "$inner" sh "$wm" "$@"
