# Sourced by every end-to-end scenario: a scenario folder holding SetupD.exe
# (the user's download folder and the setup's current directory), a fresh
# prefix, the driver, and screenshots saved as PNG under the build tree.
source "$(dirname "${BASH_SOURCE[0]}")/../wine/lib.sh"

SCENARIO=$(basename "$0" .sh)
OUT=$BUILD/e2e/$SCENARIO
SHOTS=$OUT/shots
WORK=$OUT/setup-folder

start_scenario() {
    ensure_template
    rm -rf "$OUT"
    mkdir -p "$SHOTS" "$WORK"
    cp "$TEST_BIN/SetupD.exe" "$WORK/"
    PREFIX=$(new_prefix "e2e-$SCENARIO")
    DRIVE_C=$PREFIX/drive_c
    trap finish_scenario EXIT
}

# Runs the driver's steps; "SETUP" stands for the setup program in WORK.
drive() {
    local args=() a
    for a in "$@"; do
        if [ "$a" = SETUP ]; then args+=("$(winpath "$WORK/SetupD.exe")" "$(winpath "$WORK")"); else args+=("$a"); fi
    done
    DUNVO_FAILURE_SHOT=$(winpath "$SHOTS/failure.bmp") WINEPREFIX=$PREFIX "$WINE" "$TEST_BIN/e2e_driver.exe" "${args[@]}"
}

shot() { echo "$(winpath "$SHOTS/$1.bmp")"; }

finish_scenario() {
    local rc=$?
    end_wine "$PREFIX"
    local bmp
    for bmp in "$SHOTS"/*.bmp; do
        [ -e "$bmp" ] || continue
        convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
    done
    [ $rc -eq 0 ] && echo "PASS $SCENARIO (screenshots in $SHOTS)" || echo "FAIL $SCENARIO"
    exit $rc
}

fail() { echo "FAIL: $*"; exit 1; }
