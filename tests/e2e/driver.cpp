// End-to-end driver: runs SetupD.exe as a user would and acts on what it shows.
// Each argument is one step, done in order. The first step that fails prints
// "FAIL: ...", saves the screen to DUNVO_FAILURE_SHOT (when set), ends the
// setup and exits with 1. Every wait is for a condition, with a generous timeout.
//
//   cover RRGGBB           cover the screen with one colour (before start)
//   start EXE DIR          start EXE with DIR as its current directory
//   page ID                wait for a window of the setup holding control ID; it is the current page
//   gone ID                wait until no window of the setup holds control ID
//   click ID               press button ID, then wait until the setup has taken the press
//   type ID TEXT           set the text of control ID
//   text ID TEXT           expect control ID to read TEXT
//   checked ID 0|1         expect check box ID to be clear or checked
//   focus ID               expect control ID to have the keyboard focus
//   key NAME               press a key (enter, escape, tab, space, up, down), wait until it is read
//   row ID INDEX           click row INDEX of report list ID with the mouse, wait until it is read
//   column ID INDEX        the same for the header of column INDEX
//   dblrow ID TEXT         double-click the row reading TEXT of list ID
//   msgbox TEXT CAPTION ICON ANSWER
//                          wait for a message box; expect its text, caption (- for the system's
//                          "Error") and icon (info, warning, error, question, none, offscreen);
//                          answer ok, yes or no
//   window TITLE           wait for a visible top-level window TITLE of any program
//   started N              expect N programs started by the setup to be running (a folder it
//                          opened is one: its process is there before the setup ends)
//   reg KEY NAME VALUE     expect HKLM\KEY value NAME (- the default one) to be VALUE: sz:TEXT
//                          (stored with its terminator), dword:N, or missing; NAME * is the key
//   shot FILE.bmp [ID TEXT] save the screen once it is still; with ID TEXT only if control ID
//                          shows TEXT before it shows anything else (a moment that may pass
//                          before it can be caught: then a note, not a failure)
//   backdrop RRGGBB        wait until the screen shows the dimmed backdrop over that colour
//   exit CODE              wait for the setup to end with CODE
//   kill                   end the setup (a run that stops part-way)
//   watch ID STATUS        wait for the window with control ID, then until it is gone ask its
//                          control STATUS for its text over and over; print each wait for an
//                          answer and the setup's peak memory (for the benchmark)
// In texts, \n stands for a line break.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{

PROCESS_INFORMATION gSetup = {};
HWND gPage = nullptr;
const double kTimeout = 120; // seconds: a loaded machine may be slow, never this slow

void SaveShot(const std::string &path);

[[noreturn]] void Fail(const std::string &what)
{
    printf("FAIL: %s\n", what.c_str());
    fflush(stdout);
    static bool failing = false;
    char shot[MAX_PATH];
    if (!failing && GetEnvironmentVariableA("DUNVO_FAILURE_SHOT", shot, sizeof shot) - 1u < sizeof shot - 1) {
        failing = true; // the shot itself may fail
        SaveShot(shot);
    }
    if (gSetup.hProcess)
        TerminateProcess(gSetup.hProcess, 99);
    ExitProcess(1);
}

// Lets COND be looked at again after a short while, answering our own window's messages meanwhile.
void PollPause()
{
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

template <class Condition> bool Within(double seconds, Condition cond)
{
    for (DWORD start = GetTickCount(); !cond(); PollPause())
        if (GetTickCount() - start > seconds * 1000)
            return false;
    return true;
}

bool SetupEnded() { return WaitForSingleObject(gSetup.hProcess, 0) == WAIT_OBJECT_0; }

// A wait for something the setup shows also ends when the setup does.
template <class Condition> void Until(const std::string &what, Condition cond, bool fromSetup = true)
{
    bool ended = false;
    if (!Within(kTimeout, [&] { return cond() || (ended = fromSetup && SetupEnded()); }) || ended) {
        DWORD code = 0;
        GetExitCodeProcess(gSetup.hProcess, &code);
        Fail("waited in vain for " + what + (ended ? "; the setup ended with " + std::to_string(code) : ""));
    }
}

std::string Unescape(const std::string &text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool lineBreak = text.compare(i, 2, "\\n") == 0;
        out += lineBreak ? '\n' : text[i];
        i += lineBreak;
    }
    return out;
}

std::string Escape(const std::string &text)
{
    std::string out;
    for (char c : text)
        if (c != '\r')
            out += c == '\n' ? std::string("\\n") : std::string(1, c);
    return out;
}

// Line breaks count alike written \n, LF or CR LF; a path holding "\n" is taken as written.
bool SameText(const std::string &shown, const std::string &expected)
{
    return Escape(shown) == Escape(expected) || Escape(shown) == Escape(Unescape(expected));
}

std::string TextOf(HWND window)
{
    char text[8192] = "";
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                        static_cast<UINT>(kTimeout * 1000), nullptr);
    return text;
}

// The first top-level window, front to back, that MATCH accepts.
template <class Match> HWND TopWindow(Match match)
{
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT))
        if (IsWindowVisible(window) && match(window))
            return window;
    return nullptr;
}

bool OfSetup(HWND window)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process == gSetup.dwProcessId;
}

HWND SetupWindowWith(int controlId)
{
    return TopWindow([&](HWND window) { return OfSetup(window) && GetDlgItem(window, controlId); });
}

HWND Control(int id)
{
    HWND control = gPage ? GetDlgItem(gPage, id) : nullptr;
    if (!control)
        Fail("the current page has no control " + std::to_string(id));
    return control;
}

// Returns once the setup's thread has handled every message sent to it so far:
// it is done with them, or waiting in a box or page they opened.
void Answered(HWND window)
{
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(kTimeout * 1000), nullptr);
}

// Input reaches the setup through its queue behind any message we send, so an
// answer cannot tell when it was read. A repaint can: a thread is handed a
// paint only once its input is all read.
void InputRead()
{
    HWND page = gPage;
    RECT corner{0, 0, 1, 1};
    RedrawWindow(page, &corner, nullptr, RDW_INVALIDATE);
    Until("the setup to read its input", [&] { return !IsWindow(page) || !GetUpdateRect(page, nullptr, FALSE); });
}

COLORREF ParseColour(const std::string &hex)
{
    unsigned long v = strtoul(hex.c_str(), nullptr, 16);
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

struct Screen {
    int width = 0, height = 0;
    std::vector<DWORD> pixels; // top-down, 0x00RRGGBB
    COLORREF at(int x, int y) const
    {
        DWORD p = pixels[static_cast<size_t>(y) * width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
};

Screen Capture()
{
    Screen screen;
    screen.width = GetSystemMetrics(SM_CXSCREEN);
    screen.height = GetSystemMetrics(SM_CYSCREEN);
    HDC screenDc = GetDC(nullptr);
    HDC memoryDc = CreateCompatibleDC(screenDc);
    HBITMAP bitmap = CreateCompatibleBitmap(screenDc, screen.width, screen.height);
    HGDIOBJ old = SelectObject(memoryDc, bitmap);
    BitBlt(memoryDc, 0, 0, screen.width, screen.height, screenDc, 0, 0, SRCCOPY);
    SelectObject(memoryDc, old);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = screen.width;
    info.bmiHeader.biHeight = -screen.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    screen.pixels.resize(static_cast<size_t>(screen.width) * screen.height);
    GetDIBits(memoryDc, bitmap, 0, screen.height, screen.pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memoryDc);
    ReleaseDC(nullptr, screenDc);
    return screen;
}

// The screen once the setup has answered and nothing on it changed across that answer.
Screen StillScreen()
{
    Screen last = Capture(), now;
    const bool still = Within(30, [&] {
        if (gPage && IsWindow(gPage))
            Answered(gPage);
        now = Capture();
        std::swap(now, last);
        return now.pixels == last.pixels;
    });
    if (!still)
        printf("note: the screen kept changing; shot as it was\n");
    return last;
}

void WriteBitmap(const std::string &path, const Screen &screen)
{
    const DWORD row = ((screen.width * 24 + 31) / 32) * 4;
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = screen.width;
    header.biHeight = screen.height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biSizeImage = row * screen.height;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;
    FILE *out = fopen(path.c_str(), "wb");
    if (!out)
        Fail("cannot write screenshot " + path);
    fwrite(&file, sizeof file, 1, out);
    fwrite(&header, sizeof header, 1, out);
    std::vector<BYTE> line(row, 0);
    for (int y = screen.height - 1; y >= 0; --y) {
        for (int x = 0; x < screen.width; ++x) {
            const COLORREF c = screen.at(x, y);
            line[3 * x] = GetBValue(c), line[3 * x + 1] = GetGValue(c), line[3 * x + 2] = GetRValue(c);
        }
        fwrite(line.data(), 1, row, out);
    }
    fclose(out);
}

void SaveShot(const std::string &path) { WriteBitmap(path, StillScreen()); }

// A screenshot of a moment that may pass unseen: the control's first text
// after this step starts decides.
void ShotOfMoment(const std::string &path, int controlId, const std::string &text)
{
    HWND window = nullptr;
    std::string shown;
    Within(kTimeout, [&] {
        window = SetupWindowWith(controlId);
        shown = window ? TextOf(GetDlgItem(window, controlId)) : "";
        return SetupEnded() || !shown.empty();
    });
    if (shown.find(text) == std::string::npos) {
        printf("note: missed \"%s\" (control %d read \"%s\"); no shot %s\n", text.c_str(), controlId,
               Escape(shown).c_str(), path.c_str());
        return;
    }
    WriteBitmap(path, Capture());
    printf("shot of \"%s\" taken\n", text.c_str());
}

LRESULT CALLBACK CoverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

void Cover(COLORREF colour)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = CoverProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = CreateSolidBrush(colour);
    windowClass.lpszClassName = "DriverCover";
    RegisterClassA(&windowClass);
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    CreateWindowExA(0, "DriverCover", "cover", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr,
                    windowClass.hInstance, nullptr);
    Until(
        "the cover to show",
        [&] {
            const Screen screen = Capture();
            return screen.at(0, 0) == colour && screen.at(width - 1, height - 1) == colour;
        },
        false);
}

// The backdrop over a screen of one colour: outside the title band and the
// setup's windows, exactly the pixels whose column plus row counted from the
// bottom is even are black, the others keep the colour; the title is drawn
// undimmed in RGB(64,160,255). Returns what is wrong, or nothing.
std::string BackdropFault(COLORREF colour)
{
    const Screen screen = Capture();
    std::vector<RECT> skip{{0, 0, screen.width, 110}};
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        RECT r;
        if (OfSetup(w) && IsWindowVisible(w) && GetWindowRect(w, &r) && r.right - r.left < screen.width)
            skip.push_back(r);
    }
    for (int y = 0; y < screen.height; ++y)
        for (int x = 0; x < screen.width; ++x) {
            const POINT p{x, y};
            if (std::any_of(skip.begin(), skip.end(), [&](const RECT &r) { return PtInRect(&r, p); }))
                continue;
            const COLORREF expected = (x + screen.height - 1 - y) % 2 == 0 ? RGB(0, 0, 0) : colour;
            if (screen.at(x, y) != expected) {
                char what[120];
                snprintf(what, sizeof what, "backdrop pixel %d,%d is %06lx, expected %06lx", x, y,
                         static_cast<unsigned long>(screen.at(x, y)), static_cast<unsigned long>(expected));
                return what;
            }
        }
    long title = 0;
    for (int y = 0; y < 110 && y < screen.height; ++y)
        for (int x = 0; x < screen.width / 2; ++x)
            title += screen.at(x, y) == RGB(64, 160, 255);
    return title < 300 ? "the title is missing from the backdrop" : "";
}

// Which standard icon a message box shows: the icon control's pixels against
// each system icon drawn over the same background.
std::string IconOf(HWND box)
{
    HWND icon = nullptr;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        // Wine keeps the icon control of a box without an icon, visible but empty.
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && IsWindowVisible(child) &&
            SendMessageA(child, STM_GETICON, 0, 0))
            icon = child;
    if (!icon)
        return "none";
    RECT r;
    GetWindowRect(icon, &r);
    const int size = GetSystemMetrics(SM_CXICON);
    const Screen screen = Capture();
    if (r.left < 0 || r.top < 0 || r.left + size > screen.width || r.top + size > screen.height)
        return "offscreen";
    const std::pair<const char *, LPCSTR> kinds[] = {
        {"info", IDI_INFORMATION}, {"warning", IDI_WARNING}, {"error", IDI_ERROR}, {"question", IDI_QUESTION}};
    HDC screenDc = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screenDc);
    HBITMAP bitmap = CreateCompatibleBitmap(screenDc, size, size);
    HGDIOBJ old = SelectObject(dc, bitmap);
    HBRUSH background = CreateSolidBrush(GetSysColor(COLOR_3DFACE));
    std::string result = "unknown"; // not painted yet, or another picture
    for (const auto &kind : kinds) {
        RECT all{0, 0, size, size};
        FillRect(dc, &all, background);
        DrawIcon(dc, 0, 0, LoadIconA(nullptr, kind.second));
        bool same = true;
        for (int y = 0; y < size && same; ++y)
            for (int x = 0; x < size && same; ++x)
                same = (GetPixel(dc, x, y) & 0xFFFFFF) == screen.at(r.left + x, r.top + y);
        if (same)
            result = kind.first;
    }
    DeleteObject(background);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screenDc);
    return result;
}

void AnswerMessageBox(const std::string &text, const std::string &caption, const std::string &icon,
                      const std::string &answer)
{
    HWND box = nullptr;
    Until("a message box saying \"" + text + "\"", [&] { return (box = SetupWindowWith(0xFFFF)) != nullptr; });
    const std::string shown = TextOf(GetDlgItem(box, 0xFFFF)), title = TextOf(box);
    printf("message box: [%s] \"%s\"\n", title.c_str(), Escape(shown).c_str());
    if (!SameText(shown, text))
        Fail("message box text \"" + Escape(shown) + "\", expected \"" + text + "\"");
    const std::string expectedCaption = caption == "-" ? "Error" : caption;
    if (title != expectedCaption)
        Fail("message box caption \"" + title + "\", expected \"" + expectedCaption + "\"");
    std::string seen;
    Within(30, [&] { return (seen = IconOf(box)) != "unknown"; }); // painted once the box is idle
    if (seen != icon)
        Fail("message box icon " + seen + ", expected " + icon);
    const int id = answer == "yes" ? IDYES : answer == "no" ? IDNO : IDOK;
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
    Until("the message box to close", [&] { return !IsWindow(box); });
}

WORD KeyCode(const std::string &name)
{
    const std::pair<const char *, WORD> keys[] = {{"enter", VK_RETURN}, {"escape", VK_ESCAPE}, {"tab", VK_TAB},
                                                  {"space", VK_SPACE},  {"up", VK_UP},         {"down", VK_DOWN}};
    for (const auto &key : keys)
        if (name == key.first)
            return key.second;
    Fail("unknown key " + name);
}

void PressKey(WORD key)
{
    SetForegroundWindow(gPage);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = key;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
    InputRead();
}

// Left clicks at a point of the screen with real mouse input, read before this
// returns. Every event carries the point: the display may still move the
// pointer to where an earlier run left it. The stamps of separate clicks lie
// further apart than the double-click time, so they never pair up; the clicks
// of one call pair up.
void ClickAt(POINT point, int clicks)
{
    static DWORD lastStamp = GetTickCount() - 100000;
    const DWORD stamp = std::max<DWORD>(GetTickCount(), lastStamp + GetDoubleClickTime() + 100);
    lastStamp = stamp;
    SetForegroundWindow(gPage);
    std::vector<INPUT> inputs(2 * clicks);
    for (size_t i = 0; i < inputs.size(); ++i) {
        inputs[i].type = INPUT_MOUSE;
        inputs[i].mi.time = stamp;
        inputs[i].mi.dx = MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        inputs[i].mi.dy = MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
        inputs[i].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | (i % 2 ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    InputRead();
}

// Rows of a report list by its own geometry, asked through messages that carry
// no pointer: the header's height, and the height of one row (the approximate
// view of n rows grows by one row per row).
POINT RowPoint(HWND list, int index)
{
    const int top = static_cast<int>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0));
    if (index < top || index >= top + SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0))
        Fail("row " + std::to_string(index) + " is not in view");
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    RECT r{}, client;
    if (header && IsWindowVisible(header))
        GetWindowRect(header, &r);
    const LPARAM current = MAKELPARAM(-1, -1);
    const int rowHeight = HIWORD(SendMessageA(list, LVM_APPROXIMATEVIEWRECT, 2, current)) -
                          HIWORD(SendMessageA(list, LVM_APPROXIMATEVIEWRECT, 1, current));
    GetClientRect(list, &client);
    POINT point{std::min<LONG>(60, client.right / 2), (r.bottom - r.top) + (index - top) * rowHeight + rowHeight / 2};
    ClientToScreen(list, &point);
    return point;
}

// The list selects the row a click lands on.
void ClickRow(HWND list, int index)
{
    ClickAt(RowPoint(list, index), 1);
    if (!SendMessageA(list, LVM_GETITEMSTATE, index, LVIS_SELECTED))
        Fail("a click on row " + std::to_string(index) + " did not select it");
}

void ClickColumn(HWND list, int index)
{
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    RECT r;
    if (!header || !IsWindowVisible(header) || !GetWindowRect(header, &r))
        Fail("the list shows no column headers");
    int left = 0;
    for (int column = 0; column < index; ++column)
        left += static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0));
    ClickAt({r.left + left + static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, index, 0)) / 2,
             (r.top + r.bottom) / 2},
            1);
}

// The row reading TEXT, found and measured through memory lent in the setup's
// process (the list-view messages for that carry pointers).
void DoubleClickRow(HWND list, const std::string &text)
{
    char *remote = static_cast<char *>(
        VirtualAllocEx(gSetup.hProcess, nullptr, sizeof(LVFINDINFOA) + 512, MEM_COMMIT, PAGE_READWRITE));
    if (!remote)
        Fail("cannot reach the setup's memory");
    LVFINDINFOA find = {};
    find.flags = LVFI_STRING;
    find.psz = remote + sizeof find;
    WriteProcessMemory(gSetup.hProcess, remote, &find, sizeof find, nullptr);
    WriteProcessMemory(gSetup.hProcess, remote + sizeof find, text.c_str(), std::min<size_t>(text.size() + 1, 512), nullptr);
    const int row = static_cast<int>(SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(-1),
                                                  reinterpret_cast<LPARAM>(remote)));
    RECT r{LVIR_LABEL, 0, 0, 0};
    WriteProcessMemory(gSetup.hProcess, remote, &r, sizeof r, nullptr);
    const bool shown = row >= 0 && SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(gSetup.hProcess, remote, &r, sizeof r, nullptr);
    VirtualFreeEx(gSetup.hProcess, remote, 0, MEM_RELEASE);
    if (!shown)
        Fail("the list shows no row \"" + text + "\"");
    POINT point{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(list, &point);
    ClickAt(point, 2);
}

HWND TitledWindow(const std::string &title)
{
    return TopWindow([&](HWND window) {
        char text[512] = "";
        GetWindowTextA(window, text, sizeof text); // the stored title: a busy program need not answer
        return title == text;
    });
}

int ProgramsStarted()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    DWORD desktop = 0; // Wine starts the desktop's process for the first program that shows a window
    GetWindowThreadProcessId(GetDesktopWindow(), &desktop);
    int count = 0;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (entry.th32ParentProcessID == gSetup.dwProcessId && entry.th32ProcessID != desktop) {
            printf("started by the setup: %s\n", entry.szExeFile);
            ++count;
        }
    CloseHandle(snapshot);
    return count;
}

void CheckRegistry(const std::string &keyPath, const std::string &name, const std::string &expected)
{
    HKEY key;
    const bool keyThere = RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
    char bytes[4096];
    DWORD type = REG_NONE, size = sizeof bytes;
    const bool valueThere =
        keyThere && (name == "*" || RegQueryValueExA(key, name == "-" ? nullptr : name.c_str(), nullptr, &type,
                                                     reinterpret_cast<BYTE *>(bytes), &size) == ERROR_SUCCESS);
    if (keyThere)
        RegCloseKey(key);
    std::string found = "missing";
    if (valueThere && type == REG_SZ)
        found = "sz:" + std::string(bytes, size); // with its terminator, if it has one
    else if (valueThere && type == REG_DWORD && size == 4)
        found = "dword:" + std::to_string(*reinterpret_cast<DWORD *>(bytes));
    else if (valueThere)
        found = name == "*" ? "present" : "type " + std::to_string(type);
    printf("registry %s : %s = %s\n", keyPath.c_str(), name.c_str(), Escape(found).c_str());
    const std::string wanted = expected.compare(0, 3, "sz:") == 0 ? expected + '\0' : expected;
    if (found != wanted)
        Fail("registry " + keyPath + " : " + name + " is " + Escape(found) + ", expected " + expected +
             (wanted.size() > expected.size() ? " with its terminator" : ""));
}

// For the benchmark: how long the page leaves a request for its status text
// unanswered, asked every 50 ms while it is shown, and the setup's peak memory.
void WatchPage(int pageControl, int statusControl)
{
    HWND page = nullptr;
    Until("control " + std::to_string(pageControl), [&] { return (page = SetupWindowWith(pageControl)); });
    const DWORD opened = GetTickCount();
    HWND status = GetDlgItem(page, statusControl);
    std::string before = "(page opened)";
    DWORD longest = 0;
    while (IsWindow(page) && IsWindowVisible(page)) {
        char text[1024] = "";
        const DWORD asked = GetTickCount();
        const bool answered = SendMessageTimeoutA(status, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                                                  SMTO_NORMAL, 600000, nullptr) != 0;
        const DWORD waited = GetTickCount() - asked;
        const std::string after = answered ? text : "(page closed)";
        printf("wait %lu at %lu %s -> %s\n", waited, asked - opened, before.c_str(), after.c_str());
        longest = std::max(longest, waited);
        before = after;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT); // the sampling period, not a wait for a state
    }
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(gSetup.hProcess, &counters, sizeof counters);
    printf("page shown %lu ms, longest wait %lu ms\n", GetTickCount() - opened, longest);
    printf("memory peak working set %lu KB, peak private %lu KB\n",
           static_cast<unsigned long>(counters.PeakWorkingSetSize / 1024),
           static_cast<unsigned long>(counters.PeakPagefileUsage / 1024));
    gPage = nullptr;
}

void WaitForExit(DWORD expected)
{
    Until("the setup to end", SetupEnded, false);
    DWORD code = 0;
    GetExitCodeProcess(gSetup.hProcess, &code);
    printf("ended with exit code %lu\n", code);
    if (code != expected)
        Fail("the setup ended with " + std::to_string(code) + ", expected " + std::to_string(expected));
}

} // namespace

int main(int argc, char **argv)
{
    const std::pair<std::string, int> kArgumentCounts[] = {
        {"cover", 1}, {"start", 2},  {"page", 1},   {"gone", 1},   {"click", 1},  {"type", 2},   {"text", 2},
        {"checked", 2}, {"focus", 1}, {"key", 1},  {"row", 2},    {"column", 2}, {"dblrow", 2}, {"msgbox", 4},
        {"window", 1}, {"started", 1}, {"reg", 3},   {"shot", 1},  {"backdrop", 1}, {"exit", 1}, {"kill", 0},   {"watch", 2}};
    for (int i = 1; i < argc;) {
        const std::string step = argv[i];
        int count = -1;
        for (const auto &known : kArgumentCounts)
            count = known.first == step ? known.second : count;
        if (count < 0)
            Fail("unknown step " + step);
        const bool shotOfMoment = step == "shot" && i + 3 < argc && isdigit(static_cast<unsigned char>(argv[i + 2][0]));
        count += shotOfMoment ? 2 : 0;
        if (i + count >= argc)
            Fail("step " + step + " needs " + std::to_string(count) + " arguments");
        auto arg = [&](int k) { return std::string(argv[i + k]); };
        auto id = [&](int k) { return atoi(argv[i + k]); };
        if (step == "cover") {
            Cover(ParseColour(arg(1)));
        } else if (step == "start") {
            std::string commandLine = "\"" + arg(1) + "\"";
            STARTUPINFOA startup = {};
            startup.cb = sizeof startup;
            if (!CreateProcessA(arg(1).c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, arg(2).c_str(),
                                &startup, &gSetup))
                Fail("cannot start " + arg(1) + " (error " + std::to_string(GetLastError()) + ")");
            WaitForInputIdle(gSetup.hProcess, static_cast<DWORD>(kTimeout * 1000));
        } else if (step == "page") {
            Until("a window with control " + arg(1), [&] { return (gPage = SetupWindowWith(id(1))) != nullptr; });
            Answered(gPage); // done with setting itself up
        } else if (step == "gone") {
            Until("control " + arg(1) + " to go", [&] { return !SetupWindowWith(id(1)); });
            gPage = nullptr;
        } else if (step == "click") {
            SendNotifyMessageA(Control(id(1)), BM_CLICK, 0, 0);
            Answered(gPage);
        } else if (step == "type") {
            SendMessageA(Control(id(1)), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Unescape(arg(2)).c_str()));
        } else if (step == "text") {
            const std::string shown = TextOf(Control(id(1)));
            if (!SameText(shown, arg(2)))
                Fail("control " + arg(1) + " reads \"" + Escape(shown) + "\", expected \"" + Escape(arg(2)) + "\"");
        } else if (step == "checked") {
            const LRESULT state = SendMessageA(Control(id(1)), BM_GETCHECK, 0, 0);
            if (state != id(2))
                Fail("check box " + arg(1) + " reads " + std::to_string(state) + ", expected " + arg(2));
        } else if (step == "focus") {
            GUITHREADINFO info = {};
            info.cbSize = sizeof info;
            GetGUIThreadInfo(gSetup.dwThreadId, &info);
            if (info.hwndFocus != Control(id(1)))
                Fail("control " + arg(1) + " does not have the focus; " +
                     std::to_string(info.hwndFocus ? GetDlgCtrlID(info.hwndFocus) : -1) + " has");
        } else if (step == "key") {
            PressKey(KeyCode(arg(1)));
        } else if (step == "row") {
            ClickRow(Control(id(1)), id(2));
        } else if (step == "column") {
            ClickColumn(Control(id(1)), id(2));
        } else if (step == "dblrow") {
            DoubleClickRow(Control(id(1)), arg(2));
        } else if (step == "msgbox") {
            AnswerMessageBox(arg(1), arg(2), arg(3), arg(4));
        } else if (step == "window") {
            Until("a window titled \"" + arg(1) + "\"", [&] { return TitledWindow(arg(1)) != nullptr; }, false);
        } else if (step == "started") {
            const int started = ProgramsStarted();
            if (started != id(1))
                Fail(std::to_string(started) + " programs started by the setup run, expected " + arg(1));
        } else if (step == "reg") {
            CheckRegistry(arg(1), arg(2), arg(3));
        } else if (step == "shot") {
            shotOfMoment ? ShotOfMoment(arg(1), id(2), arg(3)) : SaveShot(arg(1));
        } else if (step == "backdrop") {
            std::string fault;
            if (!Within(30, [&] { return (fault = BackdropFault(ParseColour(arg(1)))).empty(); }))
                Fail(fault);
            printf("backdrop as expected\n");
        } else if (step == "exit") {
            WaitForExit(static_cast<DWORD>(id(1)));
        } else if (step == "kill") {
            TerminateProcess(gSetup.hProcess, 0);
            WaitForSingleObject(gSetup.hProcess, INFINITE);
        } else if (step == "watch") {
            WatchPage(id(1), id(2));
        }
        fflush(stdout);
        i += 1 + count;
    }
    return 0;
}
