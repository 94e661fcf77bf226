# Sourced by the scenarios of the copy page, after lib.sh: where the setup
# installs, what it installed from, and the checks of what it left behind.

CHECK_INSTALL=$BUILD/tools/check_install
FIXTURES=$BUILD/e2e-fixtures

# The payload folder that was packed into the setup: the publisher's, or the sample.
PAYLOAD_SOURCE=$(sed -n 's/^DUNVO_PAYLOAD_DIR:[A-Z]*=//p' "$BUILD/CMakeCache.txt")
PAYLOAD_SOURCE=${PAYLOAD_SOURCE:-$TEST_BIN/sample_payload}

# Host path of a folder under C:, found without regard to case as Windows does.
host_path() { # 'C:\Program files\Dunvo'
    local rest=${1#[Cc]:\\} path=$DRIVE_C part found
    IFS='\' read -r -a parts <<<"$rest"
    for part in "${parts[@]}"; do
        found=$(find "$path" -mindepth 1 -maxdepth 1 -iname "$part" -print -quit 2>/dev/null)
        path=${found:-$path/$part}
    done
    echo "$path"
}

# The installation the options page proposes.
default_install() { host_path 'C:\Program files\Dunvo'; }

# check_install INSTALL_DIR [options of tests/e2e/check_install.cpp]
check_install() {
    "$CHECK_INSTALL" "$1" "$PAYLOAD_SOURCE" "${@:2}" || fail "the installation in $1 is not what was chosen"
}

# Neither the payload's temporaries nor the side file's are left anywhere.
no_temporaries() {
    local left
    left=$(find "$DRIVE_C" "$WORK" \( -iname filesdata.gz -o -iname filesdata.dat -o -iname mp3data.dat \) 2>/dev/null)
    [ -z "$left" ] || fail "temporary files left behind: $left"
}

# The sample side file "mp3data.gz" and the folder of recitations it was
# packed from, made once per build tree (about 15 s and 600 MB).
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
