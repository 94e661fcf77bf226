// In-process tests of the Win32 modules. The test program carries the setup's
// own resources, so pages are created from the real templates.
#include "common/app_window.h"
#include "common/install_settings.h"

#include <commctrl.h>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    AppInstance = GetModuleHandleA(nullptr);
    LoadStringA(AppInstance, 301, SetupName, sizeof SetupName);
    InitCommonControls();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
