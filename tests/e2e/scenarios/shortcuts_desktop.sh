#!/usr/bin/env bash
# Only the desktop box checked: one shortcut on the all-users desktop, no
# Start-menu folder, and nothing opened after the success message.
source "$(dirname "$0")/../lib.sh"
on_private_display "$@"
start_scenario
source "$(dirname "$0")/../shortcuts_lib.sh"

drive "${ROAD_TO_SHORTCUTS[@]}" click 110 click 111 checked 110 1 checked 111 0 \
      click 1 "${SUCCESS[@]}" exit 0 nowindow Dunvo 3000

[ "$(listing "$DESKTOP_DIR")" = Dunvo.lnk ] || fail "the desktop holds: $(listing "$DESKTOP_DIR")"
expect_lnk "$DESKTOP_DIR/Dunvo.lnk" "$INSTALL\\Dunvo.exe" Dunvo
[ ! -e "$PROGRAMS_DIR/Dunvo" ] || fail "a Start-menu folder was made"
entry_checks "$PROGRAMS\\Dunvo"
drive "${ENTRY_CHECKS[@]}" link "$DESKTOP\\Dunvo.lnk" "$INSTALL\\Dunvo.exe" Dunvo
