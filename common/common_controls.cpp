#include "common/common_controls.h"

#include "common/app_window.h"
#include "common/text.h"

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
    char path[MAX_PATH];
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH || !FormatText(path + length, MAX_PATH - length, "\\comctl32.dll"))
        return false;
    CommonControls = LoadLibraryA(path);
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
