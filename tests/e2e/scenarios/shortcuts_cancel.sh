#!/usr/bin/env bash
# Cancel on the shortcut page: No keeps the page as it was with nothing
# written; Yes writes no shortcut but both registry entries, and the setup
# still ends with its success message.
source "$(dirname "$0")/../lib.sh"
on_private_display "$@"
start_scenario
source "$(dirname "$0")/../shortcuts_lib.sh"

question=(msgbox "Are you want to cancel creating shortcuts ?" Confirmation question)
drive "${ROAD_TO_SHORTCUTS[@]}" click 110 \
      click 2 "${question[@]}" no \
      page 111 checked 110 1 checked 111 1 noreg "$APP_KEY" noreg "$UNINSTALL_KEY" \
      key escape "${question[@]}" yes \
      "${SUCCESS[@]}" exit 0 nowindow Dunvo 3000

[ ! -e "$PROGRAMS_DIR/Dunvo" ] || fail "a Start-menu folder was made"
[ -z "$(listing "$DESKTOP_DIR")" ] || fail "the desktop holds: $(listing "$DESKTOP_DIR")"
entry_checks "$PROGRAMS\\Dunvo"
drive "${ENTRY_CHECKS[@]}"
