#!/bin/sh
# Runs the installed commands through their links in bin/, as a user with
# the folder on PATH would: each must find the language files beside its
# real executable and start.
#
# usage: check_runs.sh PREFIX VERSION
set -u
prefix=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work" QT_QPA_PLATFORM=offscreen
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# The scene picture carries texts from language/ENU.xml; without that file
# the calculator refuses to draw it.
record='{"scenario": 2, "sensorWidth": 4.8, "sensorHeight": 3.6, "focalLength": 8,
  "pitchAngle": 15, "ipcHeight": 6, "minPixels": 100, "maxPixels": 200,
  "resolutionWidth": 1920, "resolutionHeight": 1080, "lanesNum": 2, "lanesWidth": 3.75}'
printf '%s\n' "$record" | tr -d '\n' |
    "$prefix/bin/fenwarde-calc" --png "$work/scene.png" >"$work/result" 2>"$work/errors"
status=$?
[ "$status" -eq 0 ] || fail "fenwarde-calc --png exits $status: $(cat "$work/errors")"
[ "$(grep -c '^{"L1":' "$work/result")" -eq 1 ] ||
    fail "fenwarde-calc answers: $(cat "$work/result")"
[ "$(od -An -c -j1 -N3 "$work/scene.png" 2>/dev/null | tr -d ' ')" = PNG ] ||
    fail "fenwarde-calc --png wrote no picture"

"$prefix/bin/fenwarde-calc" --version >"$work/version" 2>"$work/errors"
status=$?
[ "$status" -eq 0 ] && [ ! -s "$work/errors" ] &&
    [ "$(cat "$work/version")" = "fenwarde-calc $version" ] ||
    fail "fenwarde-calc --version exits $status, prints: $(cat "$work/version" "$work/errors")"

# The program leaves at once when it finds no language file; started well,
# it is still showing its window when the time runs out.
timeout 3 "$prefix/bin/fenwarde" >"$work/output" 2>&1
status=$?
[ "$status" -eq 124 ] || fail "fenwarde exits $status within 3 s: $(cat "$work/output")"

[ "$failures" -eq 0 ] || exit 1
echo "the installed commands run"
