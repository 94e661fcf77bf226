// The list views and image lists of the pages come from comctl32, which is not
// one of the system's known DLLs. Imported by name it would be looked for in
// the setup's own folder first (usually a downloads folder that any web page
// can drop a file into) and run with administrator rights; so it is loaded
// from the system folder by its full path, and its few functions looked up.
#pragma once
#include <windows.h>

#include <commctrl.h>

// Loads comctl32 once, which registers the list view class. False when it cannot be had.
bool LoadCommonControls();

// ImageList_Create and ImageList_ReplaceIcon(images, -1, icon), or null and -1
// when comctl32 cannot be had.
HIMAGELIST CreateImageList(int width, int height, UINT flags, int initial, int grow);
int AddImageListIcon(HIMAGELIST images, HICON icon);
