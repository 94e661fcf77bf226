#!/usr/bin/env bash
# Finish on the shortcut page with its defaults: three shortcuts in a new
# "Dunvo" folder of the all-users Start menu that open the installed files,
# no desktop shortcut, both registry entries, and the new folder opened after
# the success message.
source "$(dirname "$0")/../lib.sh"
on_private_display "$@"
start_scenario
source "$(dirname "$0")/../shortcuts_lib.sh"

drive cover 3A6EA5 "${ROAD_TO_SHORTCUTS[@]}" \
      checked 110 0 checked 111 1 text 101 "$PROGRAMS" shot "$(shot shortcut-page)" \
      click 1 "${SUCCESS[@]}" exit 0 window Dunvo 30 shot "$(shot start-menu-folder)"

folder="$PROGRAMS_DIR/Dunvo"
[ "$(listing "$folder")" = $'Dunvo.lnk\nReadme.lnk\nUninstall.lnk' ] || fail "the Start-menu folder holds: $(listing "$folder")"
expect_lnk "$folder/Dunvo.lnk" "$INSTALL\\Dunvo.exe" Dunvo
expect_lnk "$folder/Uninstall.lnk" "$INSTALL\\uninstall.exe" Uninstall
expect_lnk "$folder/Readme.lnk" "$INSTALL\\Readme.rtf" Readme
# The targets are installed files.
for f in dunvo.exe uninstall.exe readme.rtf; do [ -f "$INSTALL_DIR/$f" ] || fail "$f is not installed"; done
[ -z "$(listing "$DESKTOP_DIR")" ] || fail "the desktop holds: $(listing "$DESKTOP_DIR")"

entry_checks "$PROGRAMS\\Dunvo"
drive "${ENTRY_CHECKS[@]}" \
      link "$PROGRAMS\\Dunvo\\Dunvo.lnk" "$INSTALL\\Dunvo.exe" Dunvo \
      link "$PROGRAMS\\Dunvo\\Uninstall.lnk" "$INSTALL\\uninstall.exe" Uninstall \
      link "$PROGRAMS\\Dunvo\\Readme.lnk" "$INSTALL\\Readme.rtf" Readme
