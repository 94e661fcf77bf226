// End-to-end driver: runs SetupD.exe as a user would and acts on what it shows.
// Each argument is a step, done in order; the first that fails prints "FAIL:",
// saves the screen to DUNVO_FAILURE_SHOT (when set), ends the setup and exits
// with 1, naming the step and the page. Every wait is for a condition, with a
// generous timeout. A control is its number, or NAME=NUMBER as run.sh passes it.
//   cover RRGGBB       cover the screen with one colour (before start)
//   start EXE DIR      start EXE in DIR
//   again              start it again, over a window of ours at the front: it must end by itself
//                      with 0 and show nothing, and bring the first's current page to the front
//   page ID / gone ID  wait until a window of the setup holds control ID (the current page) / none,
//                      hidden or not, does
//   click ID           press button ID; wait until the setup has taken the press
//   type ID TEXT       set the text of control ID
//   text ID TEXT       expect control ID to read TEXT (\n stands for a line break)
//   checked ID 0|1     expect check box ID clear or checked
//   focus ID           expect control ID to have the keyboard focus
//                      (these three wait up to 30 s for the page to settle)
//   pick ID TEXT       choose the entry starting TEXT in drop-down box ID, as a user's choice does
//   key NAME           press enter, escape, tab, space, up, down, apps or a letter; wait until read
//   row ID INDEX       click row INDEX of report list ID with the mouse; wait until it is read
//   column ID INDEX    the same for the header of column INDEX
//   dblrow ID TEXT     double-click the row reading TEXT of list ID
//   norow ID TEXT      expect list ID to show no row reading TEXT
//   item ID ROW TEXT   expect row ROW of list ID to read "NAME: STATE", asked as a screen reader asks
//   states ID TEXT     expect each row to have a name of its own and the states to read "STATE*COUNT; ..."
//   announced ID ROW   expect the row to have been said to change (since the last such step)
//   msgbox TEXT CAPTION ICON ANSWER   wait for a message box; expect its text, caption (- the
//                      system's "Error") and icon (info warning error question none offscreen);
//                      answer ok, yes, no or retry
//   window TITLE       wait for a visible top-level window TITLE of any program
//   close TITLE        close the program of window TITLE as its user would; wait until it has ended
//   started N          expect N programs started by the setup running (a folder it opened is one)
//   hold FILE          open FILE without sharing, as a scanner does, and keep it open
//   letgo ID TEXT      once control ID of the setup reads TEXT (so it has reached the file and
//                      answered since), close what hold opened
//   shot FILE.bmp      save the screen once it is still
//   freeze TEXT        from now on hold the setup where a window of it is sent TEXT, until:
//   frozen STATUS BAR FILE.bmp LATER  wait until it is held; expect the page of STATUS shown as
//                      when held again at text LATER, but STATUS, and BAR solid; save the screen
//                      at LATER (at the first hold if not)
//   backdrop RRGGBB    wait until the screen shows the dimmed backdrop over that colour
//   picture            expect the page, once painted, to show its picture in its far corner
//   figures ID FILE    measure a row of list ID, the header over it, the row's picture and the
//                      backdrop's title: at 96 dots per inch write them to FILE; at others expect
//                      each grown by the screen's ratio to those, and rows as roomy for their text
//   exit CODE          wait for the setup to end with CODE
//   kill               end the setup (a run that stops part-way)
//   watch ID STATUS    for the benchmark: while the window with control ID is shown, ask its
//                      control STATUS for its text every 50 ms and print each wait for an
//                      answer; then the setup's memory
#include <windows.h>

#include <commctrl.h>
#include <psapi.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <string>
#include <vector>

namespace
{

PROCESS_INFORMATION gSetup = {};
HWND gPage = nullptr;
std::string gStep, gPageName;   // the step in hand; the control the current page was found by
const DWORD kTimeoutMs = 60000; // a loaded machine is slow, never this slow

void SaveShot(const std::string &path);
using Args = char *const *; // a step and its arguments

[[noreturn]] void Fail(const std::string &what)
{
    printf("FAIL: %s (step: %.300s; page of %s)\n", what.c_str(), gStep.c_str(), gPageName.c_str());
    fflush(stdout);
    static bool failing = false; // the shot itself may fail
    char shot[MAX_PATH];
    if (!failing && GetEnvironmentVariableA("DUNVO_FAILURE_SHOT", shot, sizeof shot) - 1u < sizeof shot - 1)
        failing = true, SaveShot(shot);
    TerminateProcess(gSetup.hProcess, 99);
    ExitProcess(1);
}

// Polls COND every 20 ms, answering our own window's messages meanwhile.
template <class Condition> bool Within(DWORD ms, Condition cond)
{
    for (DWORD start = GetTickCount(); !cond();
         MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT)) {
        for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);)
            DispatchMessageA(&message);
        if (GetTickCount() - start > ms)
            return false;
    }
    return true;
}

int Id(const char *control)
{
    const char *number = strchr(control, '=');
    return atoi(number ? number + 1 : control);
}

bool SetupEnded()
{
    return WaitForSingleObject(gSetup.hProcess, 0) == WAIT_OBJECT_0;
}

// A wait for something the setup shows ends, failed, when the setup does.
template <class Condition> void Until(const std::string &what, Condition cond, bool fromSetup = true)
{
    bool ended = false;
    DWORD code = 0;
    if (!Within(kTimeoutMs, [&] { return cond() || (ended = fromSetup && SetupEnded()); }) || ended)
        Fail("waited in vain for " + what +
             (ended && GetExitCodeProcess(gSetup.hProcess, &code)
                  ? "; the setup has ended (exit code " + std::to_string(code) + ")"
                  : ""));
}

// A text with its line breaks written \n; undo turns \n back into line breaks.
std::string Escape(const std::string &text, bool undo = false)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i)
        out += undo && !text.compare(i, 2, "\\n") ? (++i, "\n")
               : text[i] == '\n'                  ? "\\n"
                                                  : std::string(text[i] != '\r', text[i]);
    return out;
}

bool Matches(const std::string &shown, const std::string &expected)
{
    // A path holding "\n" is taken as written, too.
    return Escape(shown) == Escape(expected) || Escape(shown) == Escape(Escape(expected, true));
}

void Expect(const std::string &what, const std::string &shown, const std::string &expected)
{
    if (!Matches(shown, expected))
        Fail(what + " is \"" + Escape(shown) + "\", expected \"" + Escape(expected) + "\"");
}

// A state of a page: the setup may still be finishing the step before (a
// handler goes on after the dialog it opened has closed), so it is waited for.
template <class Shown> void ExpectState(const std::string &what, Shown shown, const std::string &expected)
{
    std::string seen;
    Within(30000, [&] { return Matches(seen = shown(), expected); });
    Expect(what, seen, expected);
}

// A window that has gone reads empty; one that does not answer fails the step.
std::string TextOf(HWND window)
{
    char text[8192] = "";
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, LPARAM(text), SMTO_NORMAL, kTimeoutMs,
                             nullptr) &&
        IsWindow(window) && !SetupEnded())
        Fail("the setup did not answer when asked for a text");
    return text;
}

// The first visible (or any) top-level window, front to back, that MATCH accepts.
template <class Match> HWND TopWindow(Match match, bool hiddenToo = false)
{
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT))
        if ((hiddenToo || IsWindowVisible(window)) && match(window))
            return window;
    return nullptr;
}

DWORD ProcessOf(HWND window)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

HWND SetupWindowWith(int id, bool hiddenToo = false)
{
    return TopWindow(
        [&](HWND window) { return ProcessOf(window) == gSetup.dwProcessId && GetDlgItem(window, id); },
        hiddenToo);
}

// A message box nobody expected ends a wait for something else at once.
bool Unexpected(const char *what)
{
    if (HWND box = SetupWindowWith(0xFFFF))
        Fail("a message box said \"" + Escape(TextOf(GetDlgItem(box, 0xFFFF))) + "\" while waiting for " +
             what);
    return false;
}

HWND Control(const char *id)
{
    HWND control = gPage ? GetDlgItem(gPage, Id(id)) : nullptr;
    return control ? control : (Fail("the current page has no control " + std::string(id)), nullptr);
}

// Returns once the setup's thread has handled every message sent to it so far:
// it is done with them, or waiting in a box or page they opened.
void Answered(HWND window)
{
    if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kTimeoutMs, nullptr) && IsWindow(window) &&
        !SetupEnded())
        Fail("the setup did not finish what the last step started");
}

// Input reaches the setup through its queue behind any message we send, so an
// answer cannot tell when it was read. A repaint can: a thread is handed a
// paint only once its input is all read.
void InputRead()
{
    HWND page = gPage;
    RECT corner{0, 0, 1, 1};
    RedrawWindow(page, &corner, nullptr, RDW_INVALIDATE);
    Until("the setup to read its input",
          [&] { return !IsWindow(page) || !GetUpdateRect(page, nullptr, FALSE); });
}

struct Screen {
    int width, height;
    std::vector<DWORD> pixels; // top-down, 0xRRGGBB
    DWORD at(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

// The screen, or with a DC an icon drawn over the colour of a message box.
Screen Capture(HICON icon = nullptr)
{
    const int size = GetSystemMetrics(SM_CXICON);
    Screen screen{
        icon ? size : GetSystemMetrics(SM_CXSCREEN), icon ? size : GetSystemMetrics(SM_CYSCREEN), {}};
    HDC screenDc = GetDC(nullptr), dc = CreateCompatibleDC(screenDc);
    HBITMAP bitmap = CreateCompatibleBitmap(screenDc, screen.width, screen.height);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, size, size};
    if (icon)
        FillRect(dc, &all, GetSysColorBrush(COLOR_3DFACE)), DrawIcon(dc, 0, 0, icon);
    else
        BitBlt(dc, 0, 0, screen.width, screen.height, screenDc, 0, 0, SRCCOPY);
    SelectObject(dc, old);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, screen.width, -screen.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    screen.pixels.resize(size_t(screen.width) * screen.height);
    GetDIBits(dc, bitmap, 0, screen.height, screen.pixels.data(), &info, DIB_RGB_COLORS);
    for (DWORD &p : screen.pixels)
        p &= 0xFFFFFF;
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screenDc);
    return screen;
}

void WriteBitmap(const std::string &path, const Screen &screen)
{
    const DWORD bytes = DWORD(screen.pixels.size() * 4),
                header = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    BITMAPINFOHEADER info = {sizeof info, screen.width, -screen.height, 1, 32, BI_RGB, bytes, 0, 0, 0, 0};
    BITMAPFILEHEADER file = {0x4D42, header + bytes, 0, 0, header};
    FILE *out = fopen(path.c_str(), "wb");
    if (!out || !fwrite(&file, sizeof file, 1, out) || !fwrite(&info, sizeof info, 1, out) ||
        !fwrite(screen.pixels.data(), bytes, 1, out) || fclose(out))
        Fail("cannot write screenshot " + path);
}

// The screen once the setup has answered and nothing on it changed across that answer.
void SaveShot(const std::string &path)
{
    Screen last = Capture(), now;
    if (!Within(30000, [&] {
            if (IsWindow(gPage))
                Answered(gPage);
            std::swap(now = Capture(), last);
            return now.pixels == last.pixels;
        }))
        printf("note: the screen kept changing; shot as it was\n");
    WriteBitmap(path, last);
}

void Cover(DWORD colour)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hbrBackground = CreateSolidBrush(RGB(colour >> 16, colour >> 8, colour));
    windowClass.lpszClassName = "DriverCover";
    RegisterClassA(&windowClass);
    CreateWindowA("DriverCover", "cover", WS_POPUP | WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                  GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, nullptr, nullptr);
    Until(
        "the cover to show",
        [&] {
            const Screen screen = Capture();
            return std::count(screen.pixels.begin(), screen.pixels.end(), colour) ==
                   long(screen.pixels.size());
        },
        false);
}

// The backdrop over a screen of one colour: outside the title band and the
// setup's windows, exactly the pixels whose column plus row counted from the
// bottom is even are black, the others keep the colour; the title is drawn
// undimmed in 40A0FF. Returns what is wrong, or nothing.
std::string BackdropFault(DWORD colour)
{
    const Screen screen = Capture();
    std::vector<RECT> skip{{0, 0, screen.width, 110}};
    TopWindow([&](HWND window) {
        RECT r;
        if (ProcessOf(window) == gSetup.dwProcessId && GetWindowRect(window, &r) &&
            r.right - r.left < screen.width)
            skip.push_back(r);
        return false;
    });
    long title = 0;
    for (int y = 0; y < screen.height; ++y)
        for (int x = 0; x < screen.width; ++x) {
            const POINT p{x, y};
            const DWORD expected = (x + screen.height - 1 - y) % 2 ? colour : 0;
            title += y < 110 && screen.at(x, y) == 0x40A0FF;
            if (screen.at(x, y) != expected &&
                std::none_of(skip.begin(), skip.end(), [&](const RECT &r) { return PtInRect(&r, p); }))
                return "backdrop pixel " + std::to_string(x) + "," + std::to_string(y) + " is " +
                       std::to_string(screen.at(x, y));
        }
    return title < 300 ? "the title is missing from the backdrop" : "";
}

// Which standard icon a message box shows: the pixels of its icon control
// against each system icon drawn over the same background.
std::string IconOf(HWND box)
{
    HWND icon = nullptr;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        // Wine keeps the icon control of a box without an icon, visible but empty.
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && IsWindowVisible(child) &&
            SendMessageA(child, STM_GETICON, 0, 0))
            icon = child;
    RECT r, screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, seen;
    const int size = GetSystemMetrics(SM_CXICON);
    if (!icon || !GetWindowRect(icon, &r))
        return "none";
    SetRect(&r, r.left, r.top, r.left + size, r.top + size);
    if (!IntersectRect(&seen, &r, &screen) || !EqualRect(&seen, &r))
        return "offscreen";
    const Screen shown = Capture();
    const std::pair<const char *, LPCSTR> kinds[] = {{"info", IDI_INFORMATION},
                                                     {"warning", IDI_WARNING},
                                                     {"error", IDI_ERROR},
                                                     {"question", IDI_QUESTION}};
    for (const auto &kind : kinds) {
        const Screen drawn = Capture(LoadIconA(nullptr, kind.second));
        bool same = true;
        for (int y = 0; y < size; ++y)
            same = same && std::equal(&drawn.pixels[y * size], &drawn.pixels[y * size] + size,
                                      &shown.pixels[size_t(r.top + y) * shown.width + r.left]);
        if (same)
            return kind.first;
    }
    return "unknown"; // not painted yet, or another picture
}

void AnswerMessageBox(Args a)
{
    HWND box = nullptr;
    Until("a message box saying \"" + std::string(a[1]) + "\"",
          [&] { return (box = SetupWindowWith(0xFFFF)); });
    printf("message box: [%s] \"%s\"\n", TextOf(box).c_str(),
           Escape(TextOf(GetDlgItem(box, 0xFFFF))).c_str());
    Expect("the message box's text", TextOf(GetDlgItem(box, 0xFFFF)), a[1]);
    Expect("the message box's caption", TextOf(box), strcmp(a[2], "-") ? a[2] : "Error");
    std::string seen;
    Within(30000, [&] { return (seen = IconOf(box)) != "unknown"; }); // painted once the box is idle
    Expect("the message box's icon", seen, a[3]);
    const std::pair<const char *, int> answers[] = {{"yes", IDYES}, {"no", IDNO}, {"retry", IDRETRY}};
    int id = IDOK;
    for (const auto &answer : answers)
        id = strcmp(a[4], answer.first) ? id : answer.second;
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(box, id)));
    Until("the message box to close", [&] { return !IsWindow(box); });
    if (IsWindow(gPage))
        Answered(gPage); // done with what the answer led to
}

void PressKey(const std::string &name)
{
    const std::pair<const char *, WORD> keys[] = {
        {"enter", VK_RETURN}, {"escape", VK_ESCAPE}, {"tab", VK_TAB},  {"space", VK_SPACE},
        {"up", VK_UP},        {"down", VK_DOWN},     {"apps", VK_APPS}};
    INPUT inputs[2] = {};
    inputs[0].ki.wVk = inputs[1].ki.wVk = name.size() == 1 ? LOBYTE(VkKeyScanA(name[0])) : 0;
    for (const auto &key : keys)
        inputs[0].ki.wVk = inputs[1].ki.wVk = name == key.first ? key.second : inputs[0].ki.wVk;
    if (!inputs[0].ki.wVk)
        Fail("unknown key " + name);
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SetForegroundWindow(gPage);
    SendInput(2, inputs, sizeof(INPUT));
    InputRead();
}

// Left clicks at a point of a window's client area with real mouse input, read
// before this returns. Every event carries the point: the display may still
// move the pointer to where an earlier run left it. The stamps of separate
// calls lie further apart than the double-click time, so only the clicks of
// one call pair up.
void ClickAt(HWND window, POINT point, int clicks)
{
    static DWORD stamp = GetTickCount() - 100000;
    stamp = std::max<DWORD>(GetTickCount(), stamp + GetDoubleClickTime() + 100);
    ClientToScreen(window, &point);
    std::vector<INPUT> inputs(2 * clicks);
    for (size_t i = 0; i < inputs.size(); ++i)
        inputs[i].type = INPUT_MOUSE,
        inputs[i].mi = {MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1),
                        MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1),
                        0,
                        DWORD(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE |
                              (i % 2 ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN)),
                        stamp,
                        0};
    SetForegroundWindow(gPage);
    SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
    InputRead();
}

// A row or a column header of a report list, placed by the list's own
// geometry, asked through messages that carry no pointer: a row is as high as
// the approximate view grows by a row.
void ClickRow(HWND list, int index, bool header)
{
    const int top = int(SendMessageA(list, LVM_GETTOPINDEX, 0, 0));
    RECT bar{}, client;
    GetClientRect(reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0)), &bar);
    GetClientRect(list, &client);
    const int rowHeight = HIWORD(SendMessageA(list, LVM_APPROXIMATEVIEWRECT, 2, -1)) -
                          HIWORD(SendMessageA(list, LVM_APPROXIMATEVIEWRECT, 1, -1));
    POINT point{std::min<LONG>(60, client.right / 2), bar.bottom + (index - top) * rowHeight + rowHeight / 2};
    for (int column = 0; header && column <= index; ++column)
        point = {bar.left + int(SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0)) / 2, bar.bottom / 2},
        bar.left += int(SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0));
    if (!header && (index < top || index >= top + SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0)))
        Fail("row " + std::to_string(index) + " is not in view");
    ClickAt(list, point, 1);
    if (!header && !SendMessageA(list, LVM_GETITEMSTATE, index, LVIS_SELECTED))
        Fail("a click on row " + std::to_string(index) + " did not select it");
}

// The row reading TEXT and its label's place, through memory lent in the setup's process (the
// list-view messages for that carry pointers); -1 when the list shows none.
int FindRow(HWND list, const std::string &text, RECT *r)
{
    char *remote =
        static_cast<char *>(VirtualAllocEx(gSetup.hProcess, nullptr, 1024, MEM_COMMIT, PAGE_READWRITE));
    LVFINDINFOA find = {LVFI_STRING, remote + sizeof find, 0, {}, 0};
    *r = {LVIR_LABEL, 0, 0, 0};
    WriteProcessMemory(gSetup.hProcess, remote, &find, sizeof find, nullptr);
    WriteProcessMemory(gSetup.hProcess, remote + sizeof find, text.c_str(),
                       std::min<size_t>(text.size() + 1, 512), nullptr);
    const int row = int(SendMessageA(list, LVM_FINDITEMA, WPARAM(-1), LPARAM(remote)));
    WriteProcessMemory(gSetup.hProcess, remote, r, sizeof *r, nullptr);
    const bool shown = row >= 0 && SendMessageA(list, LVM_GETITEMRECT, row, LPARAM(remote));
    ReadProcessMemory(gSetup.hProcess, remote, r, sizeof *r, nullptr);
    VirtualFreeEx(gSetup.hProcess, remote, 0, MEM_RELEASE);
    return remote && shown ? row : -1;
}

// A row's column as a screen reader asks for it: the item and its buffer lent in the setup's memory.
std::string ItemText(HWND list, int row, int column)
{
    char text[260] = "";
    LVITEMA item = {};
    const auto remote = LPSTR(VirtualAllocEx(gSetup.hProcess, nullptr, 1024, MEM_COMMIT, PAGE_READWRITE));
    item.iSubItem = column, item.pszText = remote + sizeof item, item.cchTextMax = sizeof text;
    WriteProcessMemory(gSetup.hProcess, remote, &item, sizeof item, nullptr);
    if (remote && SendMessageA(list, LVM_GETITEMTEXTA, row, LPARAM(remote)) > 0)
        ReadProcessMemory(gSetup.hProcess, remote + sizeof item, text, sizeof text - 1, nullptr);
    VirtualFreeEx(gSetup.hProcess, remote, 0, MEM_RELEASE);
    return text;
}

std::string States(HWND list)
{
    std::vector<std::string> names, states;
    for (int row = 0; row < SendMessageA(list, LVM_GETITEMCOUNT, 0, 0); ++row) {
        names.push_back(ItemText(list, row, 0)), states.push_back(ItemText(list, row, 1));
        if (names.back().empty() || std::count(names.begin(), names.end(), names.back()) > 1)
            Fail("row " + std::to_string(row) + " has no name of its own: \"" + names.back() + "\"");
    }
    std::string all;
    for (auto run = states.begin(), end = run; run != states.end(); run = end) {
        end = std::find_if(run, states.end(), [&](const std::string &state) { return state != *run; });
        all += (all.empty() ? "" : "; ") + *run + (end - run > 1 ? "*" + std::to_string(end - run) : "");
    }
    return all;
}

std::vector<std::pair<HWND, LONG>> gAnnounced; // lists and their rows + 1 said to have changed
void CALLBACK OnAnnounced(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    gAnnounced.emplace_back(window, object == OBJID_CLIENT ? child : -1);
}

void DoubleClickRow(HWND list, const std::string &text)
{
    RECT r;
    if (FindRow(list, text, &r) < 0)
        Fail("the list shows no row \"" + text + "\"");
    ClickAt(list, {(r.left + r.right) / 2, (r.top + r.bottom) / 2}, 2);
}

// The box's own list says what it offers; the choice reaches the page as a user's does.
void PickEntry(const char *box, const char *text)
{
    if (SendMessageA(Control(box), CB_SELECTSTRING, WPARAM(-1), LPARAM(text)) == CB_ERR)
        Fail("the box " + std::string(box) + " offers no \"" + text + "\"");
    SendNotifyMessageA(gPage, WM_COMMAND, MAKEWPARAM(Id(box), CBN_SELENDOK), LPARAM(Control(box)));
    Answered(gPage);
}

bool Titled(HWND window, const char *title)
{
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text); // the stored title: a busy program need not answer
    return !strcmp(text, title);
}

// Closes the program showing a window of this title, as its user would, and waits until it has ended.
void CloseProgram(Args a)
{
    HWND window = nullptr;
    const auto shown = [&] { return (window = TopWindow([&](HWND w) { return Titled(w, a[1]); })); };
    Until(a[1], shown, false);
    HANDLE program = OpenProcess(SYNCHRONIZE, FALSE, ProcessOf(window));
    PostMessageA(window, WM_CLOSE, 0, 0);
    const auto ended = [&] { return WaitForSingleObject(program, 0) == WAIT_OBJECT_0; };
    Until(std::string(a[1]) + " to end", ended, false);
    CloseHandle(program);
}

int ProgramsStarted()
{
    const DWORD desktop = ProcessOf(GetDesktopWindow()); // started for the first program showing a window
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (entry.th32ParentProcessID == gSetup.dwProcessId && entry.th32ProcessID != desktop)
            count++, printf("started by the setup: %s\n", entry.szExeFile);
    CloseHandle(snapshot);
    return count;
}

void WatchPage(int pageId, int statusId)
{
    HWND page = nullptr;
    Until("control " + std::to_string(pageId), [&] { return (page = SetupWindowWith(pageId)); });
    const DWORD opened = GetTickCount();
    std::string before = "(page opened)";
    DWORD longest = 0;
    PROCESS_MEMORY_COUNTERS first = {sizeof first, 0, 0, 0, 0, 0, 0, 0, 0, 0}, last = first;
    GetProcessMemoryInfo(gSetup.hProcess, &first, sizeof first);
    while (IsWindowVisible(page)) {
        char text[1024] = "";
        const DWORD asked = GetTickCount();
        const bool answered = SendMessageTimeoutA(GetDlgItem(page, statusId), WM_GETTEXT, sizeof text,
                                                  LPARAM(text), SMTO_NORMAL, 600000, nullptr);
        const DWORD waited = GetTickCount() - asked;
        printf("wait %lu at %lu %s -> %s\n", waited, asked - opened, before.c_str(),
               answered ? text : "(page closed)");
        longest = std::max(longest, waited);
        before = answered ? text : "";
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT); // the sampling period
    }
    GetProcessMemoryInfo(gSetup.hProcess, &last, sizeof last);
    printf("page shown %lu ms, longest wait %lu ms\n", GetTickCount() - opened, longest);
    printf("memory working set %u KB at opening, peak %u KB; private %u KB at opening, peak %u KB\n",
           unsigned(first.WorkingSetSize >> 10), unsigned(last.PeakWorkingSetSize >> 10),
           unsigned(first.PagefileUsage >> 10), unsigned(last.PeakPagefileUsage >> 10));
}

// The program and its folder as the command line spells them, also in letters the code page lacks.
char **gArgv;
std::wstring gProgram, gFolder;
PROCESS_INFORMATION Launch()
{
    std::wstring commandLine = L"\"" + gProgram + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessW(gProgram.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        gFolder.c_str(), &startup, &started))
        Fail("cannot start " + gStep + " (error " + std::to_string(GetLastError()) + ")");
    return started;
}

void Start(Args a)
{
    int count;
    wchar_t **wide = CommandLineToArgvW(GetCommandLineW(), &count) + (a - gArgv);
    gProgram = wide[1], gFolder = wide[2], gSetup = Launch();
    if (strstr(GetCommandLineA(), " announced ")) // the only runs that listen: no other run is disturbed
        SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, OnAnnounced,
                        gSetup.dwProcessId, 0, WINEVENT_OUTOFCONTEXT);
    if (WaitForInputIdle(gSetup.hProcess, kTimeoutMs) == WAIT_TIMEOUT)
        Fail("waited in vain for the program to wait for input");
}

void StartAgain()
{
    HWND ours = CreateWindowA("STATIC", "driver", WS_POPUP | WS_VISIBLE, 0, 0, 64, 64, 0, 0, 0, 0);
    SetForegroundWindow(ours);
    Until(
        "a window of ours at the front", [&] { return GetForegroundWindow() == ours; }, false);
    const PROCESS_INFORMATION second = Launch();
    const auto ended = [&] {
        if (TopWindow([&](HWND window) { return ProcessOf(window) == second.dwProcessId; }))
            Fail("the second start shows a window");
        return WaitForSingleObject(second.hProcess, 0) == WAIT_OBJECT_0;
    };
    DWORD code = 1;
    if (!Within(20000, ended) || !GetExitCodeProcess(second.hProcess, &code) || code != 0)
        Fail("the second start did not end by itself with 0 (" + std::to_string(code) + ")");
    Until("the first's page at the front", [] { return GetForegroundWindow() == gPage; });
    DestroyWindow(ours);
}

void Page(Args a)
{
    Until("a window with control " + std::string(a[1]), [&] {
        return (gPage = SetupWindowWith(Id(a[1]))) || (Id(a[1]) != 0xFFFF && Unexpected("a page"));
    });
    gPageName = a[1];
    Answered(gPage); // done with setting itself up
}

std::string Focus()
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(gSetup.dwThreadId, &info);
    return std::to_string(info.hwndFocus ? GetDlgCtrlID(info.hwndFocus) : -1);
}

void Backdrop(Args a)
{
    std::string fault;
    if (!Within(30000, [&] { return (fault = BackdropFault(strtoul(a[1], nullptr, 16))).empty(); }))
        Fail(fault);
}

// The page's picture fills it: the bottom-right pixel of its client area, on
// the screen, is not the bare dialog colour.
void Picture()
{
    Until("the page to paint", [] { return Answered(gPage), !GetUpdateRect(gPage, nullptr, FALSE); });
    RECT client;
    if (!GetClientRect(gPage, &client))
        Fail("the page closed before its picture was seen");
    POINT corner{client.right - 1, client.bottom - 1};
    ClientToScreen(gPage, &corner);
    const DWORD bare = GetSysColor(COLOR_3DFACE), shown = Capture().at(corner.x, corner.y);
    if (shown == DWORD(GetRValue(bare) << 16 | GetGValue(bare) << 8 | GetBValue(bare)))
        Fail("the page's picture does not reach its corner " + std::to_string(corner.x) + "," +
             std::to_string(corner.y));
}

// What grows with the screen's dots per inch, on the screen: a list row, the
// header over it (the height of the list's text), the second row's picture
// (the column just inside its first pixel unlike the list's background) and
// the backdrop's title left of and above the page. At 96 dots per inch the
// figures are written to FILE, at others each is held against those.
void Figures(Args a)
{
    Until("the page to paint", [] { return Answered(gPage), !GetUpdateRect(gPage, nullptr, FALSE); });
    HWND list = Control(a[1]);
    RECT bar{}, client, page;
    GetClientRect(reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0)), &bar);
    GetClientRect(list, &client);
    GetWindowRect(gPage, &page);
    const int row = HIWORD(SendMessageA(list, LVM_APPROXIMATEVIEWRECT, 2, -1)) -
                    HIWORD(SendMessageA(list, LVM_APPROXIMATEVIEWRECT, 1, -1));
    POINT at{0, bar.bottom + row};
    ClientToScreen(list, &at);
    const Screen screen = Capture();
    const DWORD back = screen.at(at.x + client.right - 2, at.y + row / 2);
    int x = at.x, top[2] = {screen.height, screen.height}, bottom[2] = {-1, -1};
    while (x < at.x + client.right && screen.at(x, at.y + row / 2) == back)
        ++x;
    for (int y = at.y; y < at.y + row; ++y)
        if (screen.at(x + 2, y) != back)
            top[1] = std::min(top[1], y), bottom[1] = y;
    for (int y = 0; y < page.top; ++y)
        for (int i = 0; i < page.left; ++i)
            if (screen.at(i, y) == 0x40A0FF)
                top[0] = std::min(top[0], y), bottom[0] = y;
    const double now[] = {double(row), double(bar.bottom), double(bottom[1] - top[1] + 1),
                          double(bottom[0] - top[0] + 1)};
    const char *names[] = {"a list row", "the list header", "a row's picture", "the title"};
    HDC dc = GetDC(nullptr);
    const double ratio = GetDeviceCaps(dc, LOGPIXELSY) / 96.0;
    ReleaseDC(nullptr, dc);
    double base[4] = {};
    FILE *file = fopen(a[2], ratio == 1 ? "w" : "r");
    std::string wrong, seen;
    for (int i = 0; i < 4; ++i) {
        if (!file || (ratio == 1 ? fprintf(file, "%g\n", now[i]) < 0 : fscanf(file, "%lf", &base[i]) != 1))
            Fail(std::string("cannot use ") + a[2] + ", the figures at 96 dots per inch");
        seen += std::string(names[i]) + " " + std::to_string(int(now[i])) + " high; ";
        // Fonts round to whole pixels: a tenth less than the ratio is still grown.
        if (ratio != 1 && i != 1 && now[i] < base[i] * ratio * 0.9)
            wrong += std::string(names[i]) + " is no higher than at 96 dots per inch (" +
                     std::to_string(int(base[i])) + "); ";
    }
    fclose(file);
    printf("figures at %d dots per inch: %s\n", int(ratio * 96), seen.c_str());
    if (ratio != 1 && now[0] / now[1] < base[0] / base[1] * 0.9)
        wrong += "a list row has less room for its text than at 96 dots per inch (row to header)";
    if (!wrong.empty())
        Fail(wrong);
}

// From the step freeze TEXT on, the setup's thread is held where a window of it
// is sent TEXT (freeze_hook.c), before it paints anything after, until let go.
HANDLE gReached, gThaw;
void Freeze(std::string text)
{
    std::replace(text.begin(), text.end(), '\\', '/'); // a \ would name a namespace
    gReached = CreateEventA(nullptr, FALSE, FALSE, ("dunvo-freeze:" + text).c_str());
    if (gThaw)
        return;
    gThaw = CreateEventA(nullptr, FALSE, FALSE, "dunvo-thaw");
    HMODULE dll = LoadLibraryA("freeze_hook.dll");
    const auto hook =
        reinterpret_cast<HOOKPROC>(reinterpret_cast<void *>(GetProcAddress(dll, "FreezeAtText")));
    if (!hook || !SetWindowsHookExA(WH_CALLWNDPROC, hook, dll, gSetup.dwThreadId))
        Fail("cannot hook the setup's thread");
}

// The screen while the setup is held at the last text frozen; not held there again.
Screen Held()
{
    Until("the setup to be held", [] { return WaitForSingleObject(gReached, 0) == WAIT_OBJECT_0; });
    const Screen held = Capture();
    CloseHandle(gReached);
    return held;
}

// Held there, the page of STATUS must show all but STATUS (about to change) as
// it does when held again at LATER, by when it has long painted, and BAR as one
// solid rectangle.
void Frozen(Args a)
{
    const Screen first = Held();
    HWND page = SetupWindowWith(Id(a[1]));
    RECT all, status, bar, screen{0, 0, first.width, first.height};
    if (!GetWindowRect(page, &all) || !GetWindowRect(GetDlgItem(page, Id(a[1])), &status) ||
        !GetWindowRect(GetDlgItem(page, Id(a[2])), &bar) || !IntersectRect(&all, &all, &screen))
        Fail("the setup was held with no page of control " + std::string(a[1]));
    Freeze(a[4]);
    SetEvent(gThaw);
    const Screen later = Held();
    SetEvent(gThaw);
    int unlike = 0;
    for (int y = all.top; y < all.bottom; ++y)
        for (int x = all.left; x < all.right; ++x)
            unlike += PtInRect(&bar, {x, y})      ? first.at(x, y) != first.at(bar.left, bar.top)
                      : PtInRect(&status, {x, y}) ? 0
                                                  : first.at(x, y) != later.at(x, y);
    WriteBitmap(a[3], unlike ? first : later);
    if (unlike)
        Fail("the page was not painted before this text: " + std::to_string(unlike) + " pixels unlike");
}

void Exit(Args a)
{
    Until(
        "the setup to end", [] { return SetupEnded() || Unexpected("the end"); }, false);
    DWORD code = 0;
    GetExitCodeProcess(gSetup.hProcess, &code);
    Expect("the exit code", std::to_string(code), a[1]);
}

// A file held as a scanner holds it, let go once the setup has shown it has tried it.
HANDLE gHeld = INVALID_HANDLE_VALUE;
void LetGo(Args a)
{
    Until("control " + std::string(a[1]) + " to read \"" + a[2] + "\"", [&] {
        HWND window = SetupWindowWith(Id(a[1]));
        return !Unexpected("the held file to be reached") && window &&
               Matches(TextOf(GetDlgItem(window, Id(a[1]))), a[2]);
    });
    CloseHandle(gHeld);
}

// One step a line.
// clang-format off
const struct {
    const char *name;
    int arguments;
    void (*run)(Args);
} kSteps[] = {
    {"cover", 1, [](Args a) { Cover(strtoul(a[1], nullptr, 16)); }},
    {"start", 2, Start},
    {"again", 0, [](Args) { StartAgain(); }},
    {"page", 1, Page},
    // Destroyed, not just hidden: an ended dialog's loop goes on, hidden, until it takes its next
    // message, and answers for the page meanwhile, whose handler then overwrites what came between.
    {"gone", 1, [](Args a) { Until("control " + std::string(a[1]) + " to go", [&] { return !SetupWindowWith(Id(a[1]), true); }); }},
    {"click", 1, [](Args a) { SendNotifyMessageA(Control(a[1]), BM_CLICK, 0, 0), Answered(gPage); }},
    {"type", 2, [](Args a) { SendMessageA(Control(a[1]), WM_SETTEXT, 0, LPARAM(Escape(a[2], true).c_str())); }},
    {"text", 2, [](Args a) { ExpectState("control " + std::string(a[1]), [&] { return TextOf(Control(a[1])); }, a[2]); }},
    {"pick", 2, [](Args a) { PickEntry(a[1], a[2]); }},
    {"checked", 2, [](Args a) { ExpectState(std::string("check box ") + a[1], [&] { return std::to_string(SendMessageA(Control(a[1]), BM_GETCHECK, 0, 0)); }, a[2]); }},
    {"focus", 1, [](Args a) { ExpectState("the control with the focus", [&] { return Control(a[1]), Focus(); }, std::to_string(Id(a[1]))); }},
    {"key", 1, [](Args a) { PressKey(a[1]); }},
    {"row", 2, [](Args a) { ClickRow(Control(a[1]), atoi(a[2]), false); }},
    {"column", 2, [](Args a) { ClickRow(Control(a[1]), atoi(a[2]), true); }},
    {"dblrow", 2, [](Args a) { DoubleClickRow(Control(a[1]), a[2]); }},
    {"norow", 2, [](Args a) { RECT r; if (FindRow(Control(a[1]), a[2], &r) >= 0) Fail("the list shows a row \"" + std::string(a[2]) + "\""); }},
    {"item", 3, [](Args a) { ExpectState("row " + std::string(a[2]) + " of list " + a[1], [&] { return ItemText(Control(a[1]), atoi(a[2]), 0) + ": " + ItemText(Control(a[1]), atoi(a[2]), 1); }, a[3]); }},
    {"states", 2, [](Args a) { ExpectState("the states of list " + std::string(a[1]), [&] { return States(Control(a[1])); }, a[2]); }},
    {"announced", 2, [](Args a) { Until(std::string("row ") + a[2] + " to be announced as changed", [&] { return std::count(gAnnounced.begin(), gAnnounced.end(), std::make_pair(Control(a[1]), LONG(atoi(a[2]) + 1))); }), gAnnounced.clear(); }},
    {"msgbox", 4, AnswerMessageBox},
    {"window", 1, [](Args a) { Until(a[1], [&] { return TopWindow([&](HWND w) { return Titled(w, a[1]); }); }, false); }},
    {"close", 1, CloseProgram},
    {"hold", 1, [](Args a) { if ((gHeld = CreateFileA(a[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) == INVALID_HANDLE_VALUE) Fail("cannot hold the file"); }},
    {"letgo", 2, LetGo},
    {"started", 1, [](Args a) { Expect("the count of programs the setup started", std::to_string(ProgramsStarted()), a[1]); }},
    {"shot", 1, [](Args a) { SaveShot(a[1]); }},
    {"backdrop", 1, Backdrop},
    {"picture", 0, [](Args) { Picture(); }},
    {"figures", 2, Figures},
    {"freeze", 1, [](Args a) { Freeze(a[1]); }},
    {"frozen", 4, Frozen},
    {"exit", 1, Exit},
    {"kill", 0, [](Args) { TerminateProcess(gSetup.hProcess, 0), WaitForSingleObject(gSetup.hProcess, INFINITE); }},
    {"watch", 2, [](Args a) { WatchPage(Id(a[1]), Id(a[2])); }},
};
// clang-format on

} // namespace

int main(int argc, char **argv)
{
    gArgv = argv;
    for (int i = 1; i < argc;) {
        const auto *step = std::find_if(std::begin(kSteps), std::end(kSteps),
                                        [&](const auto &known) { return !strcmp(known.name, argv[i]); });
        if (step == std::end(kSteps) || i + step->arguments >= argc)
            Fail("unknown step, or too few arguments: " + std::string(argv[i]));
        gStep = std::accumulate(argv + i + 1, argv + i + 1 + step->arguments, std::string(argv[i]),
                                [](const std::string &all, const char *arg) { return all + " " + arg; });
        step->run(argv + i);
        fflush(stdout);
        i += 1 + step->arguments;
    }
    return 0;
}
