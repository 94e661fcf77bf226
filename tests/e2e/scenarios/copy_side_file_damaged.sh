#!/usr/bin/env bash
# Three broken side files, each installed into a folder of its own:
# - damaged in the middle: the gzip check fails, "Can't decompress MP3 sound
#   files", no recitation, the rest installed, success;
# - cut short: the same;
# - a whole gzip member whose archive ends inside record 5: recitation 2 is
#   installed, 7 is not, the damage is named, and the setup ends as cancelled.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../copy_lib.sh"
on_private_display "$@"
recitation_fixture
start_scenario

SIDE=$FIXTURES/mp3data.gz
SIZE=$(stat -c %s "$SIDE")
cp "$SIDE" "$OUT/damaged.gz"
MIDDLE=$((SIZE / 2))
BYTE=$(od -An -tu1 -j "$MIDDLE" -N1 "$SIDE" | tr -d ' ')
printf "\\$(printf %03o $((BYTE ^ 0x5A)))" | dd of="$OUT/damaged.gz" bs=1 seek="$MIDDLE" conv=notrunc status=none
head -c "$MIDDLE" "$SIDE" >"$OUT/short.gz"
# Records are a length byte, a 13-byte name, a 4-byte size and the data.
CUT=0
for number in 002 003 004 005; do
    CUT=$((CUT + 18 + $(stat -c %s "$FIXTURES/recitations/sound/$number.mp3")))
done
CUT=$((CUT + 18 + 1000))
(gzip -dc "$SIDE" || true) | head -c "$CUT" | gzip -1 >"$OUT/cut.gz"

# zlib names the file in its messages, by the path the setup gave it.
SIDE_PATH="$(winpath "$WORK")"
SIDE_PATH="${SIDE_PATH^^}\\mp3data.gz"

# run SIDE_FILE FOLDER STEPS...: one setup run with that side file, installing into FOLDER.
run() {
    ln -f "$1" "$WORK/mp3data.gz"
    drive start SETUP \
          page 151 click 1 \
          page 112 row 112 0 row 113 2 row 113 7 type 101 "$2" click 1 \
          "${@:3}"
}

run "$OUT/damaged.gz" 'C:\Dunvo Damaged' \
    msgbox "gzip: $SIDE_PATH: incorrect data check\n" - none ok \
    msgbox "Can't decompress MP3 sound files" - error ok \
    page 111 120 click 1 \
    msgbox "Dunvo was successfully installed" "Dunvo - Setup" info ok \
    exit 0
check_install "$(host_path 'C:\Dunvo Damaged')" --state 0=2

run "$OUT/short.gz" 'C:\Dunvo Short' \
    msgbox "gzip: failed gzclose\n" - none ok \
    msgbox "Can't decompress MP3 sound files" - error ok \
    page 111 120 click 1 \
    msgbox "Dunvo was successfully installed" "Dunvo - Setup" info ok \
    exit 0
check_install "$(host_path 'C:\Dunvo Short')" --state 0=2

run "$OUT/cut.gz" 'C:\Dunvo Cut' \
    msgbox 'mp3data.gz is damaged: it ends in record 5 of 113.\nDownload a new copy of mp3data.gz from http://www.dunvo.org' - error ok \
    msgbox "Setup was canceled. Any notes or errors you can send on my email: setup@dunvo.org" "Dunvo - Setup" warning ok \
    exit 0
check_install "$(host_path 'C:\Dunvo Cut')" --state 0=2 --recitations "$FIXTURES/recitations" --recitation 2
no_temporaries
