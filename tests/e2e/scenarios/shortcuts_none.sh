#!/usr/bin/env bash
# Both boxes of the shortcut page cleared: no shortcut and no folder, both
# registry entries with "Scdir" still naming the Start-menu folder and
# "Dunvo", and nothing opened after the success message.
source "$(dirname "$0")/../lib.sh"
on_private_display "$@"
start_scenario
source "$(dirname "$0")/../shortcuts_lib.sh"

drive "${ROAD_TO_SHORTCUTS[@]}" click 111 checked 111 0 checked 110 0 \
      click 1 "${SUCCESS[@]}" exit 0 nowindow Dunvo 3000

[ ! -e "$PROGRAMS_DIR/Dunvo" ] || fail "a Start-menu folder was made"
[ -z "$(listing "$DESKTOP_DIR")" ] || fail "the desktop holds: $(listing "$DESKTOP_DIR")"
entry_checks "$PROGRAMS\\Dunvo"
drive "${ENTRY_CHECKS[@]}"
