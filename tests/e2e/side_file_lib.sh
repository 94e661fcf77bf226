# Sourced by the scenarios of crafted side files, after lib.sh and copy_lib.sh
# and start_scenario: one setup run per crafted file, each installing the
# payload into a folder of its own, then the checks that nothing of the side
# file went anywhere it should not.

CRAFT=$ROOT/tests/e2e/tools/craft_side_file.py
ADDRESS='Download a new copy of mp3data.gz from http://www.dunvo.org'
CANCELED='Setup was canceled. Any notes or errors you can send on my email: setup@dunvo.org'
SIDE_PATH="$(winpath "$WORK")"
SIDE_PATH="${SIDE_PATH^^}\\mp3data.gz"

# Paths and sizes on drive C:, without what a run may change by right: the
# installation folders, the temporary folder, the .ini files Wine rewrites and
# the Start-menu folder that a finished installation makes.
drive_listing() {
    (cd "$DRIVE_C" && find . \( -path './Dunvo *' -o -ipath './users/*/temp' -o -path './windows/*.ini' \
        -o -path './ProgramData/Microsoft/Windows/Start Menu/Programs/Dunvo' \) -prune \
        -o -printf '%p %s\n' | LC_ALL=C sort)
}
drive_listing >"$OUT/before.txt"

# run KIND MESSAGE-STEPS...: one setup run with that side file,
# choosing recitation 1 only, so that its first record would be written.
run() {
    "$CRAFT" "$1" "$OUT/$1.gz"
    ln -f "$OUT/$1.gz" "$WORK/mp3data.gz"
    local folder="C:\\Dunvo $1"
    drive start SETUP \
          page 151 click 1 \
          page 112 row 112 0 row 113 1 type 101 "$folder" click 1 \
          "${@:2}" \
          exit 0 || fail "side file $1: the setup did not end as expected"
    if [ -n "${SERVED:-}" ]; then # the one file the side file may bring, whole
        [ "$(cat "$(host_path "$folder")/$SERVED")" = xxxxxxxxxxxxxxxx ] || fail "side file $1: $SERVED is not whole"
        rm "$(host_path "$folder")/$SERVED"
    fi
    check_install "$(host_path "$folder")" --state 0=2
    drive_listing >"$OUT/after.txt"
    diff "$OUT/before.txt" "$OUT/after.txt" || fail "side file $1: drive C: changed outside the installation"
    no_temporaries
    echo "side file $1: handled cleanly"
}
# The side file is refused before anything of it is written; the setup ends as cancelled.
refused() { # KIND TEXT
    run "$1" msgbox "$2" - error ok msgbox "$CANCELED" "Dunvo - Setup" warning ok
}
unsafe() { # KIND NAME-AS-SHOWN
    refused "$1" "mp3data.gz is damaged: record 1 has a file name that cannot be installed:\n$2\n$ADDRESS"
}

# Run last: no crafted name reached a file anywhere.
no_escape() {
    local escaped
    escaped=$(find "$DRIVE_C" "$OUT" "$WORK" /tmp -name 'dunvo_escape*' 2>/dev/null | head -5)
    [ -z "$escaped" ] || fail "a crafted name escaped: $escaped"
}
