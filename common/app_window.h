// Win32 half of the process-wide values: handles and the helpers that need them.
#pragma once
#include <windows.h>

extern HINSTANCE AppInstance;
extern HWND MainWindow;

// One directory, no parents, no report; 0 also when it already exists.
BOOL MakeDirectory(const char *path);

// A function looked up at run time, or null: one the oldest supported systems
// lack, or one of a DLL loaded by path. The cast goes through void (*)()
// because that is the one function-pointer type a cast from FARPROC may use
// without a warning.
template <typename Function> Function FindFunction(HMODULE module, const char *name)
{
    return module ? reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)))
                  : nullptr;
}
