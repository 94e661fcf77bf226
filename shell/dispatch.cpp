#include "shell/dispatch.h"

LRESULT CallDefaultProcedure(int32_t kind, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (kind) {
    case DefaultWindow:
        return DefWindowProcA(window, message, wParam, lParam);
    case DefaultDialog:
        return DefDlgProcA(window, message, wParam, lParam);
    default:
        return 0;
    }
}

LRESULT DispatchMessageTable(const MessageTable &table, HWND window, UINT message, WPARAM wParam,
                             LPARAM lParam)
{
    for (int32_t i = 0; i < table.count; ++i) {
        if (table.rows[i].message == message)
            return table.rows[i].handler(window, message, wParam, lParam);
    }
    return CallDefaultProcedure(table.defaultKind, window, message, wParam, lParam);
}

LRESULT DispatchCommandTable(const CommandTable &table, HWND window, WPARAM wParam, LPARAM lParam)
{
    const uint16_t id = LOWORD(wParam);
    for (int32_t i = 0; i < table.count; ++i) {
        if (table.rows[i].command == id)
            return table.rows[i].handler(window, id, HIWORD(wParam), lParam);
    }
    return CallDefaultProcedure(table.defaultKind, window, WM_COMMAND, wParam, lParam);
}
