#!/usr/bin/env bash
# "mp3data.gz" is there when the options page looks and recitations are
# chosen, then it disappears before the copy page needs it: the gzip module's
# box, then "Can't decompress MP3 sound files"; the installation is otherwise
# complete, without recitations, and the setup ends as a success.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../copy_lib.sh"
on_private_display "$@"
recitation_fixture
start_scenario
ln "$FIXTURES/mp3data.gz" "$WORK/mp3data.gz"
SIDE_FILE=$(winpath "$WORK/mp3data.gz")
SOURCE_DIR=$(winpath "$WORK") # as the setup records it: upper case

drive start SETUP \
      page 151 click 1 \
      page 112 row 112 0 row 113 3 delete "$SIDE_FILE" click 1 \
      msgbox "Can't open file ${SOURCE_DIR^^}\\mp3data.gz\n" - none ok \
      msgbox "Can't decompress MP3 sound files" - error ok \
      page 111 120 click 1 \
      msgbox "Dunvo was successfully installed" "Dunvo - Setup" info ok \
      exit 0
check_install "$(default_install)" --state 0=2
no_temporaries
