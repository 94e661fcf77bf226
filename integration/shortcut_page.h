// The shortcut page (IDD_SHORTCUT, run by the page sequence through
// RunShortcutPage in shell/pages.h) and its Start-menu folder chooser.
#pragma once
#include <windows.h>

#include "common/install_settings.h"

// IDD_BROWSE_SHORTCUT, modal over `owner`. Its outcome is what it leaves in
// StartMenuFolder: OK and Cancel both keep the folder walked to.
void RunStartMenuChooser(HWND owner);
