// The shortcut page (IDD_SHORTCUT, run by the page sequence through
// RunShortcutPage in shell/pages.h) and its Start-menu folder chooser.
#pragma once
#include <windows.h>

#include "common/install_settings.h"

// Path of the .lnk file being written, and the text shown after the chooser.
extern char LinkPathScratch[kPathChars];
// Target of the shortcut being written, and the uninstall command.
extern char TargetPathScratch[kPathChars];
// The chooser's path edit (211) and folder list (212) while it is open.
extern HWND ChooserPathEdit;
extern HWND ChooserFolderList;

// IDD_BROWSE_SHORTCUT, modal over `owner`. Its outcome is what it leaves in
// StartMenuFolder: OK and Cancel both keep the folder walked to.
void RunStartMenuChooser(HWND owner);
