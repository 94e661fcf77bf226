// Win32 half of the process-wide values: handles and the helpers that need them.
#pragma once
#include <windows.h>

extern HINSTANCE AppInstance;
extern HWND MainWindow;

// The gzip stream the setup carries in itself: its bytes, or null and 0 when
// the resource is missing.
struct PayloadStream {
    const unsigned char *bytes;
    DWORD size;
};
PayloadStream FindPayload();

// One directory, no parents, no report; 0 also when it already exists.
BOOL MakeDirectory(const char *path);

// A length in pixels as drawn for a screen of 96 dots per inch, in pixels of
// this screen. The setup declares itself aware of the screen's dots per inch,
// so the system no longer enlarges what it draws; its title, rows and small
// pictures grow by this instead. The screen's figure is read once, at the
// first call, and holds for the session (what its manifest asks for).
int ScaleToScreen(int pixels);

// A function looked up at run time, or null: one the oldest supported systems
// lack, or one of a DLL loaded by path. The cast goes through void (*)()
// because that is the one function-pointer type a cast from FARPROC may use
// without a warning.
template <typename Function> Function FindFunction(HMODULE module, const char *name)
{
    return module ? reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)))
                  : nullptr;
}
