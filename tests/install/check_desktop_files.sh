#!/bin/sh
# Validates the installed menu entry and software-centre file with the
# desktop's own tools, where the machine has them.
#
# usage: check_desktop_files.sh PREFIX
set -u
prefix=$1
checked=0
failures=0

if command -v desktop-file-validate >/dev/null; then
    for file in "$prefix"/share/applications/*.desktop; do
        report=$(desktop-file-validate "$file" 2>&1)
        status=$?
        if [ "$status" -ne 0 ] || echo "$report" | grep -qiE 'error|warning'; then
            echo "FAIL: desktop-file-validate ${file##*/}:"
            echo "$report"
            failures=$((failures + 1))
        fi
    done
    checked=$((checked + 1))
else
    echo "desktop-file-validate not found (package desktop-file-utils): menu entry not checked"
fi

if command -v appstreamcli >/dev/null; then
    if ! appstreamcli validate-tree --no-net "$prefix"; then
        echo "FAIL: appstreamcli validate-tree"
        failures=$((failures + 1))
    fi
    checked=$((checked + 1))
else
    echo "appstreamcli not found (package appstream): metainfo file not checked"
fi

[ "$failures" -eq 0 ] || exit 1
if [ "$checked" -eq 0 ]; then
    echo "no validator on this machine: skipped"
    exit 77
fi
