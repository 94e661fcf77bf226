// Table-driven dispatch shared by every window and dialog of the setup.
// Each window procedure holds no logic: it hands its messages to
// DispatchMessageTable with its own constant MessageTable, whose WM_COMMAND
// row forwards into a second, CommandTable-driven dispatcher.
#pragma once
#include <windows.h>

#include <cstdint>

typedef int (*MessageHandler)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
typedef int (*CommandHandler)(HWND window, uint16_t id, uint32_t code, LPARAM control);

enum DefaultKind : int32_t { DefaultNone = 0, DefaultWindow = 1, DefaultDialog = 2 };

struct MessageEntry {
    uint32_t message;
    MessageHandler handler;
};

struct CommandEntry {
    uint16_t command;
    CommandHandler handler;
};

struct MessageTable {
    int32_t count;
    const MessageEntry *rows;
    int32_t defaultKind; // a DefaultKind; any other value behaves as DefaultNone
};

struct CommandTable {
    int32_t count;
    const CommandEntry *rows;
    int32_t defaultKind;
};

// Handlers return int; the default procedures' results are carried through whole, since some of
// them are handles or pointers.
LRESULT DispatchMessageTable(const MessageTable &table, HWND window, UINT message, WPARAM wParam,
                             LPARAM lParam);
LRESULT DispatchCommandTable(const CommandTable &table, HWND window, WPARAM wParam, LPARAM lParam);
LRESULT CallDefaultProcedure(int32_t kind, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

template <size_t N> constexpr MessageTable MakeMessageTable(const MessageEntry (&rows)[N], int32_t kind)
{
    return MessageTable{static_cast<int32_t>(N), rows, kind};
}

template <size_t N> constexpr CommandTable MakeCommandTable(const CommandEntry (&rows)[N], int32_t kind)
{
    return CommandTable{static_cast<int32_t>(N), rows, kind};
}

// The WM_COMMAND row of a window's MessageTable: hands the command on to the
// window's own CommandTable.
template <const CommandTable &Table> int ForwardCommand(HWND window, UINT, WPARAM wParam, LPARAM lParam)
{
    return static_cast<int>(DispatchCommandTable(Table, window, wParam, lParam));
}

// A dialog procedure with no logic of its own: every message goes through the table.
template <const MessageTable &Table>
INT_PTR CALLBACK TableDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DispatchMessageTable(Table, dialog, message, wParam, lParam);
}
