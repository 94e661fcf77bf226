#!/usr/bin/env bash
# With the sample "mp3data.gz" beside the setup and four recitations chosen:
# exactly those are installed, byte for byte; the side file stays where it
# was; no temporary is left. A screenshot catches the page writing them.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../copy_lib.sh"
on_private_display "$@"
recitation_fixture
start_scenario
ln "$FIXTURES/mp3data.gz" "$WORK/mp3data.gz"

drive cover 3A6EA5 start SETUP \
      page 151 click 1 \
      page 112 row 112 0 row 113 2 row 113 5 row 113 9 row 113 11 shot "$(shot 1-options)" click 1 \
      waittext 215 '\sound\003.mp3' 120 shot "$(shot 2-copying-recitations)" 0 \
      page 111 120 click 1 \
      msgbox "Dunvo was successfully installed" "Dunvo - Setup" info ok \
      exit 0
check_install "$(default_install)" --state 0=2 --recitations "$FIXTURES/recitations" \
    --recitation 2 --recitation 5 --recitation 9 --recitation 11
no_temporaries
cmp -s "$WORK/mp3data.gz" "$FIXTURES/mp3data.gz" || fail "the side file was not left in place"
