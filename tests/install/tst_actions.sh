#!/usr/bin/env bash
# The right-click entries the package gives file managers: KDE's service menu and Cinnamon's
# Nemo action. Each file holds only the keys its format documents, with the ones its file
# manager needs; its command line, expanded as that file manager expands it and split as
# it splits it, starts `ramulo` from PATH on the folder clicked, whose name has a space
# and an accent. So does the Nautilus script the README's command writes. The program
# tells the folder it opened on through its ramulo.start log.
#     tst_actions.sh <program> <source folder> <component id>
set -euo pipefail
program=$(realpath "$1") source=$(realpath "$2") id=$3
work=$(realpath "$(mktemp -d)")
started=()
cleanup() {
    for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
errors=0
fail() { echo "FAIL: $*" >&2; errors=$((errors + 1)); }

servicemenu=$source/packaging/$id.servicemenu.desktop
nemo=$source/packaging/$id.nemo_action
caption="Créer des dossiers avec Ramulo"
for file in "$servicemenu" "$nemo"; do
    ! grep -n '\\' "$file" || fail "${file##*/} has a backslash, which this test does not read"
done

# `ramulo` found on PATH as the package installs it, a window with no screen, and the log
# line that names the destination.
mkdir "$work/bin"
ln -s "$program" "$work/bin/ramulo"
export PATH="$work/bin:$PATH" QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES="ramulo.start.info=true"
mkdir -p "$work/Projets été/Clients" "$work/Projets été/Archives"
folder="$work/Projets été/Clients"
other="$work/Projets été/Archives"

# --- Reading the files: key files, "[group]" then "key=value" lines.

# The key names of a group, one a line, as written (Name[fr] included).
keys() { awk -v group="[$2]" '/^\[/ { inside = ($0 == group) } inside && /=/ { sub(/=.*/, ""); print }' "$1"; }
# A key's value in a group, taken as written: the files have no backslash, so no key-file
# escape to read.
value() {
    awk -v group="[$2]" -v key="$3" '/^\[/ { inside = ($0 == group) }
        inside && index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }' "$1"
}
groups() { sed -n 's/^\[\(.*\)\]$/\1/p' "$1"; }

# Every key of a group is one of the documented ones (a localized name counts as its key),
# and no key is given twice.
onlyKeys() {
    local file=$1 group=$2 key
    shift 2
    while read -r key; do
        [ -n "$key" ] || continue
        [[ " $* " == *" ${key%%\[*} "* ]] || fail "${file##*/}: [$group] has the unknown key $key"
    done < <(keys "$file" "$group")
    local twice
    twice=$(keys "$file" "$group" | sort | uniq -d)
    [ -z "$twice" ] || fail "${file##*/}: [$group] gives twice: $twice"
}

# Splits a command line into arguments as GLib's g_shell_parse_argv does and the desktop
# entry Exec key allows: blanks separate, "..." keeps blanks with \ before " \ $ ` taken
# literally, '...' keeps everything, a \ outside quotes escapes the next character.
splitLine() {
    local line=$1 i=0 c word="" quote="" inword=0
    arguments=()
    while [ $i -lt ${#line} ]; do
        c=${line:i:1}
        if [ "$quote" = "'" ]; then
            if [ "$c" = "'" ]; then quote=""; else word+=$c; fi
        elif [ "$quote" = '"' ]; then
            if [ "$c" = '"' ]; then
                quote=""
            elif [ "$c" = '\' ] && [[ ${line:i+1:1} == [\"\\\$\`] ]]; then
                i=$((i + 1)); word+=${line:i:1}
            else
                word+=$c
            fi
        elif [[ $c == [[:blank:]] ]]; then
            [ $inword -eq 0 ] || arguments+=("$word")
            word="" inword=0
        else
            inword=1
            case $c in
            \' | \") quote=$c ;;
            \\) i=$((i + 1)); word+=${line:i:1} ;;
            *) word+=$c ;;
            esac
        fi
        i=$((i + 1))
    done
    [ -z "$quote" ] || fail "unclosed quote in: $line"
    [ $inword -eq 0 ] || arguments+=("$word")
}

# Runs the arguments with a given working folder, and waits for the program to tell its
# destination. It must say it and still be running, its window up: a refused command line
# or a refused folder would end or warn.
opensOn() {
    local what=$1 expected=$2 log=$work/log.$RANDOM pid said=""
    shift 2
    : >"$log" # there before it is read: the program's own shell opens it later
    (cd "$work" && exec "$@") >/dev/null 2>"$log" &
    pid=$!
    started+=("$pid")
    for _ in $(seq 200); do
        said=$(sed -n 's/^ramulo.start: destination : //p' "$log")
        [ -z "$said" ] && kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if [ "$said" != "$expected" ]; then
        fail "$what: the window opened on '$said', not '$expected'; it said:"$'\n'"$(cat "$log")"
    elif ! kill -0 "$pid" 2>/dev/null; then
        fail "$what: the program ended at once:"$'\n'"$(cat "$log")"
    fi
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

# --- KDE: a service menu, a desktop entry of type Service that Dolphin and Konqueror read
# from share/kio/servicemenus. KF5 wants X-KDE-ServiceTypes=KonqPopupMenu/Plugin, KF6 reads
# it without. Its actions are desktop entry actions.
[ "$(groups "$servicemenu" | head -n1)" = "Desktop Entry" ] ||
    fail "${servicemenu##*/} does not start with [Desktop Entry]"
onlyKeys "$servicemenu" "Desktop Entry" Type Name MimeType Actions X-KDE-ServiceTypes \
    X-KDE-Priority X-KDE-Submenu X-KDE-Protocols X-KDE-Require X-KDE-RequiredNumberOfUrls \
    X-KDE-MinNumberOfUrls X-KDE-MaxNumberOfUrls X-KDE-ShowIfRunning X-KDE-ShowIfDBusCall \
    X-KDE-AuthorizeAction X-KDE-ExcludeMimeTypes
[ "$(value "$servicemenu" "Desktop Entry" Type)" = Service ] || fail "the service menu is not of type Service"
[[ ";$(value "$servicemenu" "Desktop Entry" MimeType)" == *";inode/directory;"* ]] ||
    fail "the service menu is not offered on folders"
[ "$(value "$servicemenu" "Desktop Entry" X-KDE-ServiceTypes)" = KonqPopupMenu/Plugin ] ||
    fail "the service menu is not a KonqPopupMenu/Plugin, which KF5 needs"
actions=$(value "$servicemenu" "Desktop Entry" Actions)
[[ $actions == ?*\; ]] || fail "the service menu's Actions '$actions' is not a list ending in ;"
IFS=';' read -r -a actions <<<"$actions"
[ "$(groups "$servicemenu" | sed 1d)" = "$(printf 'Desktop Action %s\n' "${actions[@]}")" ] ||
    fail "the service menu's groups are not one [Desktop Action] for each of its Actions"
for action in "${actions[@]}"; do
    group="Desktop Action $action"
    onlyKeys "$servicemenu" "$group" Name Icon Exec
    [ "$(value "$servicemenu" "$group" Name)" = "$caption" ] || fail "KDE's $action is not named $caption"
    [ "$(value "$servicemenu" "$group" Icon)" = "$id" ] || fail "KDE's $action does not show the icon $id"
    # KIO splits the Exec line first, then puts each local path for %f or %F as one
    # argument; %f starts one program for each folder selected.
    splitLine "$(value "$servicemenu" "$group" Exec)"
    expanded=()
    for argument in "${arguments[@]}"; do
        case $argument in
        %f | %F) expanded+=("$folder") ;;
        %u | %U) expanded+=("file://$folder") ;;
        %%) expanded+=(%) ;;
        %*) fail "KDE's $action: the field code $argument is not expanded here" ;;
        *) expanded+=("$argument") ;;
        esac
    done
    opensOn "KDE's $action on a folder" "$folder" "${expanded[@]}"
done

# --- Cinnamon: a Nemo action. Nemo puts the selected paths in place of %F, each between
# the quotes Quote names, then splits the line as g_shell_parse_argv does; with nothing
# selected, a click on the background, %F is the folder shown. Selection=any with
# Extensions=dir; offers it on folders and on the background.
[ "$(groups "$nemo")" = "Nemo Action" ] || fail "${nemo##*/} is not one [Nemo Action] group"
onlyKeys "$nemo" "Nemo Action" Active Name Comment Exec Icon-Name Stock-Id Selection \
    Extensions Mimetypes Separator Quote Dependencies Conditions EscapeSpaces Terminal
[ "$(value "$nemo" "Nemo Action" Active)" = true ] || fail "the Nemo action is not active"
[ "$(value "$nemo" "Nemo Action" Name)" = "$caption" ] || fail "the Nemo action is not named $caption"
[ "$(value "$nemo" "Nemo Action" Icon-Name)" = "$id" ] || fail "the Nemo action does not show the icon $id"
[ "$(value "$nemo" "Nemo Action" Selection)" = any ] ||
    fail "the Nemo action is not offered both on a folder and on the background"
[ "$(value "$nemo" "Nemo Action" Extensions)" = "dir;" ] || fail "the Nemo action is not for folders only"
exec_line=$(value "$nemo" "Nemo Action" Exec)
[[ $exec_line != \<* ]] || fail "the Nemo action runs a script of the actions folder"
case $(value "$nemo" "Nemo Action" Quote) in
single) q="'" ;;
double) q='"' ;;
'') q="" ;;
*) fail "the Nemo action's Quote is not single, double or empty" ;;
esac
# Nemo's expansion of %F for the selection given (none: the folder shown, $background).
nemoRun() {
    local background=$1 list="" path
    shift
    for path in "$@"; do list+="${list:+ }$q${path//\"/\\\"}$q"; done
    [ $# -gt 0 ] || list="$q$background$q"
    splitLine "${exec_line//%F/$list}"
}
nemoRun "$work" "$folder"
opensOn "Nemo on a selected folder" "$folder" "${arguments[@]}"
nemoRun "$folder"
opensOn "Nemo on the background of a folder" "$folder" "${arguments[@]}"
nemoRun "$work" "$folder" "$other"
opensOn "Nemo on two selected folders (the first)" "$folder" "${arguments[@]}"

# --- GNOME: no system-wide file; the README's one command writes a script in the user's
# Nautilus scripts folder. Nautilus runs it in the folder shown, with the selected names
# as arguments, or none on the background.
command=$(grep -o "^ *printf '#!/bin/sh.*nautilus/scripts/.*" "$source/README.md" | sed 's/^ *//')
if [ -z "$command" ]; then
    fail "the README gives no command that writes a Nautilus script"
else
    mkdir "$work/home"
    HOME=$work/home bash -c "$command" || fail "the README's Nautilus command failed: $command"
    script="$work/home/.local/share/nautilus/scripts/$caption"
    if [ ! -x "$script" ]; then
        fail "the README's command does not make an executable '$caption' script"
    else
        opensOn "Nautilus on a selected folder" "$folder" \
            sh -c 'cd "$1" && exec "$2" "$3"' sh "$work/Projets été" "$script" Clients
        opensOn "Nautilus on the background of a folder" "$folder" \
            sh -c 'cd "$1" && exec "$2"' sh "$folder" "$script"
    fi
fi

[ "$errors" -eq 0 ] || exit 1
echo "the file managers' actions start Ramulo on the folder"
