#!/usr/bin/env bash
# Crafted side files whose first record's name aims outside the installation
# directory (.., a leading backslash, a drive, a stream), is empty or holds
# control characters: each is refused by name before anything of it is
# written, nothing changes anywhere else on drive C:, and the setup ends as
# cancelled with exit code 0. A name of 255 bytes, which is sound, is served
# whole.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../copy_lib.sh"
on_private_display "$@"
start_scenario
source "$(dirname "$0")/../side_file_lib.sh"

unsafe dotdot '..\..\dunvo_escape'
unsafe backslash '\dunvo_escape'
unsafe drive 'C:\dunvo_escape'
unsafe stream 'sound\002.mp3:dunvo_escape'
unsafe empty_name ''
# Control characters are shown as '?': the file cannot add lines to the message.
unsafe control_name 'sound\002.mp3??Setup is complete'
# A name of 255 bytes is sound and, here, served: its 16 bytes are written
# whole and named as the wrong size; the archive then ends at record 2. The
# path has no place to break, so the box is wider than the screen and its
# icon lies off it.
D245=$(printf 'd%.0s' {1..245})
SERVED="sound/$D245.mp3"
run name255 msgbox "16 = 13407752\nFile: C:\\Dunvo name255\\sound\\$D245.mp3 was corrupted.\nDownload a new copy of SetupD.exe from http://www.dunvo.org" - offscreen ok \
    msgbox "mp3data.gz is damaged: it ends in record 2 of 113.\n$ADDRESS" - error ok \
    msgbox "$CANCELED" "Dunvo - Setup" warning ok
SERVED=
no_escape
