#!/usr/bin/env bash
# Crafted side files with damaged records: sizes past the end (one of nearly
# 2 GB, told as damage before any memory is asked for it) and with the top
# bit set, archives that end inside a name, a size or the data, a file that is
# no gzip at all (read as it stands), and a member with a bad CRC. Each is
# named in a message; nothing of it is installed; exit code 0.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../copy_lib.sh"
on_private_display "$@"
start_scenario
source "$(dirname "$0")/../side_file_lib.sh"

refused size_top_bit "mp3data.gz is damaged: record 1 has an impossible size.\n$ADDRESS"
for kind in size_past_end size_huge ends_in_name ends_in_size ends_in_data not_gzip; do
    refused "$kind" "mp3data.gz is damaged: it ends in record 1 of 113.\n$ADDRESS"
done
# A damaged member is the expansion's failure: the side file is left out, the rest stands.
run bad_crc msgbox "gzip: $SIDE_PATH: incorrect data check\n" - none ok \
    msgbox "Can't decompress MP3 sound files" - error ok \
    page 111 120 click 1 \
    msgbox "Dunvo was successfully installed" "Dunvo - Setup" info ok

no_escape
