#!/usr/bin/env bash
# A Start-menu folder that already ends in a backslash (the registry holds
# "C:\\", of which the shell-folder read removes one): the shortcuts go to
# C:\Dunvo with no doubled backslash, in the files and in "Scdir".
source "$(dirname "$0")/../lib.sh"
on_private_display "$@"
start_scenario
source "$(dirname "$0")/../shortcuts_lib.sh"

drive setreg "$SHELL_FOLDERS" "Common Programs" 'C:\\' "${ROAD_TO_SHORTCUTS[@]}" text 101 'C:\' \
      click 1 "${SUCCESS[@]}" exit 0 window Dunvo 30

[ "$(listing "$DRIVE_C/Dunvo")" = $'Dunvo.lnk\nReadme.lnk\nUninstall.lnk' ] || fail "C:\\Dunvo holds: $(listing "$DRIVE_C/Dunvo")"
expect_lnk "$DRIVE_C/Dunvo/Dunvo.lnk" "$INSTALL\\Dunvo.exe" Dunvo
entry_checks 'C:\Dunvo'
drive "${ENTRY_CHECKS[@]}"
