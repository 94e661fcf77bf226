// End-to-end driver: runs SetupD.exe as a user would and acts on what it shows.
// Each argument is one step, done in order; the first step that fails prints
// "FAIL: ..." and ends the driver with exit code 1 (the setup is killed).
//
//   cover RRGGBB              cover the screen with one colour (before start)
//   start EXE DIR             start the setup with DIR as its current directory
//   page ID [SECONDS]         wait for a window of the setup holding control ID
//   click ID [MS]             press button ID of the current page, then let MS milliseconds
//                             (300) pass; 0 goes straight on to watch what the click started
//   type ID TEXT              set the text of control ID of the current page
//   text ID TEXT              expect control ID of the current page to read TEXT
//   msgbox TEXT CAPTION ICON ANSWER
//                             wait for a message box; expect its text, caption
//                             (- for the system default) and icon (info,
//                             warning, error, question, none); answer with
//                             ok, yes or no
//   key NAME                  press a key with real keyboard input (enter, escape, tab,
//                             down, up, space)
//   focus ID                  expect control ID of the current page to have the focus
//   textlen ID N              expect control ID's text to be N characters long
//   gone ID [SECONDS]         wait until no window of the setup holds control ID
//   kill                      end the setup (a scenario that stops part-way)
//   row ID INDEX              click row INDEX of report-view list ID with the real
//                             mouse (the row must be in view); a second click on the
//                             same spot waits out the double-click time first
//   column ID INDEX           click the header of column INDEX of report-view list ID
//   dblrow ID TEXT            double-click the row reading TEXT of list-mode list ID
//                             with the real mouse
//   checked ID 0|1            expect check box ID of the current page to be clear or checked
//   window TITLE [SECONDS]    wait for a visible top-level window titled TITLE, of any
//                             program (a folder the setup opened)
//   nowindow TITLE MS         wait MS milliseconds, then expect no such window
//   link FILE TARGET TEXT     expect shortcut FILE to open TARGET (case ignored) with
//                             description TEXT, read through the shell-link object
//   regsz KEY NAME TEXT       expect HKLM\KEY value NAME (- for the default value) to be
//                             a REG_SZ of TEXT stored with its terminator
//   regdword KEY NAME N       expect HKLM\KEY value NAME to be the REG_DWORD N
//   noreg KEY                 expect HKLM\KEY to be missing
//   noregvalue KEY NAME       expect HKLM\KEY to have no value NAME
//   setreg KEY NAME TEXT      set HKLM\KEY value NAME to the REG_SZ TEXT
//   shot FILE.bmp [MS]        save the whole screen once MS milliseconds (400) have let the
//                             last paint land; 0 catches a page that is busy working
//   waittext ID TEXT [SECONDS] wait until control ID of a window of the setup shows a text
//                             containing TEXT; that window becomes the current page
//   delete FILE               delete FILE (say, the side file once the options page has
//                             looked for it)
//   backdrop RRGGBB           check the dimmed backdrop over that colour
//   exit CODE [SECONDS]       wait for the setup to end with CODE
//   watch ID STATUS [SECONDS] wait for the window holding control ID, then until it is gone
//                             print how long it was shown, each wait for an answer from its
//                             control STATUS (asked for its text every 50 ms; "wait MS at T
//                             BEFORE -> AFTER": asked T ms after the opening, with the texts
//                             read before and after the wait) and the setup's memory
//                             (sampled every 20 ms)
//   sleep MS
// In texts, \n stands for a line break.
#include <windows.h>
#include <commctrl.h>
#include <objidl.h>
#include <shlobj.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

PROCESS_INFORMATION gSetup = {};
HWND gPage = nullptr;
HWND gCover = nullptr;

void SaveShot(const std::string &path, DWORD settle);

// The screen as it was when a step failed goes to DUNVO_FAILURE_SHOT, when set.
[[noreturn]] void Fail(const std::string &what)
{
    printf("FAIL: %s\n", what.c_str());
    fflush(stdout);
    static bool failing = false;
    char shot[MAX_PATH];
    if (!failing && GetEnvironmentVariableA("DUNVO_FAILURE_SHOT", shot, sizeof shot) - 1u < sizeof shot - 1) {
        failing = true; // SaveShot itself may fail
        SaveShot(shot, 0);
    }
    if (gSetup.hProcess)
        TerminateProcess(gSetup.hProcess, 99);
    ExitProcess(1);
}

void Pump()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void Wait(DWORD ms)
{
    DWORD end = GetTickCount() + ms;
    while (static_cast<int>(end - GetTickCount()) > 0) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        Pump();
    }
}

std::string Unescape(const std::string &text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += '\n';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string Escape(const std::string &text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += "\\n";
        else if (c != '\r')
            out += c;
    }
    return out;
}

std::string TextOf(HWND window)
{
    char text[4096] = "";
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        2000, nullptr);
    return text;
}

struct Search {
    int controlId;
    HWND found;
};

BOOL CALLBACK FindSetupWindow(HWND window, LPARAM param)
{
    auto *search = reinterpret_cast<Search *>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != gSetup.dwProcessId || !IsWindowVisible(window))
        return TRUE;
    if (GetDlgItem(window, search->controlId)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForWindowWith(int controlId, double seconds)
{
    DWORD end = GetTickCount() + static_cast<DWORD>(seconds * 1000);
    for (;;) {
        Search search{controlId, nullptr};
        EnumWindows(FindSetupWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        if (WaitForSingleObject(gSetup.hProcess, 0) == WAIT_OBJECT_0)
            return nullptr;
        if (static_cast<int>(end - GetTickCount()) <= 0)
            return nullptr;
        Wait(100);
    }
}

COLORREF ParseColour(const std::string &hex)
{
    unsigned long v = strtoul(hex.c_str(), nullptr, 16);
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
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
    gCover = CreateWindowExA(0, "DriverCover", "cover", WS_POPUP | WS_VISIBLE, 0, 0,
                             GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                             windowClass.hInstance, nullptr);
    UpdateWindow(gCover);
    Wait(700);
}

// The screen as 32-bit top-down pixels.
struct Screen {
    int width = 0, height = 0;
    std::vector<DWORD> pixels;
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
    info.bmiHeader.biCompression = BI_RGB;
    screen.pixels.resize(static_cast<size_t>(screen.width) * screen.height);
    GetDIBits(memoryDc, bitmap, 0, screen.height, screen.pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memoryDc);
    ReleaseDC(nullptr, screenDc);
    return screen;
}

void SaveShot(const std::string &path, DWORD settle)
{
    Wait(settle);
    Screen screen = Capture();
    const DWORD row = ((screen.width * 24 + 31) / 32) * 4;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = screen.width;
    header.biHeight = screen.height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biSizeImage = row * screen.height;
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
            COLORREF c = screen.at(x, y);
            line[3 * x] = GetBValue(c);
            line[3 * x + 1] = GetGValue(c);
            line[3 * x + 2] = GetRValue(c);
        }
        fwrite(line.data(), 1, row, out);
    }
    fclose(out);
}

// The backdrop over a screen of one colour: outside the title and any window
// of the setup that stands over it, exactly the pixels whose column plus row
// counted from the bottom is even are black, the others keep the colour.
void CheckBackdrop(COLORREF colour)
{
    Wait(400);
    Screen screen = Capture();
    std::vector<RECT> skip;
    skip.push_back(RECT{0, 0, screen.width, 110}); // the title band
    HWND window = GetTopWindow(nullptr);
    for (; window; window = GetWindow(window, GW_HWNDNEXT)) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        RECT r;
        if (process == gSetup.dwProcessId && IsWindowVisible(window) && GetWindowRect(window, &r) &&
            (r.right - r.left) < screen.width)
            skip.push_back(r);
    }
    long checked = 0;
    for (int y = 0; y < screen.height; ++y)
        for (int x = 0; x < screen.width; ++x) {
            bool skipped = false;
            for (const RECT &r : skip)
                if (x >= r.left && x < r.right && y >= r.top && y < r.bottom)
                    skipped = true;
            if (skipped)
                continue;
            const int rowFromBottom = screen.height - 1 - y;
            const COLORREF expected = (x + rowFromBottom) % 2 == 0 ? RGB(0, 0, 0) : colour;
            if (screen.at(x, y) != expected) {
                char what[160];
                snprintf(what, sizeof what, "backdrop pixel %d,%d is %06lx, expected %06lx", x, y,
                         static_cast<unsigned long>(screen.at(x, y)), static_cast<unsigned long>(expected));
                Fail(what);
            }
            ++checked;
        }
    // The title: the front copy is drawn in RGB(64,160,255), undimmed.
    long title = 0;
    for (int y = 0; y < 110 && y < screen.height; ++y)
        for (int x = 0; x < screen.width / 2; ++x)
            if (screen.at(x, y) == RGB(64, 160, 255))
                ++title;
    printf("backdrop: %dx%d, %ld pixels checked, %ld title pixels\n", screen.width, screen.height, checked,
           title);
    if (title < 300)
        Fail("the title is missing from the backdrop");
}

// Which standard icon a message box shows: the icon control's pixels are
// compared with each system icon drawn over the same background.
std::string IconOf(HWND box)
{
    HWND icon = nullptr;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[32] = "";
        GetClassNameA(child, className, sizeof className);
        // Wine keeps the icon control of a box without an icon, visible but empty.
        if (lstrcmpiA(className, "Static") == 0 && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
            IsWindowVisible(child) && SendMessageA(child, STM_GETICON, 0, 0))
            icon = child;
    }
    if (!icon)
        return "none";
    RECT r;
    GetWindowRect(icon, &r);
    const int size = GetSystemMetrics(SM_CXICON);
    Screen screen = Capture();
    if (r.left < 0 || r.top < 0 || r.left + size > screen.width || r.top + size > screen.height)
        return "offscreen";
    const COLORREF background = GetSysColor(COLOR_3DFACE);
    struct {
        const char *name;
        LPCSTR id;
    } kinds[] = {{"info", IDI_INFORMATION}, {"warning", IDI_WARNING}, {"error", IDI_ERROR}, {"question", IDI_QUESTION}};
    HDC screenDc = GetDC(nullptr);
    std::string result = "unknown";
    for (const auto &kind : kinds) {
        HDC dc = CreateCompatibleDC(screenDc);
        HBITMAP bitmap = CreateCompatibleBitmap(screenDc, size, size);
        HGDIOBJ old = SelectObject(dc, bitmap);
        HBRUSH brush = CreateSolidBrush(background);
        RECT all{0, 0, size, size};
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        DrawIcon(dc, 0, 0, LoadIconA(nullptr, kind.id));
        bool same = true;
        for (int y = 0; y < size && same; ++y)
            for (int x = 0; x < size && same; ++x)
                same = (GetPixel(dc, x, y) & 0xFFFFFF) == screen.at(r.left + x, r.top + y);
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        if (same) {
            result = kind.name;
            break;
        }
    }
    ReleaseDC(nullptr, screenDc);
    return result;
}

void AnswerMessageBox(const std::string &text, const std::string &caption, const std::string &icon,
                      const std::string &answer)
{
    HWND box = WaitForWindowWith(0xFFFF, 30);
    if (!box)
        Fail("no message box appeared; expected \"" + text + "\"");
    Wait(300);
    const std::string shown = TextOf(GetDlgItem(box, 0xFFFF));
    const std::string title = TextOf(box);
    printf("message box: [%s] \"%s\"\n", title.c_str(), Escape(shown).c_str());
    if (shown != Unescape(text) && Escape(shown) != text)
        Fail("message box text \"" + Escape(shown) + "\", expected \"" + text + "\"");
    const std::string expectedCaption = caption == "-" ? "Error" : caption;
    if (title != expectedCaption)
        Fail("message box caption \"" + title + "\", expected \"" + expectedCaption + "\"");
    // On a busy machine the icon may not be painted yet: look again for a while.
    std::string seenIcon = IconOf(box);
    for (DWORD end = GetTickCount() + 3000; seenIcon == "unknown" && static_cast<int>(end - GetTickCount()) > 0;) {
        Wait(100);
        seenIcon = IconOf(box);
    }
    if (seenIcon != icon)
        Fail("message box icon " + seenIcon + ", expected " + icon);
    int id = answer == "yes" ? IDYES : answer == "no" ? IDNO : IDOK;
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
    DWORD end = GetTickCount() + 10000;
    while (IsWindow(box) && static_cast<int>(end - GetTickCount()) > 0)
        Wait(50);
    if (IsWindow(box))
        Fail("the message box did not close");
}

HWND Control(int id)
{
    if (!gPage)
        Fail("no current page");
    HWND control = GetDlgItem(gPage, id);
    if (!control)
        Fail("the page has no control " + std::to_string(id));
    return control;
}

WORD KeyCode(const std::string &name)
{
    if (name == "enter")
        return VK_RETURN;
    if (name == "escape")
        return VK_ESCAPE;
    if (name == "tab")
        return VK_TAB;
    if (name == "down")
        return VK_DOWN;
    if (name == "up")
        return VK_UP;
    if (name == "space")
        return VK_SPACE;
    Fail("unknown key " + name);
}

void PressKey(WORD key)
{
    if (gPage)
        SetForegroundWindow(gPage);
    Wait(100);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = key;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
    Wait(300);
}

HWND FocusOfSetup()
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(gSetup.dwThreadId, &info);
    return info.hwndFocus;
}

// A left click at a point of the screen, with real mouse input. Clicks that
// follow each other faster than the double-click time would reach the setup
// as one double click, so each waits for the previous one to be out of reach.
void ClickAt(POINT point)
{
    static DWORD lastClick = GetTickCount() - 100000;
    const DWORD quiet = GetDoubleClickTime() + 100;
    const DWORD since = GetTickCount() - lastClick;
    if (since < quiet)
        Wait(quiet - since);
    if (gPage)
        SetForegroundWindow(gPage);
    INPUT inputs[3] = {};
    for (INPUT &input : inputs)
        input.type = INPUT_MOUSE;
    inputs[0].mi.dx = MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    inputs[0].mi.dy = MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(3, inputs, sizeof(INPUT));
    lastClick = GetTickCount();
    Wait(300);
}

// Geometry of a report-view list in another process, from messages that carry
// no pointers (LVM_GETITEMRECT would hand the setup an address of ours).
int HeaderHeight(HWND list)
{
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    RECT r;
    if (!header || !IsWindowVisible(header) || !GetWindowRect(header, &r))
        return 0;
    return r.bottom - r.top;
}

int RowHeight(HWND list)
{
    // The approximate view of n rows grows by one row height per row.
    const LPARAM current = MAKELPARAM(-1, -1);
    const DWORD one = static_cast<DWORD>(SendMessageA(list, LVM_APPROXIMATEVIEWRECT, 1, current));
    const DWORD two = static_cast<DWORD>(SendMessageA(list, LVM_APPROXIMATEVIEWRECT, 2, current));
    return HIWORD(two) - HIWORD(one);
}

void ClickRow(int listId, int index)
{
    HWND list = Control(listId);
    const int top = static_cast<int>(SendMessageA(list, LVM_GETTOPINDEX, 0, 0));
    const int visible = static_cast<int>(SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0));
    if (index < top || index >= top + visible)
        Fail("row " + std::to_string(index) + " of list " + std::to_string(listId) + " is not in view");
    const int rowHeight = RowHeight(list);
    if (rowHeight <= 0)
        Fail("cannot tell the row height of list " + std::to_string(listId));
    RECT client;
    GetClientRect(list, &client);
    POINT point{std::min<LONG>(60, client.right / 2), HeaderHeight(list) + (index - top) * rowHeight + rowHeight / 2};
    ClientToScreen(list, &point);
    // A click lands by selecting its row. One that did not land (the first
    // input of a freshly started display can be lost) changed nothing, so it
    // is safe to repeat; a row selected beforehand cannot tell, so it is not.
    // A busy machine may take a while to deliver the click: wait for it to
    // land before deciding it was lost, or a repeat would step the row twice.
    auto selected = [&] { return SendMessageA(list, LVM_GETITEMSTATE, index, LVIS_SELECTED) != 0; };
    auto landed = [&] {
        for (DWORD end = GetTickCount() + 3000; static_cast<int>(end - GetTickCount()) > 0; Wait(50))
            if (selected())
                return true;
        return false;
    };
    const bool wasSelected = selected();
    for (int attempt = 0; attempt < 3; ++attempt) {
        ClickAt(point);
        if (wasSelected || landed())
            return;
    }
    Fail("clicks on row " + std::to_string(index) + " of list " + std::to_string(listId) + " do not select it");
}

void ClickColumn(int listId, int index)
{
    HWND list = Control(listId);
    const int height = HeaderHeight(list);
    if (height == 0)
        Fail("list " + std::to_string(listId) + " shows no column headers");
    int left = 0;
    for (int column = 0; column < index; ++column)
        left += static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0));
    const int width = static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, index, 0));
    if (width <= 0)
        Fail("list " + std::to_string(listId) + " has no column " + std::to_string(index));
    POINT point{left + width / 2, height / 2};
    ClientToScreen(list, &point);
    ClickAt(point);
}

// Memory in the setup's process for list-view messages that carry a pointer.
class RemoteBuffer {
  public:
    explicit RemoteBuffer(size_t size)
        : memory_(VirtualAllocEx(gSetup.hProcess, nullptr, size, MEM_COMMIT, PAGE_READWRITE))
    {
        if (!memory_)
            Fail("cannot reach the setup's memory");
    }
    ~RemoteBuffer() { VirtualFreeEx(gSetup.hProcess, memory_, 0, MEM_RELEASE); }
    void *Address() const { return memory_; }
    void Write(const void *data, size_t size, size_t offset = 0)
    {
        WriteProcessMemory(gSetup.hProcess, static_cast<char *>(memory_) + offset, data, size, nullptr);
    }
    void Read(void *data, size_t size, size_t offset = 0)
    {
        ReadProcessMemory(gSetup.hProcess, static_cast<char *>(memory_) + offset, data, size, nullptr);
    }

  private:
    void *memory_;
};

// Two clicks within the double-click time on the row that reads `text`.
void DoubleClickRow(int listId, const std::string &text)
{
    HWND list = Control(listId);
    RemoteBuffer remote(sizeof(LVFINDINFOA) + 256);
    LVFINDINFOA find = {};
    find.flags = LVFI_STRING;
    find.psz = static_cast<char *>(remote.Address()) + sizeof find;
    remote.Write(&find, sizeof find);
    remote.Write(text.c_str(), text.size() + 1, sizeof find);
    const int row = static_cast<int>(SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(-1),
                                                  reinterpret_cast<LPARAM>(remote.Address())));
    if (row < 0)
        Fail("list " + std::to_string(listId) + " has no row \"" + text + "\"");
    RECT r = {};
    r.left = LVIR_LABEL;
    remote.Write(&r, sizeof r);
    if (!SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(remote.Address())))
        Fail("row \"" + text + "\" is not shown");
    remote.Read(&r, sizeof r);
    POINT point{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(list, &point);
    if (gPage)
        SetForegroundWindow(gPage);
    Wait(GetDoubleClickTime() + 100); // no earlier click may pair with these
    INPUT inputs[5] = {};
    for (INPUT &input : inputs)
        input.type = INPUT_MOUSE;
    inputs[0].mi.dx = MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    inputs[0].mi.dy = MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = inputs[3].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags = inputs[4].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(5, inputs, sizeof(INPUT));
    Wait(500);
}

struct TitleSearch {
    std::string title;
    HWND found;
};

BOOL CALLBACK FindTitled(HWND window, LPARAM param)
{
    auto *search = reinterpret_cast<TitleSearch *>(param);
    if (IsWindowVisible(window) && TextOf(window) == search->title) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindTitledWindow(const std::string &title)
{
    TitleSearch search{title, nullptr};
    EnumWindows(FindTitled, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string Lower(std::string text)
{
    for (char &c : text)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
}

void CheckLink(const std::string &file, const std::string &target, const std::string &description)
{
    CoInitialize(nullptr);
    IShellLinkA *link = nullptr;
    IPersistFile *persist = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void **>(&link))) ||
        FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&persist))))
        Fail("no shell-link object");
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
    if (FAILED(persist->Load(wide, STGM_READ)))
        Fail("cannot load shortcut " + file);
    char path[MAX_PATH] = "", text[MAX_PATH] = "";
    link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH);
    link->GetDescription(text, MAX_PATH);
    persist->Release();
    link->Release();
    CoUninitialize();
    printf("shortcut %s -> %s (\"%s\")\n", file.c_str(), path, text);
    if (Lower(path) != Lower(target))
        Fail("shortcut " + file + " opens \"" + path + "\", expected \"" + target + "\"");
    if (text != description)
        Fail("shortcut " + file + " is described \"" + text + "\", expected \"" + description + "\"");
}

// A value under HKLM with its type and stored bytes; false when the key or value is missing.
bool ReadRegistryValue(const std::string &keyPath, const std::string &name, DWORD *type, std::string *data)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    char bytes[4096];
    DWORD size = sizeof bytes;
    const LONG result = RegQueryValueExA(key, name == "-" ? nullptr : name.c_str(), nullptr, type,
                                         reinterpret_cast<BYTE *>(bytes), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return false;
    data->assign(bytes, size);
    return true;
}

void CheckRegistryText(const std::string &keyPath, const std::string &name, const std::string &text)
{
    DWORD type = 0;
    std::string data;
    if (!ReadRegistryValue(keyPath, name, &type, &data))
        Fail("no registry value " + keyPath + " : " + name);
    printf("registry %s : %s = \"%s\"\n", keyPath.c_str(), name.c_str(), data.c_str());
    if (type != REG_SZ)
        Fail("registry value " + name + " has type " + std::to_string(type) + ", expected REG_SZ");
    if (data != text + '\0')
        Fail("registry value " + name + " holds \"" + data + "\" (" + std::to_string(data.size()) +
             " bytes), expected \"" + text + "\" with its terminator");
}

void CheckRegistryNumber(const std::string &keyPath, const std::string &name, DWORD number)
{
    DWORD type = 0;
    std::string data;
    if (!ReadRegistryValue(keyPath, name, &type, &data))
        Fail("no registry value " + keyPath + " : " + name);
    DWORD stored = 0;
    if (type != REG_DWORD || data.size() != sizeof stored)
        Fail("registry value " + name + " is not a REG_DWORD");
    memcpy(&stored, data.data(), sizeof stored);
    printf("registry %s : %s = %lu\n", keyPath.c_str(), name.c_str(), static_cast<unsigned long>(stored));
    if (stored != number)
        Fail("registry value " + name + " is " + std::to_string(stored) + ", expected " +
             std::to_string(number));
}

// A page that works between its messages answers WM_GETTEXT only when it
// pumps, so this also waits for the first moment it listens again.
void WaitForText(int controlId, const std::string &text, double seconds)
{
    const DWORD end = GetTickCount() + static_cast<DWORD>(seconds * 1000);
    for (;;) {
        HWND window = WaitForWindowWith(controlId, 0);
        if (window && TextOf(GetDlgItem(window, controlId)).find(text) != std::string::npos) {
            gPage = window;
            return;
        }
        if (static_cast<int>(end - GetTickCount()) <= 0 || WaitForSingleObject(gSetup.hProcess, 0) == WAIT_OBJECT_0)
            Fail("control " + std::to_string(controlId) + " never showed \"" + text + "\"");
        Wait(10);
    }
}

// The setup's memory while a page is watched, sampled from a thread of its own,
// since the watching thread itself waits on the page.
struct MemorySamples {
    volatile LONG stop = 0;
    SIZE_T firstWorkingSet = 0, firstPrivate = 0, peakWorkingSet = 0, peakPrivate = 0, reportedPeak = 0;
};

DWORD WINAPI SampleMemory(void *param)
{
    auto *samples = static_cast<MemorySamples *>(param);
    while (!samples->stop) {
        PROCESS_MEMORY_COUNTERS counters = {};
        counters.cb = sizeof counters;
        if (GetProcessMemoryInfo(gSetup.hProcess, &counters, sizeof counters)) {
            if (!samples->firstWorkingSet) {
                samples->firstWorkingSet = counters.WorkingSetSize;
                samples->firstPrivate = counters.PagefileUsage;
            }
            samples->peakWorkingSet = std::max(samples->peakWorkingSet, counters.WorkingSetSize);
            samples->peakPrivate = std::max(samples->peakPrivate, counters.PagefileUsage);
            samples->reportedPeak = std::max(samples->reportedPeak, counters.PeakWorkingSetSize);
        }
        Sleep(20);
    }
    return 0;
}

// How a busy page looks from outside: every wait for an answer is printed with
// the status text before and after it, so the caller can tell the stages apart.
void WatchPage(int pageControl, int statusControl, double seconds)
{
    const DWORD end = GetTickCount() + static_cast<DWORD>(seconds * 1000);
    HWND page = nullptr;
    while (!(page = WaitForWindowWith(pageControl, 0))) {
        if (static_cast<int>(end - GetTickCount()) <= 0 || WaitForSingleObject(gSetup.hProcess, 0) == WAIT_OBJECT_0)
            Fail("no window with control " + std::to_string(pageControl) + " appeared");
        Sleep(5);
    }
    const DWORD opened = GetTickCount();
    MemorySamples samples;
    HANDLE sampler = CreateThread(nullptr, 0, SampleMemory, &samples, 0, nullptr);
    HWND status = GetDlgItem(page, statusControl);
    std::string before = "(page opened)";
    DWORD longest = 0;
    for (;;) {
        char text[1024] = "";
        const DWORD asked = GetTickCount();
        const int left = static_cast<int>(end - asked);
        if (left <= 0)
            Fail("the page was still shown after " + std::to_string(seconds) + " s");
        DWORD_PTR copied = 0;
        const bool answered = SendMessageTimeoutA(status, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                                                  SMTO_NORMAL, static_cast<UINT>(left), &copied) != 0;
        const DWORD waited = GetTickCount() - asked;
        const bool gone = !IsWindow(page) || !IsWindowVisible(page);
        if (!answered && !gone)
            Fail("the page did not answer within " + std::to_string(seconds) + " s");
        const std::string after = answered ? text : "(page closed)";
        printf("wait %lu at %lu %s -> %s\n", static_cast<unsigned long>(waited),
               static_cast<unsigned long>(asked - opened), before.c_str(), after.c_str());
        longest = std::max(longest, waited);
        before = after;
        if (gone)
            break;
        Sleep(50);
    }
    const DWORD shown = GetTickCount() - opened;
    InterlockedExchange(&samples.stop, 1);
    WaitForSingleObject(sampler, INFINITE);
    CloseHandle(sampler);
    printf("page shown %lu ms, longest wait %lu ms\n", static_cast<unsigned long>(shown),
           static_cast<unsigned long>(longest));
    printf("memory working set %lu KB at opening, peak %lu KB (reported peak %lu KB); private %lu KB at opening, "
           "peak %lu KB\n",
           static_cast<unsigned long>(samples.firstWorkingSet / 1024), static_cast<unsigned long>(samples.peakWorkingSet / 1024),
           static_cast<unsigned long>(samples.reportedPeak / 1024), static_cast<unsigned long>(samples.firstPrivate / 1024),
           static_cast<unsigned long>(samples.peakPrivate / 1024));
    gPage = nullptr;
}

void Need(size_t have, size_t need, const char *step)
{
    if (have < need)
        Fail(std::string("step ") + step + " needs more arguments");
}

} // namespace

int main(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string step = argv[i];
        auto arg = [&](int k) -> std::string {
            Need(static_cast<size_t>(argc - i - 1), static_cast<size_t>(k), step.c_str());
            return argv[i + k];
        };
        if (step == "cover") {
            Cover(ParseColour(arg(1)));
            i += 1;
        } else if (step == "start") {
            std::string commandLine = "\"" + arg(1) + "\"";
            STARTUPINFOA startup = {};
            startup.cb = sizeof startup;
            std::vector<char> line(commandLine.begin(), commandLine.end());
            line.push_back('\0');
            if (!CreateProcessA(arg(1).c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, arg(2).c_str(),
                                &startup, &gSetup))
                Fail("cannot start " + arg(1) + " (error " + std::to_string(GetLastError()) + ")");
            WaitForInputIdle(gSetup.hProcess, 20000);
            i += 2;
        } else if (step == "page") {
            double seconds = (i + 2 < argc && isdigit(static_cast<unsigned char>(argv[i + 2][0])))
                                 ? atof(argv[i + 2])
                                 : 30;
            gPage = WaitForWindowWith(atoi(arg(1).c_str()), seconds);
            if (!gPage)
                Fail("no window with control " + arg(1) + " appeared");
            Wait(200);
            i += (i + 2 < argc && isdigit(static_cast<unsigned char>(argv[i + 2][0]))) ? 2 : 1;
        } else if (step == "click") {
            PostMessageA(Control(atoi(arg(1).c_str())), BM_CLICK, 0, 0);
            const bool settle = i + 2 < argc && isdigit(static_cast<unsigned char>(argv[i + 2][0]));
            Wait(settle ? static_cast<DWORD>(atoi(argv[i + 2])) : 300);
            i += settle ? 2 : 1;
        } else if (step == "type") {
            SendMessageA(Control(atoi(arg(1).c_str())), WM_SETTEXT, 0,
                         reinterpret_cast<LPARAM>(Unescape(arg(2)).c_str()));
            i += 2;
        } else if (step == "text") {
            std::string shown = TextOf(Control(atoi(arg(1).c_str())));
            if (shown != Unescape(arg(2)))
                Fail("control " + arg(1) + " reads \"" + Escape(shown) + "\", expected \"" + arg(2) + "\"");
            i += 2;
        } else if (step == "msgbox") {
            AnswerMessageBox(arg(1), arg(2), arg(3), arg(4));
            i += 4;
        } else if (step == "key") {
            PressKey(KeyCode(arg(1)));
            i += 1;
        } else if (step == "focus") {
            HWND focus = FocusOfSetup();
            if (focus != Control(atoi(arg(1).c_str())))
                Fail("control " + arg(1) + " does not have the focus (id " +
                     std::to_string(focus ? GetDlgCtrlID(focus) : -1) + " has)");
            i += 1;
        } else if (step == "textlen") {
            size_t length = TextOf(Control(atoi(arg(1).c_str()))).size();
            if (length != static_cast<size_t>(atoi(arg(2).c_str())))
                Fail("control " + arg(1) + " holds " + std::to_string(length) + " characters, expected " + arg(2));
            i += 2;
        } else if (step == "gone") {
            DWORD end = GetTickCount() + 30000;
            while (WaitForWindowWith(atoi(arg(1).c_str()), 0)) {
                if (static_cast<int>(end - GetTickCount()) <= 0)
                    Fail("control " + arg(1) + " is still shown");
                Wait(100);
            }
            gPage = nullptr;
            i += 1;
        } else if (step == "kill") {
            TerminateProcess(gSetup.hProcess, 0);
            WaitForSingleObject(gSetup.hProcess, 10000);
        } else if (step == "row") {
            ClickRow(atoi(arg(1).c_str()), atoi(arg(2).c_str()));
            i += 2;
        } else if (step == "column") {
            ClickColumn(atoi(arg(1).c_str()), atoi(arg(2).c_str()));
            i += 2;
        } else if (step == "dblrow") {
            DoubleClickRow(atoi(arg(1).c_str()), arg(2));
            i += 2;
        } else if (step == "checked") {
            const LRESULT state = SendMessageA(Control(atoi(arg(1).c_str())), BM_GETCHECK, 0, 0);
            if (state != atoi(arg(2).c_str()))
                Fail("check box " + arg(1) + " reads " + std::to_string(state) + ", expected " + arg(2));
            i += 2;
        } else if (step == "window") {
            const bool timed = i + 2 < argc && isdigit(static_cast<unsigned char>(argv[i + 2][0]));
            const DWORD end = GetTickCount() + static_cast<DWORD>((timed ? atof(argv[i + 2]) : 30) * 1000);
            while (!FindTitledWindow(arg(1))) {
                if (static_cast<int>(end - GetTickCount()) <= 0)
                    Fail("no window titled \"" + arg(1) + "\" appeared");
                Wait(100);
            }
            printf("window \"%s\" is shown\n", arg(1).c_str());
            i += timed ? 2 : 1;
        } else if (step == "nowindow") {
            Wait(static_cast<DWORD>(atoi(arg(2).c_str())));
            if (FindTitledWindow(arg(1)))
                Fail("a window titled \"" + arg(1) + "\" is shown");
            i += 2;
        } else if (step == "link") {
            CheckLink(arg(1), arg(2), arg(3));
            i += 3;
        } else if (step == "regsz") {
            CheckRegistryText(arg(1), arg(2), arg(3));
            i += 3;
        } else if (step == "regdword") {
            CheckRegistryNumber(arg(1), arg(2), static_cast<DWORD>(strtoul(arg(3).c_str(), nullptr, 10)));
            i += 3;
        } else if (step == "noreg") {
            HKEY key;
            if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, arg(1).c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
                RegCloseKey(key);
                Fail("registry key " + arg(1) + " exists");
            }
            i += 1;
        } else if (step == "noregvalue") {
            DWORD type = 0;
            std::string data;
            if (ReadRegistryValue(arg(1), arg(2), &type, &data))
                Fail("registry value " + arg(1) + " : " + arg(2) + " exists");
            i += 2;
        } else if (step == "setreg") {
            HKEY key;
            if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, arg(1).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                &key, nullptr) != ERROR_SUCCESS)
                Fail("cannot open registry key " + arg(1));
            RegSetValueExA(key, arg(2).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE *>(arg(3).c_str()),
                           static_cast<DWORD>(arg(3).size() + 1));
            RegCloseKey(key);
            i += 3;
        } else if (step == "shot") {
            const bool settle = i + 2 < argc && isdigit(static_cast<unsigned char>(argv[i + 2][0]));
            SaveShot(arg(1), settle ? static_cast<DWORD>(atoi(argv[i + 2])) : 400);
            i += settle ? 2 : 1;
        } else if (step == "waittext") {
            const bool limit = i + 3 < argc && isdigit(static_cast<unsigned char>(argv[i + 3][0]));
            WaitForText(atoi(arg(1).c_str()), Unescape(arg(2)), limit ? atof(argv[i + 3]) : 30);
            i += limit ? 3 : 2;
        } else if (step == "delete") {
            if (!DeleteFileA(arg(1).c_str()))
                Fail("cannot delete " + arg(1));
            i += 1;
        } else if (step == "backdrop") {
            CheckBackdrop(ParseColour(arg(1)));
            i += 1;
        } else if (step == "exit") {
            double seconds = (i + 2 < argc && isdigit(static_cast<unsigned char>(argv[i + 2][0])))
                                 ? atof(argv[i + 2])
                                 : 30;
            DWORD end = GetTickCount() + static_cast<DWORD>(seconds * 1000);
            while (WaitForSingleObject(gSetup.hProcess, 0) != WAIT_OBJECT_0) {
                if (static_cast<int>(end - GetTickCount()) <= 0)
                    Fail("the setup did not end");
                Wait(50);
            }
            DWORD code = 0;
            GetExitCodeProcess(gSetup.hProcess, &code);
            if (code != static_cast<DWORD>(atoi(arg(1).c_str())))
                Fail("the setup ended with " + std::to_string(code) + ", expected " + arg(1));
            printf("setup ended with exit code %lu\n", static_cast<unsigned long>(code));
            i += (i + 2 < argc && isdigit(static_cast<unsigned char>(argv[i + 2][0]))) ? 2 : 1;
        } else if (step == "watch") {
            const bool limit = i + 3 < argc && isdigit(static_cast<unsigned char>(argv[i + 3][0]));
            WatchPage(atoi(arg(1).c_str()), atoi(arg(2).c_str()), limit ? atof(argv[i + 3]) : 600);
            i += limit ? 3 : 2;
        } else if (step == "sleep") {
            Wait(static_cast<DWORD>(atoi(arg(1).c_str())));
            i += 1;
        } else {
            Fail("unknown step " + step);
        }
        fflush(stdout);
    }
    return 0;
}
