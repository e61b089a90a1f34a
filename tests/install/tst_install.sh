#!/usr/bin/env bash
# Installs the build into an empty prefix and checks the tree: the program with its presets
# beside it, the launcher, the menu entry, the file managers' right-click entries, the
# metainfo, the icon at every size, the manual page, the copyright and the changelog. Then, when lintian is there, packs the build as a
# Debian package and has lintian check it.
#     tst_install.sh <build folder> <source folder> <component id> <version>
set -euo pipefail
build=$(realpath "$1") source=$(realpath "$2") id=$3 version=$4
prefix=$(realpath "$(mktemp -d)")
work=$(mktemp -d)
trap 'rm -rf "$prefix" "$work"' EXIT
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
    echo "share/kio/servicemenus/$id.desktop"
    echo "share/nemo/actions/$id.nemo_action"
    echo "share/metainfo/$id.metainfo.xml"
    echo "share/icons/hicolor/scalable/apps/$id.svg"
    for s in "${sizes[@]}"; do echo "share/icons/hicolor/${s}x$s/apps/$id.png"; done
    echo share/man/man1/ramulo.1.gz
    echo share/doc/ramulo/copyright
    echo share/doc/ramulo/changelog.gz
    echo share/lintian/overrides/ramulo
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
# open one with another program, and names the installed icon. It claims no file type:
# a program that claims inode/directory may become the one that opens every folder.
desktop=share/applications/$id.desktop
out=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$out" ] || fail "desktop-file-validate: $out"
grep -qx 'Exec=ramulo %f' "$desktop" || fail "the menu entry does not start bin/ramulo on a folder"
! grep -n '^MimeType' "$desktop" || fail "the menu entry claims file types"
grep -qx "Icon=$id" "$desktop" || fail "the menu entry does not name the icon $id"

# The right-click entries are the packaging folder's files; tst_actions checks them.
cmp -s "$source/packaging/$id.servicemenu.desktop" "share/kio/servicemenus/$id.desktop" ||
    fail "the KDE service menu is not packaging/$id.servicemenu.desktop"
cmp -s "$source/packaging/$id.nemo_action" "share/nemo/actions/$id.nemo_action" ||
    fail "the Nemo action is not packaging/$id.nemo_action"

# The metainfo: no error, warning or info, and it speaks of this entry and this version.
metainfo=share/metainfo/$id.metainfo.xml
out=$(appstreamcli validate --no-net "$metainfo" 2>&1) && ! grep -q '^[EWI]:' <<<"$out" ||
    fail "appstreamcli validate: $out"
grep -q "<id>$id</id>" "$metainfo" || fail "the metainfo's id is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $id.desktop"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo has no release $version"

# The manual page and the changelog: whole gzip streams as Debian wants them, packed at the
# best compression (XFL 2) with neither a file name (FLG bit 3) nor a time (MTIME) inside.
for gz in share/man/man1/ramulo.1.gz share/doc/ramulo/changelog.gz; do
    [ -f "$gz" ] || continue
    gzip -t "$gz" 2>/dev/null || { fail "$gz does not decompress"; continue; }
    read -r -a b <<<"$(od -An -v -tu1 -N9 "$gz")"
    [ $((b[3] & 8)) -eq 0 ] && [ "${b[*]:4:4}" = "0 0 0 0" ] && [ "${b[8]}" -eq 2 ] ||
        fail "$gz is not compressed with gzip -9n (header ${b[*]})"
done

# The manual page: man and groff have nothing to say about it, whatis reads its name line,
# and the build wrote this version in its title line.
page=share/man/man1/ramulo.1.gz
if gzip -t "$page" 2>/dev/null; then
    out=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 \
        >/dev/null) && [ -z "$out" ] || fail "man --warnings: $out"
    out=$(zcat "$page" | groff -man -ww -z 2>&1) && [ -z "$out" ] || fail "groff -ww: $out"
    out=$(LC_ALL=C.UTF-8 lexgrog "$page" 2>&1) && [[ $out == *': "ramulo - '?* ]] ||
        fail "lexgrog does not read the page's name line: $out"
    zcat "$page" | grep -q "^\.TH RAMULO 1 .*\"Ramulo $version\"" ||
        fail "the manual page's title line does not name Ramulo $version"
fi

# The changelog: dpkg reads it without a word, its newest entry is this version, and its
# entries are the metainfo's releases, version and day, newest first.
changelog=share/doc/ramulo/changelog.gz
if gzip -t "$changelog" 2>/dev/null; then
    zcat "$changelog" >"$work/changelog"
    out=$(dpkg-parsechangelog -l "$work/changelog" --all 2>&1 >/dev/null) && [ -z "$out" ] ||
        fail "dpkg-parsechangelog: $out"
    top=$(dpkg-parsechangelog -l "$work/changelog" -S Version 2>/dev/null || true)
    [ "$top" = "$version" ] || fail "the changelog's newest entry is '$top', not $version"
    entries=$(dpkg-parsechangelog -l "$work/changelog" --all 2>/dev/null |
        awk '/^Version:/ { v = $2 } /^Date:/ { print v, $3, $4, $5 }' |
        while read -r v d m y; do echo "$v $(date -d "$d $m $y" +%F)"; done)
    releases=$(grep -o '<release version="[^"]*" date="[^"]*"' share/metainfo/$id.metainfo.xml |
        sed 's/.*version="\([^"]*\)" date="\([^"]*\)"/\1 \2/')
    [ -n "$entries" ] && [ "$entries" = "$releases" ] ||
        fail "changelog entries differ from the metainfo's releases (< changelog, > metainfo):" \
            $'\n'"$(diff <(echo "$entries") <(echo "$releases"))"
fi

# The copyright, machine-readable: the format line first, and each license a Files
# paragraph names is written out in a License paragraph of its own, which gives the terms
# word for word as the About box does.
copyright=share/doc/ramulo/copyright
if [ -f "$copyright" ]; then
    head -n1 "$copyright" |
        grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
        fail "the copyright does not start with the machine-readable format line"
    about=$(sed -n '/kDisclaimer =/,/;$/p' "$source/about/frmabout.cpp" | grep -o '"[^"]*"' |
        sed 's/^"//; s/"$//' | tr -d '\n')
    [ -n "$about" ] || fail "the About box's terms are not found in about/frmabout.cpp"
    licenses=$(awk -v RS= '/^Files:/' "$copyright" | sed -n 's/^License: *//p')
    [ -n "$licenses" ] || fail "no Files paragraph of the copyright names a license"
    for license in $licenses; do
        text=$(awk -v RS= -v head="License: $license" 'index($0, head "\n ") == 1' "$copyright" |
            sed '1d; s/^ //; s/^\.$//' | tr '\n' ' ')
        if [ -z "$text" ]; then
            fail "the copyright has no text for the license $license"
        elif [[ $text != *"$about"* ]]; then
            fail "the copyright's license $license does not give the About box's terms: $about"
        fi
    done
fi

# The Debian package, packed from this build into a folder of the test's own (the build
# folder gets nothing but the install manifest cmake --install writes too): lintian must
# report no error and no warning, and every override must still silence a tag. It takes a
# few seconds. Debug and sanitizer builds pack as well: the package's program is stripped,
# and libasan and libubsan are mere dependencies.
if ! command -v lintian >/dev/null; then
    echo "SKIP: lintian is not installed: the Debian package is not checked"
elif ! out=$(cpack --config "$build/CPackConfig.cmake" -B "$work/deb" 2>&1); then
    fail "cpack: $out"
else
    debs=("$work"/deb/*.deb)
    # --allow-root: lintian only warns that root is not needed; --no-cfg: no local settings;
    # --display-info: the unused overrides are told as info.
    status=0
    out=$(lintian --no-cfg --allow-root --display-info --fail-on error,warning "${debs[@]}" \
        2>&1) || status=$?
    if [ "$status" -ne 0 ] || grep -qE '^[EW]:|^I: .*(unused|mismatched)-override' <<<"$out"; then
        fail "lintian ${debs[*]##*/} (status $status):"$'\n'"$out"
    else
        echo "lintian: ${debs[*]##*/} has no error and no warning"
    fi
fi

[ "$errors" -eq 0 ] || exit 1
echo "install tree checked"
