#!/usr/bin/env bash
# The stand-in uninstaller after an installation with both kinds of shortcut:
# it asks first (No leaves everything), then removes every file, shortcut,
# folder and registry key of ours and leaves a file of the user's, with its
# folder, alone. Its own file, in use while it runs, goes at the next restart.
source "$(dirname "$0")/../lib.sh"
on_private_display "$@"
start_scenario
source "$(dirname "$0")/../shortcuts_lib.sh"

drive "${ROAD_TO_SHORTCUTS[@]}" click 110 click 1 "${SUCCESS[@]}" exit 0
close_opened_folder
[ -f "$DESKTOP_DIR/Dunvo.lnk" ] && [ -d "$PROGRAMS_DIR/Dunvo" ] || fail "the setup made no shortcuts"
echo "the user's own notes" >"$INSTALL_DIR/my notes.txt"
installed=$(listing "$INSTALL_DIR")

uninstaller=(start "$INSTALL\\uninstall.exe" 'C:\')
question=(msgbox "Remove Dunvo from this computer?\n\nIts files in $INSTALL, its shortcuts and its registry entries are removed. Files that Dunvo did not install are kept." "Dunvo - Uninstall" question)
drive "${uninstaller[@]}" "${question[@]}" no exit 0 regsz "$UNINSTALL_KEY" Progdir "$INSTALL"
[ "$(listing "$INSTALL_DIR")" = "$installed" ] || fail "No still removed files"
[ -f "$DESKTOP_DIR/Dunvo.lnk" ] && [ -d "$PROGRAMS_DIR/Dunvo" ] || fail "No still removed shortcuts"

drive "${uninstaller[@]}" "${question[@]}" yes \
      msgbox "Dunvo was removed from this computer.\n\nFiles in use, this uninstaller among them, are removed when Windows restarts, and with them the folder $INSTALL if nothing else is left in it." "Dunvo - Uninstall" info ok \
      exit 0 noreg "$APP_KEY" noreg "$UNINSTALL_KEY"
echo "left in the installation folder: $(listing "$INSTALL_DIR" | tr '\n' ' ')"
[ "$(listing "$INSTALL_DIR")" = $'my notes.txt\nuninstall.exe' ] || fail "left behind: $(listing "$INSTALL_DIR")"
[ ! -e "$PROGRAMS_DIR/Dunvo" ] || fail "the Start-menu folder is still there: $(listing "$PROGRAMS_DIR/Dunvo")"
[ ! -e "$DESKTOP_DIR/Dunvo.lnk" ] || fail "the desktop shortcut is still there"

# Without its entry it finds nothing to remove.
drive "${uninstaller[@]}" msgbox "Dunvo is not installed on this computer: its uninstall entry is missing." \
      "Dunvo - Uninstall" warning ok exit 1

restart_windows
[ "$(listing "$INSTALL_DIR")" = "my notes.txt" ] || fail "after the restart: $(listing "$INSTALL_DIR")"
[ "$(cat "$INSTALL_DIR/my notes.txt")" = "the user's own notes" ] || fail "the user's file changed"
