// What the in-process tests share: scratch folders, a listing of one, and the
// one answerer of message boxes.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "common/install_settings.h"
#include "common/text.h"
#include "tests/file_bytes.h"

// A folder of that name in the temporary folder, made if need be.
inline std::string TempFolder(const std::string &name)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    CreateDirectoryA((temp + name).c_str(), nullptr);
    return temp + name;
}

// The names in a folder, sorted, without "." and ".." (no test makes a name that starts with a dot).
inline std::vector<std::string> Listing(const std::string &folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
        if (found.cFileName[0] != '.')
            names.push_back(found.cFileName);
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

// A message box as the user saw it: text, caption, owner, and MB_OK or
// MB_YESNO with the MB_ICON flag of the icon shown.
using SeenBox = std::tuple<std::string, std::string, HWND, UINT>;

// Answers every message box of the test thread while it lives: the box's
// modal loop dispatches the thread's timer, whose tick records the box and
// presses OK (or No). The press is handled before the next tick, so each box
// is recorded once, and a box nobody expected cannot hang a test.
class BoxAnswerer
{
  public:
    BoxAnswerer() : timer_(SetTimer(nullptr, 0, 10, Tick)) { current_ = this; }
    ~BoxAnswerer()
    {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    std::vector<SeenBox> seen;

  private:
    static BOOL CALLBACK FindBox(HWND window, LPARAM box)
    {
        if (IsWindowVisible(window) && GetDlgItem(window, 0xFFFF))
            *reinterpret_cast<HWND *>(box) = window;
        return !*reinterpret_cast<HWND *>(box);
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        HWND box = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
        if (!current_ || !box)
            return;
        char text[1024] = "", caption[256] = "";
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        GetWindowTextA(box, caption, sizeof caption);
        UINT style = GetDlgItem(box, IDYES) ? MB_YESNO : MB_OK;
        // IDI_HAND, IDI_QUESTION, IDI_EXCLAMATION and IDI_ASTERISK (32513-32516) go with
        // MB_ICONERROR, MB_ICONQUESTION, MB_ICONWARNING and MB_ICONINFORMATION (0x10-0x40).
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            for (UINT icon = 1; icon <= 4; ++icon)
                if (HICON(SendMessageA(child, STM_GETICON, 0, 0)) ==
                    LoadIconA(nullptr, MAKEINTRESOURCEA(32512 + icon)))
                    style |= icon * MB_ICONERROR;
        current_->seen.emplace_back(text, caption, GetWindow(box, GW_OWNER), style);
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(GetDlgItem(box, IDOK) ? IDOK : IDNO, BN_CLICKED), 0);
    }

    static inline BoxAnswerer *current_ = nullptr;
    UINT_PTR timer_;
};
