// The backdrop's cost at start-up, for scripts/bench: BuildBackdrop timed
// five times on a screen of the size the benchmark gives Wine's display.
#include "shell/backdrop.h"
#include "shell/main_window.h"

#include <algorithm>
#include <cstdio>
#include <vector>

int main()
{
    ScreenWidth = GetSystemMetrics(SM_CXSCREEN);
    ScreenHeight = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    ScreenBitsPerPixel = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    TitleFont = MakeFont(FW_NORMAL, 0, 72, DEFAULT_CHARSET, "Arial Black");
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 0, 0, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> milliseconds;
    for (int run = 0; run < 5; ++run) {
        LARGE_INTEGER start, stop;
        QueryPerformanceCounter(&start);
        HBITMAP bitmap = BuildBackdrop(window);
        QueryPerformanceCounter(&stop);
        BITMAP shape = {};
        if (!bitmap || !GetObjectA(bitmap, sizeof shape, &shape) || shape.bmWidth != ScreenWidth ||
            shape.bmHeight != ScreenHeight) {
            printf("no backdrop of the screen's size was built\n");
            return 1;
        }
        DeleteObject(bitmap);
        // Each build keeps its header and pixels for the life of the process, as the setup does once.
        VirtualFree(BackdropPixels, 0, MEM_RELEASE);
        GlobalFree(BackdropHeader);
        milliseconds.push_back(1000.0 * double(stop.QuadPart - start.QuadPart) / double(frequency.QuadPart));
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    printf("backdrop %dx%d at %d bits per pixel (of %zu runs, %.1f to %.1f ms) | %.1f ms\n", ScreenWidth,
           ScreenHeight, ScreenBitsPerPixel, milliseconds.size(), milliseconds.front(), milliseconds.back(),
           milliseconds[milliseconds.size() / 2]);
    return 0;
}
