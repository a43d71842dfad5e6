# Checks shared by the installation tests, sourced by them. Each function takes the installed
# prefix (P, holding bin/ and share/) and fails the test with a message on the first fault.

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# A private home with its own XDG folders under $1, owned by user $2 (default: the caller).
make_home() {
    local home=$1 owner=${2:-}
    mkdir -p "$home"/{config,data,cache,runtime}
    chmod 700 "$home/runtime"
    if [ -n "$owner" ]; then
        chown -R "$(id -u "$owner"):$(id -g "$owner")" "$home"
    fi
}

# Runs a command inside the home $1 with no display, no desktop and nothing of the caller's
# session: only the folders of that home.
in_home() {
    local home=$1
    shift
    env -i PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen \
        HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
        XDG_CACHE_HOME="$home/cache" XDG_RUNTIME_DIR="$home/runtime" XDG_DATA_DIRS=/usr/share \
        "$@"
}

# "WIDTHxHEIGHT" of a PNG file, from its header.
png_size() {
    local w h
    read -r w h < <(od -An -j16 -N8 -tu1 "$1" | awk '{ print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }')
    echo "${w}x${h}"
}

# Every file the installation must hold, and the desktop's own checks of them.
check_installed_files() {
    local p=$1 f
    for f in bin/ardenvo bin/ardenvoreminder bin/ardenvo-tool; do
        [ -x "$p/$f" ] || fail "$f is not installed"
    done
    for f in share/ardenvo/splash.jpg share/ardenvo/help/index.html \
        share/ardenvo/family-house.av share/ardenvo/small-flat.av \
        share/applications/ardenvo.desktop share/applications/ardenvoreminder.desktop \
        share/metainfo/com.ardenvo.ardenvo.metainfo.xml share/mime/packages/ardenvo.xml \
        share/man/man1/ardenvo.1.gz share/man/man1/ardenvoreminder.1.gz \
        share/man/man1/ardenvo-tool.1.gz; do
        [ -f "$p/$f" ] || fail "$f is not installed"
    done

    desktop-file-validate "$p"/share/applications/*.desktop || fail "desktop-file-validate"
    appstreamcli validate --no-net "$p/share/metainfo/com.ardenvo.ardenvo.metainfo.xml" ||
        fail "appstreamcli validate"
    grep -q '<project_license>GPL-3.0-or-later</project_license>' \
        "$p/share/metainfo/com.ardenvo.ardenvo.metainfo.xml" || fail "the listing states no licence"
    xmllint --noout "$p/share/mime/packages/ardenvo.xml" || fail "xmllint on the MIME types"

    # What the menu entries name is there: the program on the PATH of the prefix, the icon in
    # every size, the file types in the MIME package.
    local entry exec icon type size context
    for entry in "$p"/share/applications/*.desktop; do
        exec=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
        [ -x "$p/bin/$exec" ] || fail "$entry starts $exec, which is not in bin/"
        icon=$(sed -n 's/^Icon=//p' "$entry")
        check_icon "$p" apps "$icon"
        for type in $(sed -n 's/^MimeType=//p' "$entry" | tr ';' ' '); do
            grep -q "<mime-type type=\"$type\">" "$p/share/mime/packages/ardenvo.xml" ||
                fail "$entry opens $type, which no MIME package defines"
        done
    done
    for icon in $(sed -n 's/.*<icon name="\([^"]*\)".*/\1/p' "$p/share/mime/packages/ardenvo.xml"); do
        check_icon "$p" mimetypes "$icon"
    done

    # The man pages: read by man without a warning, named for whatis, and naming every option
    # and command the programs' --help lists.
    local program page warnings rendered word
    for program in ardenvo ardenvoreminder ardenvo-tool; do
        page="$p/share/man/man1/$program.1.gz"
        warnings=$(zcat "$page" | LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l - 2>&1 >/dev/null)
        [ -z "$warnings" ] || fail "man --warnings on $program.1: $warnings"
        lexgrog "$page" | grep -qF "\"$program - " || fail "lexgrog on $program.1: $(lexgrog "$page")"
        rendered=$(zcat "$page" | LC_ALL=C MANWIDTH=250 man -l - 2>/dev/null)
        for word in $(QT_QPA_PLATFORM=offscreen "$p/bin/$program" --help | grep -o -- '--[a-z][a-z-]*'); do
            grep -q -- "$word" <<<"$rendered" || fail "the $program man page lacks $word"
        done
    done
    # Each command of the tool with its text under it, the search's too (its usage is long).
    for word in $("$p/bin/ardenvo-tool" --help | sed -n 's/^  ardenvo-tool \([a-z-]*\).*/\1/p'); do
        grep -q "^       $word\b" <<<"$rendered" || fail "the ardenvo-tool man page lacks $word"
    done
    grep -qi '^              The HTML report of "Ask the tobrin"' <<<"$rendered" ||
        fail "the search entry of the ardenvo-tool man page is broken up"
    # The commands the tool hands to its private helper run from the installed tree too.
    "$p/bin/ardenvo-tool" labels --layouts | grep -q '^a4-3x8 ' ||
        fail "ardenvo-tool labels --layouts does not reach its installed helper"
    # The whole synopsis of the main program, and a description that is only one.
    rendered=$(zcat "$p/share/man/man1/ardenvo.1.gz" | LC_ALL=C MANWIDTH=250 man -l - 2>/dev/null)
    sed -n '/^SYNOPSIS/,/^DESCRIPTION/p' <<<"$rendered" | grep -q -- '--screenshot.*PROJECT' ||
        fail "the ardenvo man page's synopsis is cut"
    ! sed -n '/^DESCRIPTION/,/^OPTIONS/p' <<<"$rendered" | grep -q '^ *\(\[\|or:\)' ||
        fail "the ardenvo man page's description holds usage lines"
}

check_icon() {
    local p=$1 context=$2 name=$3 size
    [ -n "$name" ] || fail "an icon without a name"
    xmllint --noout "$p/share/icons/hicolor/scalable/$context/$name.svg" ||
        fail "$name.svg is missing or not XML"
    for size in 16 32 48 64 128 256; do
        local png="$p/share/icons/hicolor/${size}x${size}/$context/$name.png"
        [ -f "$png" ] || fail "$png is missing"
        [ "$(png_size "$png")" = "${size}x${size}" ] || fail "$png is $(png_size "$png")"
    done
}

# The file types as the desktop sees them once the installed MIME package is in a data folder:
# by name, by content when renamed, and not for other files.
check_file_types() {
    local p=$1 work=$2
    local home="$work/mime-home"
    make_home "$home"
    mkdir -p "$home/data/mime/packages"
    cp "$p/share/mime/packages/ardenvo.xml" "$home/data/mime/packages/"
    in_home "$home" update-mime-database "$home/data/mime" || fail "update-mime-database"
    # The names a file manager shows for the two types.
    grep -q '<comment>Ardenvo house</comment>' "$home/data/mime/application/x-ardenvo-project.xml" ||
        fail "the house file type is not named \"Ardenvo house\""
    grep -q '<comment>Ardenvo field file</comment>' \
        "$home/data/mime/application/x-ardenvo-fields.xml" ||
        fail "the field file type is not named \"Ardenvo field file\""

    cp "$p/share/ardenvo/family-house.av" "$home/house-without-extension"
    printf '\010Location\000\000\000\000' >"$home/location.fld"
    printf 'not a house\n' >"$home/notes.txt"
    printf '\002\000\000\000\001\000\000\000' >"$home/numbers-without-extension"
    local file expected got
    for pair in "$p/share/ardenvo/family-house.av=application/x-ardenvo-project" \
        "$home/house-without-extension=application/x-ardenvo-project" \
        "$home/location.fld=application/x-ardenvo-fields" "$home/notes.txt=text/plain" \
        "$home/numbers-without-extension=application/octet-stream"; do
        file=${pair%=*}
        expected=${pair##*=}
        got=$(in_home "$home" xdg-mime query filetype "$file") || fail "xdg-mime on $file"
        [ "$got" = "$expected" ] || fail "xdg-mime says $got for $file, not $expected"
    done
}

# Root may write anywhere: a prefix the user cannot write is tried as "nobody" instead, when that
# user exists and can reach the folder $1. Prints the user to run as ("" for the caller).
user_without_write_access() {
    if [ "$(id -u)" -eq 0 ] && id nobody >/dev/null 2>&1 &&
        setpriv --reuid="$(id -u nobody)" --regid="$(id -g nobody)" --clear-groups \
            test -x "$1" 2>/dev/null; then
        echo nobody
    fi
}

# Runs both programs from the prefix as `user` (empty: the caller) and checks that the main
# program keeps its Images folder in the user's data folder, never in the installed bin/. The main
# program must find every file it ships.
check_programs_run() {
    local p=$1 work=$2 user=${3:-}
    local home="$work/home-${user:-self}" as=()
    if [ -n "$user" ]; then
        make_home "$home" "$user"
        as=(setpriv --reuid="$(id -u "$user")" --regid="$(id -g "$user")" --clear-groups)
    else
        make_home "$home"
    fi

    local errors
    errors=$(in_home "$home" "${as[@]}" "$p/bin/ardenvo" --screenshot "$home/main.png" \
        "$p/share/ardenvo/family-house.av" 2>&1 >/dev/null) || fail "ardenvo --screenshot: $errors"
    ! grep -q "shipped file" <<<"$errors" || fail "$errors"
    [ "$(png_size "$home/main.png")" = 1280x800 ] || fail "ardenvo's screenshot is wrong"
    # A shipped house opens as a predone one: never registered for the reminder program.
    local registered
    registered=$(in_home "$home" "${as[@]}" "$p/bin/ardenvo-tool" projects) ||
        fail "ardenvo-tool projects"
    ! grep -q "family-house" <<<"$registered" || fail "a shipped house was registered: $registered"
    in_home "$home" "${as[@]}" "$p/bin/ardenvoreminder" --screenshot "$home/reminder.png" \
        2>/dev/null || fail "ardenvoreminder --screenshot"
    [ -s "$home/reminder.png" ] || fail "ardenvoreminder wrote no screenshot"
    in_home "$home" "${as[@]}" "$p/bin/ardenvo-tool" check "$p/share/ardenvo/family-house.av" ||
        fail "ardenvo-tool check on a shipped house"

    # Installed, so never beside the program, even for a user who may write in bin/.
    [ -d "$home/data/Ardenvo/Images" ] || fail "no Images folder in the user's data folder"
    [ ! -e "$p/bin/Images" ] || fail "an Images folder in the installed bin/"
}
