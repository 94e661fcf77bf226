// The backdrop's cost at start-up, timed in-process for scripts/bench on a
// screen of the size it asks for. Disabled in the normal run: a timing says
// nothing on a screen of another size.
#include "shell/backdrop.h"
#include "shell/main_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

TEST(BackdropTiming, DISABLED_BuildsTheWholeScreen)
{
    ScreenWidth = GetSystemMetrics(SM_CXSCREEN);
    ScreenHeight = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    ScreenBitsPerPixel = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    TitleFont = MakeFont(400, 0, 72, 1, "Arial Black");
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 0, 0, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> milliseconds;
    for (int run = 0; run < 5; ++run) {
        LARGE_INTEGER start, stop;
        QueryPerformanceCounter(&start);
        HBITMAP bitmap = BuildBackdrop(window);
        QueryPerformanceCounter(&stop);
        ASSERT_NE(bitmap, nullptr);
        BITMAP shape = {};
        ASSERT_TRUE(GetObjectA(bitmap, sizeof shape, &shape));
        EXPECT_EQ(shape.bmWidth, ScreenWidth);
        EXPECT_EQ(shape.bmHeight, ScreenHeight);
        DeleteObject(bitmap);
        // Each build keeps its header and pixels for the life of the process, as the setup does once.
        VirtualFree(BackdropPixels, 0, MEM_RELEASE);
        GlobalFree(BackdropHeader);
        milliseconds.push_back(1000.0 * double(stop.QuadPart - start.QuadPart) / double(frequency.QuadPart));
    }
    DestroyWindow(window);
    std::sort(milliseconds.begin(), milliseconds.end());
    printf("backdrop %dx%d at %d bits per pixel: median %.1f ms (of %zu runs, %.1f to %.1f ms)\n", ScreenWidth,
           ScreenHeight, ScreenBitsPerPixel, milliseconds[milliseconds.size() / 2], milliseconds.size(),
           milliseconds.front(), milliseconds.back());
}
