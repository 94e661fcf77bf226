/* The driver hooks the setup's thread with this: a window of the setup sent a
   text for which the driver made an event "dunvo-freeze:TEXT" (each \ a /)
   signals it, and the thread is held there, before the window has the text and
   so before anything after it is painted, until the driver signals
   "dunvo-thaw". Before, it waits as for a message, taking none, for no time:
   Wine then hands what the thread has painted to the screen, as Windows'
   compositor does unasked. */
#include <windows.h>

__declspec(dllexport) LRESULT CALLBACK FreezeAtText(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT *call = (const CWPSTRUCT *)lParam;
    char name[288] = "dunvo-freeze:", *c;
    HANDLE reached = NULL, thaw = NULL;
    if (code != HC_ACTION || call->message != WM_SETTEXT || !call->lParam)
        return CallNextHookEx(NULL, code, wParam, lParam);
    lstrcpynA(name + 13, (const char *)call->lParam, sizeof name - 13);
    for (c = name; *c; ++c)
        *c = *c == '\\' ? '/' : *c;
    if ((reached = OpenEventA(EVENT_MODIFY_STATE, FALSE, name)) &&
        (thaw = OpenEventA(SYNCHRONIZE, FALSE, "dunvo-thaw")) &&
        MsgWaitForMultipleObjects(0, NULL, FALSE, 0, 0) == WAIT_TIMEOUT && SetEvent(reached))
        WaitForSingleObject(thaw, INFINITE);
    CloseHandle(reached), CloseHandle(thaw);
    return CallNextHookEx(NULL, code, wParam, lParam);
}
