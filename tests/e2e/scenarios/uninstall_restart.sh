#!/usr/bin/env bash
# The stand-in uninstaller over an installation with nothing of the user's in
# it: after the restart that removes its own file, the installation folder
# itself is gone too, and so is every trace of the setup.
source "$(dirname "$0")/../lib.sh"
on_private_display "$@"
start_scenario
source "$(dirname "$0")/../shortcuts_lib.sh"

drive "${ROAD_TO_SHORTCUTS[@]}" click 1 "${SUCCESS[@]}" exit 0
close_opened_folder
drive start "$INSTALL\\uninstall.exe" 'C:\' \
      msgbox "Remove Dunvo from this computer?\n\nIts files in $INSTALL, its shortcuts and its registry entries are removed. Files that Dunvo did not install are kept." "Dunvo - Uninstall" question yes \
      msgbox "Dunvo was removed from this computer.\n\nFiles in use, this uninstaller among them, are removed when Windows restarts, and with them the folder $INSTALL if nothing else is left in it." "Dunvo - Uninstall" info ok \
      exit 0
[ "$(listing "$INSTALL_DIR")" = uninstall.exe ] || fail "before the restart: $(listing "$INSTALL_DIR")"

restart_windows
[ ! -e "$INSTALL_DIR" ] || fail "after the restart the folder holds: $(listing "$INSTALL_DIR")"
[ ! -e "$PROGRAMS_DIR/Dunvo" ] || fail "the Start-menu folder is still there"
drive noreg "$APP_KEY" noreg "$UNINSTALL_KEY"
