// The dispatchers on real windows and dialogs: default kinds, first-row rule,
// command ids and notification codes.
#include "shell/dispatch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Call {
    int handler;
    HWND window;
    UINT message;
    uint16_t id;
    uint32_t code;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Call> gCalls;

int FirstMessageHandler(HWND w, UINT m, WPARAM wp, LPARAM lp)
{
    gCalls.push_back({1, w, m, 0, 0, wp, lp});
    return 11;
}
int SecondMessageHandler(HWND w, UINT m, WPARAM wp, LPARAM lp)
{
    gCalls.push_back({2, w, m, 0, 0, wp, lp});
    return 22;
}
int FirstCommandHandler(HWND w, uint16_t id, uint32_t code, LPARAM lp)
{
    gCalls.push_back({1, w, WM_COMMAND, id, code, 0, lp});
    return 33;
}
int SecondCommandHandler(HWND w, uint16_t id, uint32_t code, LPARAM lp)
{
    gCalls.push_back({2, w, WM_COMMAND, id, code, 0, lp});
    return 44;
}

class PlainWindow {
  public:
    PlainWindow()
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "DispatchTestWindow";
        RegisterClassA(&windowClass); // a second registration fails harmlessly
        window = CreateWindowExA(0, "DispatchTestWindow", "before", WS_OVERLAPPED, 0, 0, 50, 50, nullptr,
                                 nullptr, windowClass.hInstance, nullptr);
    }
    ~PlainWindow() { DestroyWindow(window); }
    HWND window;
};

std::string TextOf(HWND window)
{
    char text[64] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

const MessageEntry kNoRows[] = {{0, nullptr}};

// WM_SETTEXT has a visible effect only if a default procedure handles it.
int SetTextThroughTable(int32_t kind, HWND window, const char *text)
{
    MessageTable table{0, kNoRows, kind};
    return DispatchMessageTable(table, window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

} // namespace

TEST(MessageDispatch, UnmatchedMessageGoesToTheDefaultKind)
{
    PlainWindow plain;
    ASSERT_NE(plain.window, nullptr);

    EXPECT_EQ(SetTextThroughTable(DefaultWindow, plain.window, "window"), TRUE);
    EXPECT_EQ(TextOf(plain.window), "window");

    // Kinds 0, 3 and a negative kind all return 0 and call no default procedure.
    for (int32_t kind : {0, 3, 7, -1}) {
        EXPECT_EQ(SetTextThroughTable(kind, plain.window, "changed"), 0) << "kind " << kind;
        EXPECT_EQ(TextOf(plain.window), "window") << "kind " << kind;
    }
}

namespace {
struct DialogRecord {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<DialogRecord> gDialogMessages;

INT_PTR CALLBACK RecordingDialogProc(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        gDialogMessages.push_back({message, wParam, lParam});
    return FALSE;
}

HWND CreateEmptyDialog()
{
    // An in-memory template: no controls, so the dialog manager needs no resource.
    alignas(4) static WORD templateWords[32] = {};
    auto *dialog = reinterpret_cast<DLGTEMPLATE *>(templateWords);
    dialog->style = WS_POPUP;
    dialog->cx = 50;
    dialog->cy = 20;
    return CreateDialogIndirectParamA(GetModuleHandleA(nullptr), dialog, nullptr, RecordingDialogProc, 0);
}
} // namespace

TEST(MessageDispatch, DialogDefaultKindReachesDefDlgProcWithArgumentsUnchanged)
{
    HWND dialog = CreateEmptyDialog();
    ASSERT_NE(dialog, nullptr);
    gDialogMessages.clear();
    const CommandEntry rows[] = {{1, FirstCommandHandler}};
    CommandTable table = MakeCommandTable(rows, DefaultDialog);
    // DefDlgProcA hands the message to the dialog's own procedure first: that
    // is where we can see what the default path received.
    DispatchCommandTable(table, dialog, MAKEWPARAM(77, 0x0300), 0x12345);
    ASSERT_EQ(gDialogMessages.size(), 1u);
    EXPECT_EQ(gDialogMessages[0].wParam, MAKEWPARAM(77, 0x0300));
    EXPECT_EQ(gDialogMessages[0].lParam, 0x12345);
    DestroyWindow(dialog);
}

TEST(MessageDispatch, FirstOfTwoEqualRowsWinsAndArgumentsPassUnchanged)
{
    PlainWindow plain;
    gCalls.clear();
    const MessageEntry rows[] = {{WM_USER + 5, FirstMessageHandler}, {WM_USER + 5, SecondMessageHandler}};
    MessageTable table = MakeMessageTable(rows, DefaultNone);
    EXPECT_EQ(DispatchMessageTable(table, plain.window, WM_USER + 5, 0xDEAD, 0xBEEF), 11);
    ASSERT_EQ(gCalls.size(), 1u);
    EXPECT_EQ(gCalls[0].handler, 1);
    EXPECT_EQ(gCalls[0].window, plain.window);
    EXPECT_EQ(gCalls[0].message, WM_USER + 5u);
    EXPECT_EQ(gCalls[0].wParam, 0xDEADu);
    EXPECT_EQ(gCalls[0].lParam, 0xBEEF);
}

TEST(MessageDispatch, CountOfZeroOrLessWalksNoRow)
{
    PlainWindow plain;
    gCalls.clear();
    const MessageEntry rows[] = {{WM_USER, FirstMessageHandler}};
    for (int32_t count : {0, -1}) {
        MessageTable table{count, rows, DefaultNone};
        EXPECT_EQ(DispatchMessageTable(table, plain.window, WM_USER, 0, 0), 0);
    }
    const CommandEntry commands[] = {{5, FirstCommandHandler}};
    CommandTable table{0, commands, DefaultNone};
    EXPECT_EQ(DispatchCommandTable(table, plain.window, 5, 0), 0);
    EXPECT_TRUE(gCalls.empty());
}

TEST(CommandDispatch, NotificationCodeReachesTheHandlerOfItsControl)
{
    PlainWindow plain;
    gCalls.clear();
    const CommandEntry rows[] = {{104, FirstCommandHandler}, {105, SecondCommandHandler}};
    CommandTable table = MakeCommandTable(rows, DefaultNone);
    EXPECT_EQ(DispatchCommandTable(table, plain.window, MAKEWPARAM(105, EN_UPDATE), 0x4242), 44);
    EXPECT_EQ(DispatchCommandTable(table, plain.window, MAKEWPARAM(104, 0xFFFF), 0), 33);
    ASSERT_EQ(gCalls.size(), 2u);
    EXPECT_EQ(gCalls[0].handler, 2);
    EXPECT_EQ(gCalls[0].id, 105);
    EXPECT_EQ(gCalls[0].code, uint32_t(EN_UPDATE));
    EXPECT_EQ(gCalls[0].lParam, 0x4242);
    EXPECT_EQ(gCalls[1].code, 0xFFFFu); // zero-extended, not sign-extended
}

TEST(CommandDispatch, IdIsComparedOnSixteenBits)
{
    PlainWindow plain;
    gCalls.clear();
    const CommandEntry rows[] = {{2, FirstCommandHandler}, {2, SecondCommandHandler}};
    CommandTable table = MakeCommandTable(rows, DefaultNone);
    // Only the low word is the id: 0x00010002 is command 2 with code 1.
    EXPECT_EQ(DispatchCommandTable(table, plain.window, 0x00010002, 0), 33);
    ASSERT_EQ(gCalls.size(), 1u);
    EXPECT_EQ(gCalls[0].id, 2);
    EXPECT_EQ(gCalls[0].code, 1u);
    // An id without a row in a dialog table: 0 and nothing else happens.
    EXPECT_EQ(DispatchCommandTable(table, plain.window, MAKEWPARAM(101, EN_CHANGE), 0), 0);
    EXPECT_EQ(gCalls.size(), 1u);
}
