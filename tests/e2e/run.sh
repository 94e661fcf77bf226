#!/usr/bin/env bash
# Walks one group of end-to-end scenarios (tables.sh): SetupD.exe run as a user
# runs it, under Wine on a display of its own, from a folder that is its
# current directory, driven by e2e_driver.exe; then what the user and the next
# program see is read back. The rows of a group share one prefix.
# Usage: run.sh GROUP   (ROWS=REGEX: only the rows so named; DUNVO_SETUP_EXE: the
# setup to run, by default the build's). Exit code 77: a skip.
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/wine.sh"
GROUP=$1
source "$ROOT/tests/e2e/tables.sh"
[ "$GROUP" != backdrop ] || export SCREEN=1021x767x24 # rows of 24-bit pixels with filler bytes
on_private_display "$@"

OUT=$BUILD/e2e/$GROUP SHOTS=$BUILD/e2e/$GROUP/shots WORK=$BUILD/e2e/$GROUP/setup-folder
FIXTURES=$BUILD/e2e-fixtures MOUNTS=$BUILD/e2e-mounts/$GROUP
PAYLOAD_SOURCE=$(sed -n 's/^DUNVO_PAYLOAD_DIR:[A-Z]*=//p' "$BUILD/CMakeCache.txt")
PAYLOAD_SOURCE=${PAYLOAD_SOURCE:-$TEST_BIN/sample_payload}
PREFIX=$WINE_HOME/prefixes/e2e-$GROUP
if [ -z "${DUNVO_HANDED_OVER:-}" ]; then
    ensure_template
    rm -rf "$OUT" && mkdir -p "$SHOTS" "$WORK" && cp "${DUNVO_SETUP_EXE:-$TEST_BIN/SetupD.exe}" "$WORK/SetupD.exe"
    PREFIX=$(new_prefix "e2e-$GROUP")
    # Wine run by root writes over a read-only file, which Windows refuses
    # even an administrator: a group that must see that runs as an ordinary
    # user, in a prefix and an output folder of its own.
    if [ "$(id -u)" = 0 ] && [[ " $AS_USER " = *" $GROUP "* ]]; then
        hand_over "$PREFIX" "$OUT"
        ! "${AS_TEST_USER[@]}" test -r "$0" -a -r "$TEST_BIN/e2e_driver.exe" ||
            exec "${AS_TEST_USER[@]}" env HOME=/nonexistent DUNVO_HANDED_OVER=1 "$0" "$@"
        echo "note: $TEST_USER cannot read $ROOT: run as root, Wine writes over read-only files"
    fi
fi
DRIVE_C=$PREFIX/drive_c
# Wine's own messages (its errors, a program that cannot start) of every Wine
# command of the group, the driver's among them, printed when the group fails.
WINE_LOG=$OUT/wine.log && export WINEDEBUG=${DUNVO_WINEDEBUG:-fixme-all}

unmount_all() { local m; for m in "$MOUNTS"/*; do ! mountpoint -q "$m" || umount -l "$m"; done; }
finish() {
    local rc=$? bmp
    end_wine "$PREFIX" 2>>"$WINE_LOG"
    [ "$rc" = 0 ] || [ "$rc" = 77 ] || [ ! -s "$WINE_LOG" ] || { echo "Wine's output ($WINE_LOG):" && cat "$WINE_LOG"; }
    unmount_all
    for bmp in "$SHOTS"/*.bmp "$SHOTS"/*/*.bmp; do [ ! -e "$bmp" ] || { convert "$bmp" "${bmp%.bmp}.png" && rm "$bmp"; }; done
    case $rc in 0) echo "PASS $GROUP (screenshots in $SHOTS)" ;; 77) echo "SKIP $GROUP" ;; *) echo "FAIL $GROUP" ;; esac
    exit $rc
}
trap finish EXIT
fail() { echo "FAIL: $*"; exit 1; }
# Every program of the prefix ended, as when its user logs off, and a new session begun.
new_session() { end_wine "$PREFIX" 2>>"$WINE_LOG" && begin_wine "$PREFIX" 2>>"$WINE_LOG"; }
begin_wine "$PREFIX" 2>>"$WINE_LOG"

# Runs the driver's steps: SETUP stands for the setup and its folder (or START_IN), @NAME for
# the steps in array NAME, and a control by the name resources/resource.h gives
# it (or the dialog manager's IDOK, IDCANCEL, and IDC_STATIC, a message box's
# text) for NAME=its number, so that a failed wait names it. DRIVER_ENV holds
# more variables for Wine.
declare -A IDS=([IDOK]=1 [IDCANCEL]=2 [IDC_STATIC]=65535)
while read -r _ name value; do IDS[$name]=$value; done < <(grep -E '^#define ID[A-Z_]+ [0-9]+$' "$ROOT/resources/resource.h")
drive() {
    local steps=() args=() a all
    for a in "$@"; do
        all="${a#@}[@]"
        case $a in @*) steps+=("${!all}") ;; *) steps+=("$a") ;; esac
    done
    for a in "${steps[@]}"; do
        case $a in
        SETUP) args+=("$(winpath "$WORK/SetupD.exe")" "${START_IN:-$(winpath "$WORK")}") ;;
        ID[A-Z]*) args+=("$a=${IDS[$a]:?"no control named $a"}") ;;
        *) args+=("$a") ;;
        esac
    done
    WINE_ENV=${DRIVER_ENV:-} DUNVO_FAILURE_SHOT="$(winpath "$SHOTS/failure.bmp")" in_wine "$TEST_BIN/e2e_driver.exe" "${args[@]}" </dev/null ||
        fail "the driver stopped"
}
# A Wine program run in the group's prefix, its errors in the log.
# One ended by a signal was ended from outside (Wine ends its programs itself): that is logged.
in_wine() {
    local what="${1##*/} ${*:2}" rc=0
    echo "--- $(date +%T.%N | cut -c1-12) ${ROW:-}: ${what:0:200}" >>"$WINE_LOG"
    env ${WINE_ENV:-} WINEPREFIX="$PREFIX" "$WINE" "$@" 2>>"$WINE_LOG" || rc=$?
    [ "$rc" -le 128 ] || echo "--- ${what:0:60}: ended by signal $((rc - 128)) from outside" >>"$WINE_LOG"
    return "$rc"
}
shot() { winpath "$SHOTS/$1.bmp"; }
wine_reg() { in_wine reg "$@" >>"$WINE_LOG" || fail "reg $*"; }
set_user_temp() { wine_reg add 'HKCU\Environment' /v TEMP /d "$1" /f && wine_reg add 'HKCU\Environment' /v TMP /d "$1" /f; }

# table FUNCTION: calls FUNCTION once per row of the table on stdin with the
# fields between '|' trimmed ('-' for an empty one); '#' starts a comment line.
table() {
    local rows line fields f
    mapfile -t rows
    for line in "${rows[@]}"; do
        [[ $line =~ ^[[:space:]]*(#|$) ]] && continue
        IFS='|' read -ra fields <<<"$line |  |  |  |  |  |"
        for f in "${!fields[@]}"; do
            fields[f]=${fields[f]#"${fields[f]%%[! ]*}"} && fields[f]=${fields[f]%"${fields[f]##*[! ]}"}
            [ "${fields[f]}" != - ] || fields[f]=
        done
        [[ ${fields[0]} =~ ${ROWS:-.} ]] || continue
        echo "--- $GROUP: ${fields[0]:0:60}"
        "$1" "${fields[@]}"
    done
}
# A table field with {NAME} replaced by the value of $NAME, in FILLED.
fill() {
    local name
    FILLED=$1
    while [[ $FILLED =~ \{([A-Z_0-9]+)\} ]]; do
        name=${BASH_REMATCH[1]} && FILLED=${FILLED//"{$name}"/"${!name}"}
    done
}
# The words of a table field, each filled, in WORDS.
words() {
    local i
    read -ra WORDS <<<"$1"
    for i in "${!WORDS[@]}"; do fill "${WORDS[i]}" && WORDS[i]=$FILLED; done
}
# Message boxes "ICON: TEXT ; ICON: TEXT" with the system's caption, or @NAME, as steps in BOXES.
boxes() {
    local box list
    BOXES=()
    IFS=';' read -ra list <<<"$1"
    for box in "${list[@]}"; do
        box=${box# } && box=${box% } && fill "${box#*: }"
        [[ $box == @* ]] && BOXES+=("$box") || BOXES+=(msgbox "$FILLED" - "${box%%:*}" ok)
    done
}

# Host path of a Windows path, found without regard to case as Windows does.
host_path() {
    local drive=${1:0:1} path part found parts
    path=$(readlink -f "$PREFIX/dosdevices/${drive,,}:")
    IFS='\' read -ra parts <<<"${1:3}"
    for part in "${parts[@]}"; do
        found=$(find "$path" -mindepth 1 -maxdepth 1 -iname "$part" -print -quit 2>/dev/null)
        path=${found:-$path/$part}
    done
    echo "$path"
}
# check_install WINDOWS-DIR [options of check_install.cpp]
check_install() {
    "$BUILD/tools/check_install" "$(host_path "$1")" "$PAYLOAD_SOURCE" --recitations "$FIXTURES/recitations" "${@:2}" ||
        fail "$1 is not what was chosen"
}
# Neither the payload's temporaries nor the side file's are left anywhere, nor the setup's own folder for them.
no_temporaries() {
    local left
    left=$(find "$DRIVE_C" "$WORK" "$MOUNTS" \( -iname filesdata.gz -o -iname filesdata.dat -o -iname mp3data.dat \
        -o -iname '~DunvoSetup' \) 2>/dev/null || true)
    [ -z "$left" ] || fail "temporary files left behind: $left"
}
# The files of a folder, one a line, sorted; nothing for a missing folder.
listing() { [ ! -d "$1" ] || (cd "$1" && find . -mindepth 1 -printf '%P\n' | LC_ALL=C sort); }
# A shortcut as Debian's lnkinfo reads it: FILE TARGET DESCRIPTION, started in the installation folder.
expect_lnk() {
    local info
    info=$(lnkinfo "$1") || fail "lnkinfo cannot read $1"
    [ "$(sed -n 's/^\tlocal path\t*: //p' <<<"${info,,}")" = "${2,,}" ] || fail "$1 does not open $2: $info"
    [ "$(sed -n 's/^\tDescription\t*: //p' <<<"$info")" = "$3" ] || fail "$1 is not described $3: $info"
    [ "$(sed -n 's/^\tworking directory\t*: //p' <<<"${info,,}")" = "${INSTALL,,}" ] || fail "$1 does not start in $INSTALL: $info"
}

"group_$GROUP"
