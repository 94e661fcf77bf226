#!/usr/bin/env bash
# The Start-menu folder chooser: it lists the all-users programs folder with
# the go-up row and the green folder still to be made; a double-click walks
# into a folder and the go-up row back out; Cancel keeps the folder walked
# to, and Finish puts the shortcuts there and opens it.
source "$(dirname "$0")/../lib.sh"
on_private_display "$@"
start_scenario
source "$(dirname "$0")/../shortcuts_lib.sh"

tools="$PROGRAMS\\Administrative Tools"
drive "${ROAD_TO_SHORTCUTS[@]}" click 100 \
      page 212 text 211 "$PROGRAMS\\Dunvo" shot "$(shot chooser)" \
      dblrow 212 "Administrative Tools" text 211 "$tools\\Dunvo" shot "$(shot chooser-walked)" \
      dblrow 212 "........" text 211 "$PROGRAMS\\Dunvo" \
      dblrow 212 "Administrative Tools" text 211 "$tools\\Dunvo" \
      click 2 gone 212 page 111 text 101 "$tools\\Dunvo" shot "$(shot shortcut-page-after-chooser)" \
      click 1 "${SUCCESS[@]}" exit 0 window Dunvo 30

[ "$(listing "$PROGRAMS_DIR/Administrative Tools/Dunvo")" = $'Dunvo.lnk\nReadme.lnk\nUninstall.lnk' ] ||
    fail "the chosen folder holds: $(listing "$PROGRAMS_DIR/Administrative Tools/Dunvo")"
[ ! -e "$PROGRAMS_DIR/Dunvo" ] || fail "a folder was made in the programs folder too"
expect_lnk "$PROGRAMS_DIR/Administrative Tools/Dunvo/Uninstall.lnk" "$INSTALL\\uninstall.exe" Uninstall
entry_checks "$tools\\Dunvo"
drive "${ENTRY_CHECKS[@]}"
