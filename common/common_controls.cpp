#include "common/common_controls.h"

#include "common/app_window.h"

#include <cwchar>

namespace
{

HMODULE CommonControls;

template <typename Function> Function Find(const char *name)
{
    return LoadCommonControls() ? FindFunction<Function>(CommonControls, name) : nullptr;
}

} // namespace

bool LoadCommonControls()
{
    if (CommonControls)
        return true;
    // The system's own wide path, handed straight back: it never needs an
    // ANSI spelling, which a system folder in other letters would lack.
    const wchar_t kName[] = L"\\comctl32.dll";
    wchar_t path[MAX_PATH];
    const UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length + sizeof kName / sizeof kName[0] > MAX_PATH)
        return false;
    wcscpy(path + length, kName);
    CommonControls = LoadLibraryW(path);
    if (!CommonControls)
        return false;
    if (auto initCommonControls = Find<void(WINAPI *)()>("InitCommonControls"))
        initCommonControls();
    return true;
}

HIMAGELIST CreateImageList(int width, int height, UINT flags, int initial, int grow)
{
    auto create = Find<HIMAGELIST(WINAPI *)(int, int, UINT, int, int)>("ImageList_Create");
    return create ? create(width, height, flags, initial, grow) : nullptr;
}

int AddImageListIcon(HIMAGELIST images, HICON icon)
{
    auto replace = Find<int(WINAPI *)(HIMAGELIST, int, HICON)>("ImageList_ReplaceIcon");
    return replace && images ? replace(images, -1, icon) : -1;
}
