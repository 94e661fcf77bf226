// End-to-end driver: runs SetupD.exe as a user would and acts on what it shows.
// Each argument is a step, done in order; the first that fails prints "FAIL:",
// saves the screen to DUNVO_FAILURE_SHOT (when set), ends the setup and exits
// with 1. Every wait is for a condition, with a generous timeout.
//   cover RRGGBB         cover the screen with one colour (before start)
//   start EXE DIR        start EXE in DIR
//   page ID              wait for a window of the setup holding control ID: the current page
//   gone ID              wait until no window of the setup holds control ID
//   click ID             press button ID; wait until the setup has taken the press
//   type ID TEXT         set the text of control ID
//   text ID TEXT         expect control ID to read TEXT (\n stands for a line break)
//   checked ID 0|1       expect check box ID clear or checked
//   focus ID             expect control ID to have the keyboard focus
//   key NAME             press enter, escape, tab, space, up or down; wait until it is read
//   row ID INDEX         click row INDEX of report list ID with the mouse; wait until it is read
//   column ID INDEX      the same for the header of column INDEX
//   dblrow ID TEXT       double-click the row reading TEXT of list ID
//   msgbox TEXT CAPTION ICON ANSWER   wait for a message box; expect its text, caption (- the
//                        system's "Error") and icon (info warning error question none
//                        offscreen); answer ok, yes or no
//   window TITLE         wait for a visible top-level window TITLE of any program
//   started N            expect N programs started by the setup running (a folder it opens
//                        is one, there before the setup ends)
//   reg KEY NAME VALUE   expect HKLM\KEY value NAME (- the default, * the key itself) to be
//                        sz:TEXT (stored with its terminator), dword:N or missing
//   shot FILE.bmp        save the screen once it is still
//   moment ID TEXT FILE.bmp   save it if control ID shows TEXT before anything else; a moment
//                        that may pass unseen is noted, not failed (screenshots only)
//   backdrop RRGGBB      wait until the screen shows the dimmed backdrop over that colour
//   exit CODE            wait for the setup to end with CODE
//   kill                 end the setup (a run that stops part-way)
//   watch ID STATUS      for the benchmark: until the window with control ID is gone, ask its
//                        control STATUS for its text every 50 ms, print each wait for an
//                        answer, then the setup's peak memory
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace
{

PROCESS_INFORMATION gSetup = {};
HWND gPage = nullptr;
const DWORD kTimeoutMs = 120000; // a loaded machine is slow, never this slow

std::vector<DWORD> Pixels(HDC dc, HBITMAP bitmap, int width, int height);
void SaveShot(const std::string &path);

[[noreturn]] void Fail(const std::string &what)
{
    printf("FAIL: %s\n", what.c_str());
    fflush(stdout);
    static bool failing = false;
    char shot[MAX_PATH];
    if (!failing && GetEnvironmentVariableA("DUNVO_FAILURE_SHOT", shot, sizeof shot) - 1u < sizeof shot - 1)
        failing = true, SaveShot(shot);
    if (gSetup.hProcess)
        TerminateProcess(gSetup.hProcess, 99);
    ExitProcess(1);
}

// Polls COND every 20 ms, answering our own window's messages meanwhile.
template <class Condition> bool Within(DWORD ms, Condition cond)
{
    for (DWORD start = GetTickCount(); !cond(); MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT)) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        if (GetTickCount() - start > ms)
            return false;
    }
    return true;
}

bool SetupEnded() { return WaitForSingleObject(gSetup.hProcess, 0) == WAIT_OBJECT_0; }

// A wait for something the setup shows ends, failed, when the setup does.
template <class Condition> void Until(const std::string &what, Condition cond, bool fromSetup = true)
{
    bool ended = false;
    if (!Within(kTimeoutMs, [&] { return cond() || (ended = fromSetup && SetupEnded()); }) || ended) {
        DWORD code = 0;
        GetExitCodeProcess(gSetup.hProcess, &code);
        Fail("waited in vain for " + what + (ended ? "; the setup ended with " + std::to_string(code) : ""));
    }
}

// Texts with their line breaks written \n; \n in an argument stands for one.
std::string Escape(const std::string &text, bool undo = false)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i)
        out += undo && !text.compare(i, 2, "\\n") ? (++i, "\n") : text[i] == '\n' ? "\\n" : std::string(text[i] != '\r', text[i]);
    return out;
}

// A path holding "\n" is taken as written, too.
bool SameText(const std::string &shown, const std::string &expected)
{
    return Escape(shown) == Escape(expected) || Escape(shown) == Escape(Escape(expected, true));
}

std::string TextOf(HWND window)
{
    char text[8192] = "";
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, kTimeoutMs,
                        nullptr);
    return text;
}

// The first visible top-level window, front to back, that MATCH accepts.
template <class Match> HWND TopWindow(Match match)
{
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT))
        if (IsWindowVisible(window) && match(window))
            return window;
    return nullptr;
}

DWORD ProcessOf(HWND window)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}
bool OfSetup(HWND window) { return ProcessOf(window) == gSetup.dwProcessId; }

HWND SetupWindowWith(int controlId)
{
    return TopWindow([&](HWND window) { return OfSetup(window) && GetDlgItem(window, controlId); });
}

// A message box nobody expected ends a wait for something else at once.
bool Unexpected(const std::string &what)
{
    HWND box = SetupWindowWith(0xFFFF);
    if (box)
        Fail("a message box said \"" + Escape(TextOf(GetDlgItem(box, 0xFFFF))) + "\" while waiting for " + what);
    return false;
}

HWND Control(int id)
{
    HWND control = gPage ? GetDlgItem(gPage, id) : nullptr;
    return control ? control : (Fail("the current page has no control " + std::to_string(id)), nullptr);
}

// Returns once the setup's thread has handled every message sent to it so far:
// it is done with them, or waiting in a box or page they opened.
void Answered(HWND window)
{
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kTimeoutMs, nullptr);
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

struct Screen {
    int width, height;
    std::vector<DWORD> pixels; // top-down, 0xRRGGBB
    DWORD at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

std::vector<DWORD> Pixels(HDC dc, HBITMAP bitmap, int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
    GetDIBits(dc, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    for (DWORD &p : pixels)
        p &= 0xFFFFFF;
    return pixels;
}

Screen Capture()
{
    Screen screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), {}};
    HDC screenDc = GetDC(nullptr), memoryDc = CreateCompatibleDC(screenDc);
    HBITMAP bitmap = CreateCompatibleBitmap(screenDc, screen.width, screen.height);
    HGDIOBJ old = SelectObject(memoryDc, bitmap);
    BitBlt(memoryDc, 0, 0, screen.width, screen.height, screenDc, 0, 0, SRCCOPY);
    SelectObject(memoryDc, old);
    screen.pixels = Pixels(memoryDc, bitmap, screen.width, screen.height);
    DeleteObject(bitmap);
    DeleteDC(memoryDc);
    ReleaseDC(nullptr, screenDc);
    return screen;
}

void WriteBitmap(const std::string &path, const Screen &screen)
{
    const DWORD bytes = static_cast<DWORD>(screen.pixels.size() * 4);
    BITMAPINFOHEADER header = {sizeof header, screen.width, -screen.height, 1, 32, BI_RGB, bytes, 0, 0, 0, 0};
    BITMAPFILEHEADER file = {0x4D42, sizeof file + sizeof header + bytes, 0, 0, sizeof file + sizeof header};
    FILE *out = fopen(path.c_str(), "wb");
    if (!out)
        Fail("cannot write screenshot " + path);
    fwrite(&file, sizeof file, 1, out);
    fwrite(&header, sizeof header, 1, out);
    fwrite(screen.pixels.data(), 1, bytes, out);
    fclose(out);
}

// The screen once the setup has answered and nothing on it changed across that answer.
void SaveShot(const std::string &path)
{
    Screen last = Capture(), now;
    if (!Within(30000, [&] {
            if (gPage && IsWindow(gPage))
                Answered(gPage);
            std::swap(now = Capture(), last);
            return now.pixels == last.pixels;
        }))
        printf("note: the screen kept changing; shot as it was\n");
    WriteBitmap(path, last);
}

// A moment that may pass unseen: the control's first text after this step starts decides.
void ShotOfMoment(const std::string &path, int controlId, const std::string &text)
{
    std::string shown;
    Within(kTimeoutMs, [&] {
        HWND window = SetupWindowWith(controlId);
        shown = window ? TextOf(GetDlgItem(window, controlId)) : "";
        return SetupEnded() || !shown.empty();
    });
    if (shown.find(text) == std::string::npos)
        return (void)printf("note: missed \"%s\" (the control read \"%s\"); no shot\n", text.c_str(), shown.c_str());
    WriteBitmap(path, Capture());
}

void Cover(DWORD colour)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hbrBackground = CreateSolidBrush(RGB(colour >> 16, (colour >> 8) & 0xFF, colour & 0xFF));
    windowClass.lpszClassName = "DriverCover";
    RegisterClassA(&windowClass);
    CreateWindowA("DriverCover", "cover", WS_POPUP | WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                  GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, nullptr, nullptr);
    Until("the cover to show", [&] {
        const Screen screen = Capture();
        return screen.pixels.front() == colour && screen.pixels.back() == colour;
    }, false);
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
        if (OfSetup(window) && GetWindowRect(window, &r) && r.right - r.left < screen.width)
            skip.push_back(r);
        return false;
    });
    long title = 0;
    for (int y = 0; y < screen.height; ++y)
        for (int x = 0; x < screen.width; ++x) {
            title += y < 110 && screen.at(x, y) == 0x40A0FF;
            const POINT p{x, y};
            const DWORD expected = (x + screen.height - 1 - y) % 2 ? colour : 0;
            if (screen.at(x, y) != expected &&
                std::none_of(skip.begin(), skip.end(), [&](const RECT &r) { return PtInRect(&r, p); })) {
                char what[80];
                snprintf(what, sizeof what, "backdrop pixel %d,%d is %06lx, expected %06lx", x, y, screen.at(x, y),
                         expected);
                return what;
            }
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
    RECT r, screenRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, inside;
    const int size = GetSystemMetrics(SM_CXICON);
    if (!icon || !GetWindowRect(icon, &r))
        return "none";
    if (r.right = r.left + size, r.bottom = r.top + size, !IntersectRect(&inside, &r, &screenRect) || !EqualRect(&inside, &r))
        return "offscreen";
    const Screen screen = Capture();
    const std::pair<const char *, LPCSTR> kinds[] = {
        {"info", IDI_INFORMATION}, {"warning", IDI_WARNING}, {"error", IDI_ERROR}, {"question", IDI_QUESTION}};
    std::string result = "unknown"; // not painted yet, or another picture
    HDC screenDc = GetDC(nullptr), dc = CreateCompatibleDC(screenDc);
    HBITMAP bitmap = CreateCompatibleBitmap(screenDc, size, size);
    for (const auto &kind : kinds) {
        HGDIOBJ old = SelectObject(dc, bitmap);
        RECT all{0, 0, size, size};
        FillRect(dc, &all, GetSysColorBrush(COLOR_3DFACE));
        DrawIcon(dc, 0, 0, LoadIconA(nullptr, kind.second));
        SelectObject(dc, old);
        const std::vector<DWORD> drawn = Pixels(dc, bitmap, size, size);
        bool same = true;
        for (int y = 0; y < size; ++y)
            same = same && std::equal(&drawn[y * size], &drawn[y * size] + size,
                                      &screen.pixels[static_cast<size_t>(r.top + y) * screen.width + r.left]);
        result = same ? kind.first : result;
    }
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
    if (title != (caption == "-" ? "Error" : caption))
        Fail("message box caption \"" + title + "\", expected \"" + caption + "\"");
    std::string seen;
    Within(30000, [&] { return (seen = IconOf(box)) != "unknown"; }); // painted once the box is idle
    if (seen != icon)
        Fail("message box icon " + seen + ", expected " + icon);
    const int id = answer == "yes" ? IDYES : answer == "no" ? IDNO : IDOK;
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
    Until("the message box to close", [&] { return !IsWindow(box); });
    if (gPage && IsWindow(gPage))
        Answered(gPage); // done with what the answer led to
}

void PressKey(const std::string &name)
{
    const std::pair<const char *, WORD> keys[] = {{"enter", VK_RETURN}, {"escape", VK_ESCAPE}, {"tab", VK_TAB},
                                                  {"space", VK_SPACE},  {"up", VK_UP},         {"down", VK_DOWN}};
    INPUT inputs[2] = {};
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

// Left clicks at a point of the screen with real mouse input, read before this
// returns. Every event carries the point: the display may still move the
// pointer to where an earlier run left it. The stamps of separate calls lie
// further apart than the double-click time, so only the clicks of one call pair up.
void ClickAt(POINT point, int clicks)
{
    static DWORD lastStamp = GetTickCount() - 100000;
    lastStamp = std::max<DWORD>(GetTickCount(), lastStamp + GetDoubleClickTime() + 100);
    std::vector<INPUT> inputs(2 * clicks);
    for (size_t i = 0; i < inputs.size(); ++i) {
        inputs[i].type = INPUT_MOUSE;
        inputs[i].mi = {MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1),
                        MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1), 0,
                        DWORD{MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE} | (i % 2 ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN),
                        lastStamp, 0};
    }
    SetForegroundWindow(gPage);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    InputRead();
}

// Rows and headers of a report list by its own geometry, asked through
// messages that carry no pointer; one row's height is how much the
// approximate view grows by a row.
void ClickRow(HWND list, int index)
{
    const int top = static_cast<int>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0));
    if (index < top || index >= top + SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0))
        Fail("row " + std::to_string(index) + " is not in view");
    RECT header{}, client;
    GetWindowRect(reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0)), &header);
    const int rowHeight = HIWORD(SendMessageA(list, LVM_APPROXIMATEVIEWRECT, 2, MAKELPARAM(-1, -1))) -
                          HIWORD(SendMessageA(list, LVM_APPROXIMATEVIEWRECT, 1, MAKELPARAM(-1, -1)));
    GetClientRect(list, &client);
    POINT point{std::min<LONG>(60, client.right / 2), header.bottom - header.top + (index - top) * rowHeight + rowHeight / 2};
    ClientToScreen(list, &point);
    ClickAt(point, 1);
    if (!SendMessageA(list, LVM_GETITEMSTATE, index, LVIS_SELECTED))
        Fail("a click on row " + std::to_string(index) + " did not select it");
}

void ClickColumn(HWND list, int index)
{
    RECT r;
    GetWindowRect(reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0)), &r);
    for (int column = 0; column < index; ++column)
        r.left += static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0));
    ClickAt({r.left + static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, index, 0)) / 2, (r.top + r.bottom) / 2}, 1);
}

// The row reading TEXT, found and measured through memory lent in the setup's
// process (the list-view messages for that carry pointers).
void DoubleClickRow(HWND list, const std::string &text)
{
    char *remote = static_cast<char *>(
        VirtualAllocEx(gSetup.hProcess, nullptr, sizeof(LVFINDINFOA) + 512, MEM_COMMIT, PAGE_READWRITE));
    LVFINDINFOA find = {LVFI_STRING, remote + sizeof find, 0, {}, 0};
    RECT r{LVIR_LABEL, 0, 0, 0};
    WriteProcessMemory(gSetup.hProcess, remote, &find, sizeof find, nullptr);
    WriteProcessMemory(gSetup.hProcess, remote + sizeof find, text.c_str(), std::min<size_t>(text.size() + 1, 512), nullptr);
    const WPARAM row = SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(remote));
    WriteProcessMemory(gSetup.hProcess, remote, &r, sizeof r, nullptr);
    const bool shown = SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(gSetup.hProcess, remote, &r, sizeof r, nullptr);
    VirtualFreeEx(gSetup.hProcess, remote, 0, MEM_RELEASE);
    if (!remote || static_cast<int>(row) < 0 || !shown)
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

void CheckRegistry(const std::string &keyPath, const std::string &name, const std::string &expected)
{
    HKEY key;
    char bytes[4096];
    DWORD type = REG_NONE, size = sizeof bytes;
    std::string found = "missing";
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
        if (name == "*")
            found = "present";
        else if (RegQueryValueExA(key, name == "-" ? nullptr : name.c_str(), nullptr, &type,
                                  reinterpret_cast<BYTE *>(bytes), &size) == ERROR_SUCCESS)
            found = type == REG_SZ                  ? "sz:" + std::string(bytes, size) // with its terminator, if any
                    : type == REG_DWORD && size == 4 ? "dword:" + std::to_string(*reinterpret_cast<DWORD *>(bytes))
                                                     : "type " + std::to_string(type);
        RegCloseKey(key);
    }
    printf("registry %s : %s = %s\n", keyPath.c_str(), name.c_str(), found.c_str());
    if (found != (expected.compare(0, 3, "sz:") ? expected : expected + '\0'))
        Fail("registry " + keyPath + " : " + name + " is " + found + ", expected " + expected);
}

void WatchPage(int pageControl, int statusControl)
{
    HWND page = nullptr;
    Until("control " + std::to_string(pageControl), [&] { return (page = SetupWindowWith(pageControl)); });
    const DWORD opened = GetTickCount();
    std::string before = "(page opened)";
    DWORD longest = 0;
    PROCESS_MEMORY_COUNTERS first = {sizeof first, 0, 0, 0, 0, 0, 0, 0, 0, 0}, last = first;
    GetProcessMemoryInfo(gSetup.hProcess, &first, sizeof first);
    while (IsWindowVisible(page)) {
        char text[1024] = "";
        const DWORD asked = GetTickCount();
        const bool answered = SendMessageTimeoutA(GetDlgItem(page, statusControl), WM_GETTEXT, sizeof text,
                                                  reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 600000, nullptr);
        const DWORD waited = GetTickCount() - asked;
        const std::string after = answered ? text : "(page closed)";
        printf("wait %lu at %lu %s -> %s\n", waited, asked - opened, before.c_str(), after.c_str());
        longest = std::max(longest, waited);
        before = after;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT); // the sampling period
    }
    GetProcessMemoryInfo(gSetup.hProcess, &last, sizeof last);
    printf("page shown %lu ms, longest wait %lu ms\n", GetTickCount() - opened, longest);
    printf("memory working set %u KB at opening, peak %u KB; private %u KB at opening, peak %u KB\n",
           unsigned(first.WorkingSetSize >> 10), unsigned(last.PeakWorkingSetSize >> 10),
           unsigned(first.PagefileUsage >> 10), unsigned(last.PeakPagefileUsage >> 10));
}

void Expect(const std::string &what, const std::string &shown, const std::string &expected)
{
    if (!SameText(shown, expected))
        Fail(what + " is \"" + Escape(shown) + "\", expected \"" + Escape(expected) + "\"");
}

using Args = char *const *;
int Id(Args a, int k) { return atoi(a[k]); }

void Start(Args a)
{
    std::string commandLine = "\"" + std::string(a[1]) + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(a[1], &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, a[2], &startup, &gSetup))
        Fail("cannot start " + std::string(a[1]) + " (error " + std::to_string(GetLastError()) + ")");
    WaitForInputIdle(gSetup.hProcess, kTimeoutMs);
}

void Page(Args a)
{
    Until("a window with control " + std::string(a[1]), [&] {
        return (gPage = SetupWindowWith(Id(a, 1))) != nullptr || (Id(a, 1) != 0xFFFF && Unexpected("a page"));
    });
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

void Exit(Args a)
{
    Until("the setup to end", [] { return SetupEnded() || Unexpected("the end"); }, false);
    DWORD code = 0;
    GetExitCodeProcess(gSetup.hProcess, &code);
    Expect("the exit code", std::to_string(code), a[1]);
}

const struct {
    const char *name;
    int arguments;
    void (*run)(Args);
} kSteps[] = {
    {"cover", 1, [](Args a) { Cover(strtoul(a[1], nullptr, 16)); }},
    {"start", 2, Start},
    {"page", 1, Page},
    {"gone", 1, [](Args a) { Until("control " + std::string(a[1]) + " to go", [&] { return !SetupWindowWith(Id(a, 1)); }); }},
    {"click", 1, [](Args a) { SendNotifyMessageA(Control(Id(a, 1)), BM_CLICK, 0, 0), Answered(gPage); }},
    {"type", 2, [](Args a) { SendMessageA(Control(Id(a, 1)), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Escape(a[2], true).c_str())); }},
    {"text", 2, [](Args a) { Expect("control " + std::string(a[1]), TextOf(Control(Id(a, 1))), a[2]); }},
    {"checked", 2, [](Args a) { Expect("check box " + std::string(a[1]), std::to_string(SendMessageA(Control(Id(a, 1)), BM_GETCHECK, 0, 0)), a[2]); }},
    {"focus", 1, [](Args a) { Expect("the control with the focus", (Control(Id(a, 1)), Focus()), a[1]); }},
    {"key", 1, [](Args a) { PressKey(a[1]); }},
    {"row", 2, [](Args a) { ClickRow(Control(Id(a, 1)), Id(a, 2)); }},
    {"column", 2, [](Args a) { ClickColumn(Control(Id(a, 1)), Id(a, 2)); }},
    {"dblrow", 2, [](Args a) { DoubleClickRow(Control(Id(a, 1)), a[2]); }},
    {"msgbox", 4, [](Args a) { AnswerMessageBox(a[1], a[2], a[3], a[4]); }},
    {"window", 1, [](Args a) { Until("a window titled " + std::string(a[1]), [&] { return TitledWindow(a[1]) != nullptr; }, false); }},
    {"started", 1, [](Args a) { Expect("the count of programs the setup started", std::to_string(ProgramsStarted()), a[1]); }},
    {"reg", 3, [](Args a) { CheckRegistry(a[1], a[2], a[3]); }},
    {"shot", 1, [](Args a) { SaveShot(a[1]); }},
    {"moment", 3, [](Args a) { ShotOfMoment(a[3], Id(a, 1), a[2]); }},
    {"backdrop", 1, Backdrop},
    {"exit", 1, Exit},
    {"kill", 0, [](Args) { TerminateProcess(gSetup.hProcess, 0), WaitForSingleObject(gSetup.hProcess, INFINITE); }},
    {"watch", 2, [](Args a) { WatchPage(Id(a, 1), Id(a, 2)); }},
};

} // namespace

int main(int argc, char **argv)
{
    for (int i = 1; i < argc;) {
        const auto *step = std::find_if(std::begin(kSteps), std::end(kSteps),
                                        [&](const auto &known) { return !strcmp(known.name, argv[i]); });
        if (step == std::end(kSteps) || i + step->arguments >= argc)
            Fail("unknown step, or too few arguments: " + std::string(argv[i]));
        step->run(argv + i);
        fflush(stdout);
        i += 1 + step->arguments;
    }
    return 0;
}
