// Message boxes are modal: while one is up, the test thread sits in its loop.
// A MessageBoxAnswerer watches the test thread's windows from a second thread,
// records every message box it finds (text from control 0xFFFF, caption,
// owner, and the buttons and icon it shows as MB_ flags) and presses the next
// of the answers it was given; when they run out it presses OK, or No.
// Every box is answered, expected or not, so a test that fails never hangs
// on one. (Other modal dialogs are driven with ModalSteps.)
#pragma once
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct SeenMessageBox {
    std::string text;
    std::string caption;
    HWND owner;
    UINT style; // MB_OK or MB_YESNO, with MB_ICONERROR, MB_ICONWARNING, MB_ICONQUESTION or MB_ICONINFORMATION
};

namespace test_windows
{

struct WindowSearch {
    int controlId;
    HWND found;
};

inline BOOL CALLBACK FindWindowWith(HWND window, LPARAM parameter)
{
    auto *search = reinterpret_cast<WindowSearch *>(parameter);
    if (IsWindowVisible(window) && GetDlgItem(window, search->controlId)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// A visible top-level window of `thread` holding control `controlId`.
inline HWND WindowOfThreadWith(DWORD thread, int controlId)
{
    WindowSearch search{controlId, nullptr};
    EnumThreadWindows(thread, FindWindowWith, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline std::string WindowText(HWND window)
{
    char text[2048] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The icon flag of a message box: its icon control shows one of the shared system icons.
inline UINT IconStyleOf(HWND box)
{
    const struct {
        LPCSTR icon;
        UINT style;
    } kinds[] = {{IDI_HAND, MB_ICONERROR},
                 {IDI_EXCLAMATION, MB_ICONWARNING},
                 {IDI_QUESTION, MB_ICONQUESTION},
                 {IDI_ASTERISK, MB_ICONINFORMATION}};
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        HICON shown = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        for (const auto &kind : kinds)
            if (shown && shown == LoadIconA(nullptr, kind.icon))
                return kind.style;
    }
    return 0;
}

} // namespace test_windows

class MessageBoxAnswerer
{
  public:
    // answers: IDOK, IDYES or IDNO, one per box in the order they appear.
    explicit MessageBoxAnswerer(std::vector<int> answers = {})
        : answers_(std::move(answers)), thread_(GetCurrentThreadId()), watcher_([this] { Watch(); })
    {
    }
    ~MessageBoxAnswerer()
    {
        stop_ = true;
        watcher_.join();
    }
    MessageBoxAnswerer(const MessageBoxAnswerer &) = delete;
    MessageBoxAnswerer &operator=(const MessageBoxAnswerer &) = delete;

    std::vector<SeenMessageBox> Seen()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return seen_;
    }

  private:
    void Watch()
    {
        while (!stop_) {
            HWND box = test_windows::WindowOfThreadWith(thread_, 0xFFFF);
            if (!box) {
                Sleep(20);
                continue;
            }
            Sleep(50); // let the box finish setting itself up
            SeenMessageBox seen{test_windows::WindowText(GetDlgItem(box, 0xFFFF)),
                                test_windows::WindowText(box), GetWindow(box, GW_OWNER),
                                (GetDlgItem(box, IDYES) ? UINT(MB_YESNO) : UINT(MB_OK)) |
                                    test_windows::IconStyleOf(box)};
            int answer;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                const size_t next = seen_.size();
                answer = next < answers_.size() ? answers_[next] : (GetDlgItem(box, IDOK) ? IDOK : IDNO);
                seen_.push_back(seen);
            }
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(box, answer)));
            for (int tries = 0; tries < 250 && IsWindow(box); ++tries)
                Sleep(20);
        }
    }

    std::vector<int> answers_;
    DWORD thread_;
    std::mutex mutex_;
    std::vector<SeenMessageBox> seen_;
    std::atomic<bool> stop_{false};
    std::thread watcher_;
};
