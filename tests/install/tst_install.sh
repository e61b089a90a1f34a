#!/usr/bin/env bash
# Installs the build into an empty prefix and checks the tree: the program with its presets
# beside it, the launcher, the menu entry, the metainfo and the icon at every size.
#     tst_install.sh <build folder> <source folder> <component id> <version>
set -euo pipefail
build=$1 source=$2 id=$3 version=$4
prefix=$(realpath "$(mktemp -d)")
trap 'rm -rf "$prefix"' EXIT
errors=0
fail() { echo "FAIL: $*" >&2; errors=$((errors + 1)); }

cmake --install "$build" --prefix "$prefix" >/dev/null
cd "$prefix"

# Exactly these files: none missing, none extra.
sizes=(16 22 24 32 48 64 128 256)
expected=$({
    echo bin/ramulo
    echo lib/ramulo/ramulo
    (cd "$source/presets" && for f in *.txt; do echo "lib/ramulo/presets/$f"; done)
    echo "share/applications/$id.desktop"
    echo "share/metainfo/$id.metainfo.xml"
    echo "share/icons/hicolor/scalable/apps/$id.svg"
    for s in "${sizes[@]}"; do echo "share/icons/hicolor/${s}x$s/apps/$id.png"; done
} | LC_ALL=C sort)
actual=$(find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)
[ "$expected" = "$actual" ] ||
    fail "installed files differ (< expected, > installed):"$'\n'"$(diff <(echo "$expected") <(echo "$actual"))"

# The program is a real file; the launcher a relative link to it, so the program resolves
# it to lib/ramulo and finds its presets there, whatever the prefix.
[ -x lib/ramulo/ramulo ] && [ ! -L lib/ramulo/ramulo ] || fail "lib/ramulo/ramulo is not an executable file"
[ -L bin/ramulo ] && [[ $(readlink bin/ramulo) != /* ]] || fail "bin/ramulo is not a relative link"
[ "$(readlink -f bin/ramulo)" = "$prefix/lib/ramulo/ramulo" ] || fail "bin/ramulo does not lead to the program"
for f in "$source"/presets/*.txt; do
    cmp -s "$f" "lib/ramulo/presets/${f##*/}" || fail "preset ${f##*/} differs from its source"
done
cmp -s "$source/resources/icon.svg" "share/icons/hicolor/scalable/apps/$id.svg" ||
    fail "the scalable icon is not resources/icon.svg"

# Each PNG: the PNG signature, then the IHDR chunk's width and height (big-endian).
for s in "${sizes[@]}"; do
    png=share/icons/hicolor/${s}x$s/apps/$id.png
    [ -f "$png" ] || continue
    read -r -a b <<<"$(od -An -v -tu1 -w24 -N24 "$png")"
    [ "${b[*]:0:8}" = "137 80 78 71 13 10 26 10" ] || { fail "$png is not a PNG"; continue; }
    width=$(((b[16] << 24) | (b[17] << 16) | (b[18] << 8) | b[19]))
    height=$(((b[20] << 24) | (b[21] << 16) | (b[22] << 8) | b[23]))
    [ "$width $height" = "$s $s" ] || fail "$png is $width x $height pixels"
done

# The menu entry starts the launcher, on the folder a file manager passes when asked to
# open one with Ramulo, and names the installed icon.
desktop=share/applications/$id.desktop
out=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$out" ] || fail "desktop-file-validate: $out"
grep -qx 'Exec=ramulo %f' "$desktop" || fail "the menu entry does not start bin/ramulo on a folder"
grep -qx 'MimeType=inode/directory;' "$desktop" || fail "the menu entry does not open folders"
grep -qx "Icon=$id" "$desktop" || fail "the menu entry does not name the icon $id"

# The metainfo: no error, warning or info, and it speaks of this entry and this version.
metainfo=share/metainfo/$id.metainfo.xml
out=$(appstreamcli validate --no-net "$metainfo" 2>&1) && ! grep -q '^[EWI]:' <<<"$out" ||
    fail "appstreamcli validate: $out"
grep -q "<id>$id</id>" "$metainfo" || fail "the metainfo's id is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $id.desktop"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo has no release $version"

[ "$errors" -eq 0 ] || exit 1
echo "install tree checked"
