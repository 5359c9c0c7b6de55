#!/bin/sh
# Checks an installed tree: the commands on PATH are relative links into the
# program folder, which holds both executables with every language file of
# the source beside them; the menu entry, its icons and the software-centre
# file sit where desktops look and name each other consistently; nothing
# else (development tools, tests) is installed.
#
# usage: check_layout.sh PREFIX SOURCE_DIR BUILD_DIR
set -u
prefix=$1
source=$2
build=$3
program=$prefix/lib/fenwarde
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
# names DIR: the entries of DIR on one line, sorted.
names() { (cd "$1" 2>/dev/null && ls -A | LC_ALL=C sort | tr '\n' ' '); }
# png_size FILE: "WIDTHxHEIGHT" read from the PNG header.
png_size() {
    od -An -tu1 -j16 -N8 "$1" | {
        read -r w0 w1 w2 w3 h0 h1 h2 h3
        echo "$(((w0 << 24) + (w1 << 16) + (w2 << 8) + w3))x$((
            (h0 << 24) + (h1 << 16) + (h2 << 8) + h3))"
    }
}

[ "$(names "$prefix")" = "bin lib share " ] || fail "prefix holds: $(names "$prefix")"
[ "$(names "$prefix/bin")" = "fenwarde fenwarde-calc " ] ||
    fail "bin/ holds: $(names "$prefix/bin")"
[ "$(names "$program")" = "fenwarde fenwarde-calc guidelines.json language " ] ||
    fail "lib/fenwarde/ holds: $(names "$program")"
cmp -s "$source/geometry/calc/guidelines.json" "$program/guidelines.json" ||
    fail "guidelines.json is missing or differs from the source"

for command in fenwarde fenwarde-calc; do
    link=$prefix/bin/$command
    if [ ! -L "$link" ]; then
        fail "bin/$command is not a link"
    else
        case $(readlink "$link") in
        /*) fail "bin/$command links to an absolute path: $(readlink "$link")" ;;
        esac
        [ "$(readlink -f "$link")" = "$(readlink -f "$program/$command")" ] ||
            fail "bin/$command links to $(readlink "$link")"
    fi
    if [ -L "$program/$command" ] || [ ! -x "$program/$command" ]; then
        fail "lib/fenwarde/$command is not an executable file"
    elif command -v readelf >/dev/null && readelf -d "$program/$command" | grep -qF "$build"; then
        fail "lib/fenwarde/$command searches the build folder for libraries"
    fi
done

for language in "$source"/language/*.xml; do
    cmp -s "$language" "$program/language/${language##*/}" ||
        fail "language/${language##*/} is missing or differs from the source"
done

desktop=$prefix/share/applications/fenwarde.desktop
if [ ! -f "$desktop" ]; then
    fail "no menu entry share/applications/fenwarde.desktop"
else
    exec_command=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
    [ -n "$exec_command" ] && [ -L "$prefix/bin/$exec_command" ] ||
        fail "the menu entry starts '$exec_command', which is not installed in bin/"
    icon=$(sed -n 's/^Icon=//p' "$desktop")
    hicolor=$prefix/share/icons/hicolor
    for size in 16 32 48 64 128 256; do
        png=$hicolor/${size}x$size/apps/$icon.png
        if [ ! -f "$png" ]; then
            fail "no ${size}x$size icon '$icon'"
        elif [ "$(png_size "$png")" != "${size}x$size" ]; then
            fail "the ${size}x$size icon is $(png_size "$png")"
        fi
    done
    grep -q '<svg' "$hicolor/scalable/apps/$icon.svg" 2>/dev/null ||
        fail "no scalable icon '$icon'"
fi

mime=$prefix/share/mime/packages/fenwarde.xml
mime_type=$(sed -n 's/^MimeType=\([^;]*\);*$/\1/p' "$desktop" 2>/dev/null)
grep -q "<mime-type type=\"$mime_type\">" "$mime" 2>/dev/null && grep -q '"\*.fenwarde"' "$mime" ||
    fail "the menu entry opens '$mime_type', which share/mime/packages does not give *.fenwarde"

set -- "$prefix"/share/metainfo/*.metainfo.xml
if [ $# -ne 1 ] || [ ! -f "$1" ]; then
    fail "want one file in share/metainfo, found: $*"
else
    launchable=$(sed -n 's/.*<launchable type="desktop-id">\(.*\)<\/launchable>.*/\1/p' "$1")
    [ -f "$prefix/share/applications/$launchable" ] ||
        fail "the metainfo file launches '$launchable', which is not installed"
    binaries=$(sed -n 's/.*<binary>\(.*\)<\/binary>.*/\1/p' "$1" | LC_ALL=C sort | tr '\n' ' ')
    [ "$binaries" = "$(names "$prefix/bin")" ] ||
        fail "the metainfo file provides '$binaries' but bin/ holds '$(names "$prefix/bin")'"
fi

[ "$failures" -eq 0 ] || exit 1
echo "layout of $prefix is as expected"
