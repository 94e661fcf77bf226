#!/usr/bin/env bash
# Paths at and past the limits, in one run:
# - a temporary folder (TEMP and TMP) of 300 characters, longer than the
#   system's temporary path may be: the setup keeps its temporaries beside
#   itself instead, and removes them;
# - an installation directory of 512 characters: refused on the options page;
# - one of exactly 511 characters that exists already (made from outside):
#   the system's ANSI calls cannot reach it, so the options page cannot take
#   it and says so, naming it; nothing is written under it;
# - then a short directory is typed and served, through the long TEMP;
# - a second run walks the folder browser five folders of 50 characters deep
#   (262 characters): each level is shown whole, OK takes it, and Next
#   refuses the directory it cannot create, naming it.
# A path without a place to break makes a message box wider than the screen,
# so the icon of those boxes lies off it ("offscreen").
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../copy_lib.sh"
source "$(dirname "$0")/../env_lib.sh"
on_private_display "$@"
start_scenario

repeat() { printf "%${2}s" '' | tr ' ' "$1"; }

LONG_TEMP="C:\\$(repeat t 150)\\$(repeat u 146)"
[ ${#LONG_TEMP} -eq 300 ] || fail "the long TEMP is ${#LONG_TEMP} characters"
set_user_temp "$LONG_TEMP"

DIR_511="C:\\$(repeat a 200)\\$(repeat b 200)\\$(repeat c 106)"
DIR_512="${DIR_511}c"
[ ${#DIR_511} -eq 511 ] || fail "the long directory is ${#DIR_511} characters"
mkdir -p "$DRIVE_C/$(repeat a 200)/$(repeat b 200)/$(repeat c 106)"
drive start SETUP \
      page 151 click 1 \
      page 112 row 112 0 type 101 "$DIR_512" click 1 \
      msgbox 'The installation directory is longer than 511 characters.\nChoose a shorter path.' "Dunvo - Setup" warning ok \
      type 101 "$DIR_511" click 1 \
      msgbox "Cannot create the directory\n$DIR_511\nCheck that its parent folder exists and that you may write there." "Dunvo - Setup" offscreen ok \
      type 101 'C:\Dunvo Long Temp' click 1 \
      page 111 120 click 1 \
      msgbox "Dunvo was successfully installed" "Dunvo - Setup" info ok \
      exit 0
left=$(find "$DRIVE_C/$(repeat a 200)" -mindepth 3)
[ -z "$left" ] || fail "something was written under the over-long directory: $left"
check_install "$(host_path 'C:\Dunvo Long Temp')" --state 0=2
no_temporaries

DEEP='C:\deep'
walk=()
for level in 1 2 3 4 5; do
    name="level$level$(repeat x 44)"
    DEEP="$DEEP\\$name"
    walk+=(dblrow 107 "$name" text 102 "$DEEP\\Dunvo")
done
mkdir -p "$DRIVE_C/deep/$(echo "${DEEP#C:\\deep\\}" | tr '\\' /)/level6"
[ ${#DEEP} -eq 262 ] || fail "the deep folder is ${#DEEP} characters"
drive start SETUP \
      page 151 click 1 \
      page 112 row 112 0 click 100 page 107 \
      dblrow 107 "........" text 102 'C:\Dunvo' dblrow 107 deep text 102 'C:\deep\Dunvo' \
      "${walk[@]}" shot "$(shot deep-browser)" click 1 \
      gone 107 page 112 text 101 "$DEEP\\Dunvo" click 1 \
      msgbox "Cannot create the directory\n$DEEP\\Dunvo\nCheck that its parent folder exists and that you may write there." "Dunvo - Setup" offscreen ok \
      kill
[ ! -e "$DRIVE_C/deep/$(echo "${DEEP#C:\\deep\\}" | tr '\\' /)/Dunvo" ] || fail "the deep directory was made"
echo "a folder walked 262 characters deep: shown whole, refused on Next"
