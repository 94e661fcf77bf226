#!/usr/bin/env bash
# Walks one group of end-to-end scenarios (tables.sh): SetupD.exe run as a user
# runs it, under Wine on a private virtual display, in a folder of its own that
# is its current directory, driven by e2e_driver.exe; then what the user and
# the next program see is read back. All rows of a group share one fresh prefix.
# Usage: run.sh GROUP   (ROWS=REGEX runs only the rows whose names match)
# Exit code 77: the group cannot run on this machine (CTest reports a skip).
source "$(dirname "$0")/../wine/lib.sh"
GROUP=$1
source "$ROOT/tests/e2e/tables.sh"
[ "$GROUP" = backdrop ] && export SCREEN=1021x767x24 # rows of 24-bit pixels carry filler bytes
on_private_display "$@"

OUT=$BUILD/e2e/$GROUP
SHOTS=$OUT/shots
WORK=$OUT/setup-folder
FIXTURES=$BUILD/e2e-fixtures
PAYLOAD_SOURCE=$(sed -n 's/^DUNVO_PAYLOAD_DIR:[A-Z]*=//p' "$BUILD/CMakeCache.txt")
PAYLOAD_SOURCE=${PAYLOAD_SOURCE:-$TEST_BIN/sample_payload}
ensure_template
rm -rf "$OUT"
mkdir -p "$SHOTS" "$WORK"
cp "$TEST_BIN/SetupD.exe" "$WORK/"
PREFIX=$(new_prefix "e2e-$GROUP")
DRIVE_C=$PREFIX/drive_c

finish() {
    local rc=$? bmp
    end_wine "$PREFIX"
    type cleanup_group >/dev/null 2>&1 && cleanup_group
    for bmp in "$SHOTS"/*.bmp; do
        [ -e "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
    done
    case $rc in
    0) echo "PASS $GROUP (screenshots in $SHOTS)" ;;
    77) echo "SKIP $GROUP" ;;
    *) echo "FAIL $GROUP" ;;
    esac
    exit $rc
}
trap finish EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Runs the driver's steps. SETUP stands for the setup and its folder, @NAME
# for the steps of array NAME; DRIVER_ENV holds extra variables for this run.
drive() {
    local args=() a
    for a in "$@"; do
        if [ "$a" = SETUP ]; then
            args+=("$(winpath "$WORK/SetupD.exe")" "$(winpath "$WORK")")
        elif [[ $a == @* ]]; then
            local all="${a#@}[@]"
            args+=("${!all}")
        else
            args+=("$a")
        fi
    done
    env ${DRIVER_ENV:-} DUNVO_FAILURE_SHOT="$(winpath "$SHOTS/failure.bmp")" WINEPREFIX="$PREFIX" \
        "$WINE" "$TEST_BIN/e2e_driver.exe" "${args[@]}" </dev/null || fail "the driver stopped"
}
shot() { winpath "$SHOTS/$1.bmp"; }
wine_reg() { WINEPREFIX=$PREFIX "$WINE" reg "$@" >/dev/null 2>&1 || fail "reg $*"; }

# table FUNCTION: calls FUNCTION once per row of the table on stdin, with the
# fields between '|' trimmed ('-' for an empty field); '#' starts a comment line.
table() {
    local rows line fields f
    mapfile -t rows
    for line in "${rows[@]}"; do
        [[ $line =~ ^[[:space:]]*(#|$) ]] && continue
        IFS='|' read -ra fields <<<"$line |  |  |  |  |  |  |"
        for f in "${!fields[@]}"; do
            fields[f]=${fields[f]#"${fields[f]%%[! ]*}"}
            fields[f]=${fields[f]%"${fields[f]##*[! ]}"}
            [ "${fields[f]}" != - ] || fields[f]=
        done
        [[ ${fields[0]} =~ ${ROWS:-.} ]] || continue
        echo "--- $GROUP: ${fields[0]}"
        "$1" "${fields[@]}"
    done
}
# A table field with {NAME} replaced by the value of $NAME, in FILLED.
fill() {
    local name
    FILLED=$1
    while [[ $FILLED =~ \{([A-Z_0-9]+)\} ]]; do
        name=${BASH_REMATCH[1]}
        FILLED=${FILLED//"{$name}"/"${!name}"}
    done
}
# The words of a table field, each filled, in WORDS (driver steps, check_install options).
words() {
    local word
    read -ra WORDS <<<"$1"
    for word in "${!WORDS[@]}"; do fill "${WORDS[word]}" && WORDS[word]=$FILLED; done
}
# Message boxes of the system's caption, "ICON: TEXT ; ICON: TEXT", as driver steps in BOXES.
boxes() {
    local box list
    BOXES=()
    IFS=';' read -ra list <<<"$1"
    for box in "${list[@]}"; do
        box=${box# } && box=${box% } && fill "${box#*: }"
        BOXES+=(msgbox "$FILLED" - "${box%%:*}" ok)
    done
}

# Host path of a Windows path on C:, found without regard to case as Windows does.
host_path() {
    local rest=${1#[Cc]:\\} path=$DRIVE_C part found parts
    IFS='\' read -ra parts <<<"$rest"
    for part in "${parts[@]}"; do
        found=$(find "$path" -mindepth 1 -maxdepth 1 -iname "$part" -print -quit 2>/dev/null)
        path=${found:-$path/$part}
    done
    echo "$path"
}
# check_install WINDOWS-DIR [options of check_install.cpp]
check_install() {
    "$BUILD/tools/check_install" "$(host_path "$1")" "$PAYLOAD_SOURCE" "${@:2}" || fail "$1 is not what was chosen"
}
# Neither the payload's temporaries nor the side file's are left anywhere.
no_temporaries() {
    local left
    left=$(find "$DRIVE_C" "$WORK" \( -iname filesdata.gz -o -iname filesdata.dat -o -iname mp3data.dat \) 2>/dev/null)
    [ -z "$left" ] || fail "temporary files left behind: $left"
}
# The files of a folder, one a line, sorted; nothing for a missing folder.
listing() { [ -d "$1" ] && (cd "$1" && find . -mindepth 1 -printf '%P\n' | LC_ALL=C sort) || true; }
# A shortcut as Debian's lnkinfo reads it: FILE TARGET DESCRIPTION.
expect_lnk() {
    local info path text
    info=$(lnkinfo "$1") || fail "lnkinfo cannot read $1"
    path=$(sed -n 's/^\tLocal path\t*: //p' <<<"$info")
    text=$(sed -n 's/^\tDescription\t*: //p' <<<"$info")
    [ "${path,,}" = "${2,,}" ] || fail "$1 opens '$path', expected '$2'"
    [ "$text" = "$3" ] || fail "$1 is described '$text', expected '$3'"
    echo "lnkinfo: ${1##*/} -> $path ($text)"
}
# The user's temporary folder (TEMP and TMP), which every program started in the prefix inherits.
set_user_temp() {
    wine_reg add 'HKCU\Environment' /v TEMP /d "$1" /f
    wine_reg add 'HKCU\Environment' /v TMP /d "$1" /f
}

# The sample side file "mp3data.gz" and the recitations it was packed from,
# made once per build tree (about 15 s and 600 MB).
recitation_fixture() {
    mkdir -p "$FIXTURES"
    (
        flock 9
        if [ ! -f "$FIXTURES/recitations.ready" ] ||
            [ "$BUILD/tools/make_sample_payload" -nt "$FIXTURES/recitations.ready" ] ||
            [ "$BUILD/tools/dunvo_pack" -nt "$FIXTURES/recitations.ready" ]; then
            echo "Making the sample recitations and mp3data.gz (once per build tree)..."
            rm -rf "$FIXTURES/recitations" "$FIXTURES/mp3data.gz"
            "$BUILD/tools/make_sample_payload" --recitations "$FIXTURES/recitations"
            "$BUILD/tools/dunvo_pack" recitations "$FIXTURES/recitations" "$FIXTURES/mp3data.gz"
            touch "$FIXTURES/recitations.ready"
        fi
    ) 9>"$FIXTURES/.lock"
}

"group_$GROUP"
