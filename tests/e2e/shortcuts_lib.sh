# Sourced by the scenarios of the shortcut page and the uninstaller, after
# lib.sh and start_scenario: the road to the page, the places the prefix's
# shell and registry use, and checks of what the setup left there.

# The default road up to the shortcut page: the agreement accepted, the first
# translation loaded, the files copied.
ROAD_TO_SHORTCUTS=(start SETUP page 151 click 1 page 112 row 112 0 click 1 page 111 120)
SUCCESS=(msgbox "Dunvo was successfully installed" "Dunvo - Setup" info ok)

# As the setup names them (Windows paths) ...
INSTALL='C:\Program files\Dunvo'
PROGRAMS='C:\ProgramData\Microsoft\Windows\Start Menu\Programs'
DESKTOP='C:\users\Public\Desktop'
APP_KEY='SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\Dunvo'
UNINSTALL_KEY='SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Dunvo'
SHELL_FOLDERS='SOFTWARE\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders'
# ... and as this machine sees them in the prefix.
INSTALL_DIR=$DRIVE_C/Program\ Files/Dunvo
PROGRAMS_DIR=$DRIVE_C/ProgramData/Microsoft/Windows/Start\ Menu/Programs
DESKTOP_DIR=$DRIVE_C/users/Public/Desktop

# A shortcut as Debian's lnkinfo reads it: FILE TARGET DESCRIPTION.
expect_lnk() {
    local info path text
    [ -f "$1" ] || fail "no shortcut $1"
    info=$(lnkinfo "$1") || fail "lnkinfo cannot read $1"
    path=$(sed -n 's/^\tLocal path\t*: //p' <<<"$info")
    text=$(sed -n 's/^\tDescription\t*: //p' <<<"$info")
    [ "${path,,}" = "${2,,}" ] || fail "$1 opens '$path', expected '$2'"
    [ "$text" = "$3" ] || fail "$1 is described '$text', expected '$3'"
    echo "lnkinfo: $(basename "$1") -> $path ($text)"
}

# The files of a folder, one name a line, sorted; nothing for a missing folder.
listing() { [ -d "$1" ] && (cd "$1" && find . -mindepth 1 -printf '%P\n' | LC_ALL=C sort) || true; }

# Kilobytes, rounded up, of everything under the installation folder (all of
# it the setup's own in these scenarios).
installed_kilobytes() {
    find "$INSTALL_DIR" -type f -printf '%s\n' | awk '{ s += $1 } END { printf "%d\n", (s + 1023) / 1024 }'
}

# Steps that check both registry entries for the Start-menu folder SCDIR.
entry_checks() {
    ENTRY_CHECKS=(regsz "$APP_KEY" - Dunvo regsz "$APP_KEY" Path "$INSTALL"
        regsz "$UNINSTALL_KEY" DisplayName Dunvo
        regsz "$UNINSTALL_KEY" UninstallString "\"$INSTALL\\uninstall.exe\""
        regsz "$UNINSTALL_KEY" Scdir "$1" regsz "$UNINSTALL_KEY" Progdir "$INSTALL"
        regsz "$UNINSTALL_KEY" DisplayVersion 7.02 regsz "$UNINSTALL_KEY" Publisher Dunvo
        regsz "$UNINSTALL_KEY" DisplayIcon "$INSTALL\\dunvo.exe" regsz "$UNINSTALL_KEY" InstallLocation "$INSTALL"
        regdword "$UNINSTALL_KEY" EstimatedSize "$(installed_kilobytes)"
        regdword "$UNINSTALL_KEY" NoModify 1 regdword "$UNINSTALL_KEY" NoRepair 1)
}

# A restart of the prefix's Windows: every program ended (the folder window
# the setup opened among them), then Wine's boot, which carries out the
# removals left pending for the restart.
restart_windows() {
    end_wine "$PREFIX"
    WINEPREFIX=$PREFIX "$WINE" wineboot -r >/dev/null 2>&1 || true
    end_wine "$PREFIX"
}

# After its success message the setup opens the Start-menu folder. The user
# closes that window before going on; without a window manager it would
# otherwise stay above every later window and hide it from the driver.
close_opened_folder() {
    end_wine "$PREFIX"
}
