#include "common/message_box.h"

#include <windows.h>

int ShowMessage(void *owner, const char *text, const char *caption, unsigned flags)
{
    return MessageBoxA(static_cast<HWND>(owner), text, caption, flags);
}
