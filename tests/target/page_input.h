// What a user's actions send to a dialog, for pages created in the test: a
// button press, and the list view notifications a mouse click, a double-click
// or a column-header click makes the list send after it has selected the row.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include <string>

namespace page_input
{

// Puts the current directory back; the options page changes it on purpose.
class CurrentDirectory
{
  public:
    CurrentDirectory() { GetCurrentDirectoryA(sizeof saved_, saved_); }
    ~CurrentDirectory() { SetCurrentDirectoryA(saved_); }

  private:
    char saved_[MAX_PATH];
};

inline std::string TextOf(HWND dialog, int id)
{
    char text[2048] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

inline void Press(HWND dialog, int id)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// EndDialog hides a dialog that was created on its own rather than run modally.
inline bool Ended(HWND dialog)
{
    return !IsWindowVisible(dialog);
}

// Selection alone, as the keyboard or the list itself makes it.
inline void Select(HWND list, int row)
{
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = state.stateMask;
    SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
}

inline void Notify(HWND dialog, int listId, UINT code, int row)
{
    NMITEMACTIVATE click = {};
    click.hdr.hwndFrom = GetDlgItem(dialog, listId);
    click.hdr.idFrom = listId;
    click.hdr.code = code;
    click.iItem = row;
    SendMessageA(dialog, WM_NOTIFY, listId, reinterpret_cast<LPARAM>(&click));
}

inline void ClickRow(HWND dialog, int listId, int row)
{
    Select(GetDlgItem(dialog, listId), row);
    Notify(dialog, listId, NM_CLICK, row);
}

inline void DoubleClickRow(HWND dialog, int listId, int row)
{
    Select(GetDlgItem(dialog, listId), row);
    Notify(dialog, listId, NM_DBLCLK, row);
}

inline void ClickColumn(HWND dialog, int listId, int column)
{
    NMLISTVIEW click = {};
    click.hdr.hwndFrom = GetDlgItem(dialog, listId);
    click.hdr.idFrom = listId;
    click.hdr.code = LVN_COLUMNCLICK;
    click.iItem = -1;
    click.iSubItem = column;
    SendMessageA(dialog, WM_NOTIFY, listId, reinterpret_cast<LPARAM>(&click));
}

} // namespace page_input
