// Drives modal dialogs and message boxes of the test's own thread: a modal
// loop keeps dispatching thread timer messages, so each tick can look at the
// window on top and act on it, one step at a time.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class ModalSteps {
  public:
    // A step gets the topmost enabled window of this thread and returns true
    // when it has done its work; it is retried on the next tick otherwise.
    using Step = std::function<bool(HWND top)>;

    explicit ModalSteps(std::vector<Step> steps) : steps_(std::move(steps))
    {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 30, OnTick);
    }
    ~ModalSteps()
    {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    bool Finished() const { return next_ == steps_.size(); }

    // Text of a message box, or empty when top is none.
    static std::string BoxText(HWND top)
    {
        char text[1024] = "";
        GetDlgItemTextA(top, 0xFFFF, text, sizeof text);
        return text;
    }
    static std::string Caption(HWND top)
    {
        char text[256] = "";
        GetWindowTextA(top, text, sizeof text);
        return text;
    }
    static bool IsMessageBox(HWND top) { return top && GetDlgItem(top, 0xFFFF) != nullptr; }

    // A step that waits for a message box, records it and presses `button`.
    static Step Answer(int button, std::string *text = nullptr, std::string *caption = nullptr)
    {
        return [=](HWND top) {
            if (!IsMessageBox(top))
                return false;
            if (text)
                *text = BoxText(top);
            if (caption)
                *caption = Caption(top);
            PostMessageA(top, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
            return true;
        };
    }

  private:
    static BOOL CALLBACK FindTop(HWND window, LPARAM param)
    {
        if (IsWindowVisible(window) && IsWindowEnabled(window)) {
            *reinterpret_cast<HWND *>(param) = window;
            return FALSE;
        }
        return TRUE;
    }
    static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD)
    {
        ModalSteps *self = current_;
        if (!self || self->Finished() || self->busy_)
            return;
        HWND top = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), FindTop, reinterpret_cast<LPARAM>(&top));
        self->busy_ = true; // a step may open a nested modal loop
        if (self->steps_[self->next_](top))
            ++self->next_;
        self->busy_ = false;
    }

    static inline ModalSteps *current_ = nullptr;
    std::vector<Step> steps_;
    size_t next_ = 0;
    bool busy_ = false;
    UINT_PTR timer_ = 0;
};
