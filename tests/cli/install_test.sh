#!/bin/sh
# Installs the build into a temporary prefix, then checks the installed menu
# entry, metainfo, icons, manual pages and launcher. Exit 77 (skipped) when a
# validator is not installed, after every other check has passed.
set -eu
build=$1
cmake=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$cmake" --install "$build" --prefix "$prefix" >/dev/null
id=com.quandrel.Orvina
desktop=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml
for file in bin/orvina bin/orvina-cli share/icons/hicolor/scalable/apps/$id.svg; do
    [ -s "$prefix/$file" ] || fail "$file is not installed"
done
for size in 16 22 24 32 48 64 128 256; do
    icon=$prefix/share/icons/hicolor/${size}x$size/apps/$id.png
    # A PNG's width and height are the big-endian words at bytes 16 and 20.
    [ "$(od -An --endian=big -tu4 -j16 -N8 "$icon" | tr -s ' ')" = " $size $size" ] || fail "$icon is not ${size}x$size"
done
for page in orvina orvina-cli; do
    text=$(MANWIDTH=80 man -l "$prefix/share/man/man1/$page.1.gz" 2>&1)
    echo "$text" | grep -q "^NAME" || fail "man -l $page.1: $text"
done

# The menu entry starts the installed launcher, which starts the program in
# the data folder, creating it, with XDG_DATA_HOME or its default.
launcher=$(sed -n 's/^Exec="\(.*\)"$/\1/p' "$desktop")
[ "$launcher" = "$prefix/libexec/orvina/orvina-launcher" ] || fail "Exec names '$launcher'"
[ -x "$launcher" ] || fail "the launcher is not executable"
grep -q "^program=\"\${ORVINA_PROGRAM:-$prefix/bin/orvina}\"" "$launcher" || fail "the launcher misses the program"
where=$(XDG_DATA_HOME="$prefix/data home" ORVINA_PROGRAM=/bin/pwd "$launcher" | tail -n 1)
[ "$where" = "$prefix/data home/Quandrel/Orvina 2.1" ] || fail "started in '$where'"
where=$(env -u XDG_DATA_HOME HOME="$prefix/home" ORVINA_PROGRAM=/bin/pwd "$launcher" | tail -n 1)
[ "$where" = "$prefix/home/.local/share/Quandrel/Orvina 2.1" ] || fail "started in '$where'"

# Runs a validator when it is installed and notes it as skipped when not.
skipped=""
validate() { if command -v "$1" >/dev/null; then "$@" || fail "$1"; else skipped="$skipped $1"; fi; }
validate desktop-file-validate "$desktop"
validate appstreamcli validate --no-net "$metainfo"
if [ -n "$skipped" ]; then
    echo "SKIPPED: not installed (tools/install-deps.sh installs them):$skipped"
    exit 77
fi
echo "installed files valid"
