// The agreement page run modally as the page sequence runs it, driven from
// timer ticks inside its own modal loop.
#include "modal_steps.h"
#include "resources/resource.h"
#include "shell/agreement_page.h"
#include "shell/pages.h"

#include <gtest/gtest.h>

TEST(AgreementText, IsOurLicenceInCrLfLines)
{
    char text[7000] = "";
    int length = LoadStringA(GetModuleHandleA(nullptr), IDS_AGREEMENT_TEXT, text, sizeof text);
    EXPECT_EQ(length, 3122);
    std::string body(text);
    EXPECT_EQ(body.rfind("DUNVO SOFTWARE LICENCE AGREEMENT\r\n", 0), 0u);
    int lines = 0;
    for (size_t i = 0; i < body.size(); ++i) {
        if (body[i] == '\n') {
            ++lines;
            EXPECT_TRUE(i > 0 && body[i - 1] == '\r') << "bare line feed at " << i;
        }
        if (body[i] == '\r') {
            EXPECT_TRUE(i + 1 < body.size() && body[i + 1] == '\n') << "bare carriage return at " << i;
        }
    }
    EXPECT_GT(lines, 20); // paragraphs and headings, each on its own line
}

TEST(AgreementPage, IAgreeEndsWithZeroAfterLoadingTextAndPicture)
{
    int shownLength = -1;
    ModalSteps steps({[&](HWND top) {
        if (!top || !GetDlgItem(top, IDE_AGREEMENT_TEXT))
            return false;
        shownLength = GetWindowTextLengthA(GetDlgItem(top, IDE_AGREEMENT_TEXT));
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDOK);
        PostMessageA(top, WM_COMMAND, IDOK, 0);
        return true;
    }});
    EXPECT_EQ(RunAgreementPage(nullptr), 0);
    EXPECT_TRUE(steps.Finished());
    EXPECT_EQ(shownLength, 3122);
    ASSERT_NE(PageBitmap.handle, nullptr);
    EXPECT_EQ(PageBitmap.description.bmWidth, 556);
    EXPECT_EQ(PageBitmap.description.bmHeight, 384);
}

TEST(AgreementPage, CancelAsksAndNoKeepsThePage)
{
    std::string question, caption;
    int textAfterNo = -1;
    HWND page = nullptr;
    ModalSteps steps({
        [&](HWND top) {
            if (!top || !GetDlgItem(top, IDE_AGREEMENT_TEXT))
                return false;
            page = top;
            PostMessageA(top, WM_COMMAND, IDCANCEL, 0);
            return true;
        },
        ModalSteps::Answer(IDNO, &question, &caption),
        [&](HWND top) {
            if (top != page)
                return false;
            textAfterNo = GetWindowTextLengthA(GetDlgItem(top, IDE_AGREEMENT_TEXT));
            PostMessageA(top, WM_COMMAND, IDCANCEL, 0);
            return true;
        },
        ModalSteps::Answer(IDYES),
    });
    EXPECT_EQ(RunAgreementPage(nullptr), 1);
    EXPECT_TRUE(steps.Finished());
    EXPECT_EQ(question, "Are you sure you want to cancel the setup?");
    EXPECT_EQ(caption, "Dunvo - Setup");
    EXPECT_EQ(textAfterNo, 3122);
}

TEST(PagePainter, DrawsThePictureAtTheClientOrigin)
{
    // The agreement page loads the picture; run it once if an earlier test did not.
    if (!PageBitmap.handle) {
        ModalSteps steps({[](HWND top) {
            if (!top)
                return false;
            PostMessageA(top, WM_COMMAND, IDOK, 0);
            return true;
        }});
        RunAgreementPage(nullptr);
    }
    ASSERT_NE(PageBitmap.handle, nullptr);
    COLORREF expected = 0, drawn = 1;
    ModalSteps steps({[&](HWND top) {
        if (!top)
            return false;
        // The top-left corner is sky, outside every control.
        HDC memoryDc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(memoryDc, PageBitmap.handle);
        expected = GetPixel(memoryDc, 3, 3);
        SelectObject(memoryDc, old);
        DeleteDC(memoryDc);
        UpdateWindow(top);
        HDC dc = GetDC(top);
        drawn = GetPixel(dc, 3, 3);
        ReleaseDC(top, dc);
        PostMessageA(top, WM_COMMAND, IDOK, 0);
        return true;
    }});
    RunAgreementPage(nullptr);
    EXPECT_EQ(drawn, expected);
}
