// The pages and the keyboard: these scenarios need the program's window active
// with the focus where they put it, so they run alone (no other program on the
// display takes the focus away meanwhile).
#include <gtest/gtest.h>

#include <map>

#include "pages_fixture.h"
#include "tests/pages/page_lists.h"

namespace vx::e2e {
namespace {

class PagesKeyboard : public PagesWindow {};

// The keyboard: Ctrl+3 shows the MSW3 page. The focus moves onto the page from a
// control of another page, and stays on the tab control when that has it.
TEST_F(PagesKeyboard, CtrlThreeShowsTheMsw3Page) {
    HWND tab = GetDlgItem(main, IDC_MAIN_TAB);
    for (HWND focusFirst : {GetDlgItem(pages[0], IDC_SEL_FONT1), tab}) {
        SCOPED_TRACE(focusFirst == tab ? "focus on the tab control" : "focus on a page control");
        PostMessageW(main, WM_COMMAND, IDM_PAGE_SELECT, 0);
        ASSERT_TRUE(WaitForVisiblePage(0));
        ASSERT_TRUE(SetFocusIn(focusFirst))
            << "focus is on " << Focus() << " class " << vx::win32::Narrow(ClassName(Focus()))
            << "; windows: " << DescribeWindows(app.Pid());

        EXPECT_TRUE(PressKey('3', true, [&] { return IsWindowVisible(pages[3]) != FALSE; }));
        EXPECT_TRUE(WaitForVisiblePage(3));
        EXPECT_EQ(TabSelection(), 3);
        if (focusFirst == tab) {
            EXPECT_EQ(Focus(), tab);
        } else {
            EXPECT_TRUE(PollUntil(kReactTimeout, [&] { return IsChild(pages[3], Focus()); }));
        }
    }
}

// Ctrl+Tab goes to the next page and Ctrl+PageUp back, from a control of the page; the
// focus follows onto the page shown.
TEST_F(PagesKeyboard, CtrlTabAndCtrlPageUpChangeThePage) {
    PostMessageW(main, WM_COMMAND, IDM_PAGE_SELECT, 0);
    ASSERT_TRUE(WaitForVisiblePage(0));
    ASSERT_TRUE(SetFocusIn(GetDlgItem(pages[0], IDC_SEL_FONT1)));
    EXPECT_TRUE(PressKey(VK_TAB, true, [&] { return TabSelection() == 1; }))
        << "Ctrl+Tab left the tab at " << TabSelection();
    EXPECT_TRUE(WaitForVisiblePage(1));
    EXPECT_TRUE(PollUntil(kReactTimeout, [&] { return IsChild(pages[1], Focus()); }));
    EXPECT_TRUE(PressKey(VK_PRIOR, true, [&] { return TabSelection() == 0; }))
        << "Ctrl+PageUp left the tab at " << TabSelection();
    EXPECT_TRUE(WaitForVisiblePage(0));
}

// Ctrl+C in the page-length box copies its text; the printer list (Ctrl+C elsewhere)
// does not open.
TEST_F(PagesKeyboard, CtrlCInThePageLengthBoxCopies) {
    HWND edit = GetDlgItem(pages[0], IDC_SEL_PAGE_LENGTH);
    ASSERT_TRUE(SetFocusIn(edit));
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"42"));
    SendMessageW(edit, EM_SETSEL, 0, -1);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    auto clipboard = [] {
        std::wstring text;
        if (!OpenClipboard(nullptr)) return text;
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            if (const auto* p = static_cast<const wchar_t*>(GlobalLock(data))) text = p;
            GlobalUnlock(data);
        }
        CloseClipboard();
        return text;
    };
    EXPECT_TRUE(PressKey('C', true, [&] { return clipboard() == L"42"; }))
        << "the clipboard holds \"" << vx::win32::Narrow(clipboard()) << "\"";
    // Nothing else is to happen, so the printer list gets a second to appear.
    EXPECT_FALSE(PollUntil(Millis{1000},
                           [&] {
                               for (HWND w : TopLevelWindows(app.Pid()))
                                   if (WindowText(w) == L"プリンタの選択") return true;
                               return !MessageBoxes(app.Pid()).empty();
                           }))
        << "windows: " << DescribeWindows(app.Pid());
    EXPECT_EQ(ControlText(edit), L"42");
}

// The arrow keys stay inside a radio pair: Down on a pair's second button goes round to its
// first button, and no list of the page changes on the way.
TEST_F(PagesKeyboard, DownStaysInsideEveryRadioPair) {
    const int templates[5] = {IDD_PAGE_SELECT, IDD_PAGE_MSW1, IDD_PAGE_MSW2, IDD_PAGE_MSW3,
                              IDD_PAGE_MSW4};
    const int commands[5] = {IDM_PAGE_SELECT, IDM_PAGE_MSW1, IDM_PAGE_MSW2, IDM_PAGE_MSW3,
                             IDM_PAGE_MSW4};
    for (int page = 0; page < 5; ++page) {
        SCOPED_TRACE("page " + std::to_string(page));
        PostMessageW(main, WM_COMMAND, commands[page], 0);
        ASSERT_TRUE(WaitForVisiblePage(page));
        auto selections = [&] {
            std::map<int, LRESULT> selected;
            for (const auto& list : test::PageLists(templates[page]))
                selected[list.first] =
                    SendMessageW(GetDlgItem(pages[page], list.first), CB_GETCURSEL, 0, 0);
            return selected;
        };
        const std::map<int, LRESULT> before = selections();
        for (const auto& [first, second] : test::RadioPairs(templates[page])) {
            SCOPED_TRACE("pair " + std::to_string(first) + "/" + std::to_string(second));
            HWND firstButton = GetDlgItem(pages[page], first);
            ASSERT_TRUE(SetFocusIn(GetDlgItem(pages[page], second)));
            EXPECT_TRUE(PressKey(VK_DOWN, false, [&] { return Focus() == firstButton; }))
                << "the focus went to control " << GetDlgCtrlID(Focus());
            EXPECT_EQ(selections(), before);
        }
    }
}

// Enter and Escape do not close the main window.
TEST_F(PagesKeyboard, EnterAndEscapeDoNothing) {
    ASSERT_TRUE(SetFocusIn(GetDlgItem(pages[0], IDC_SEL_OUTLINE_ON)));
    // Nothing is to happen, so each key gets a second to do it.
    PressKey(
        VK_RETURN, false, [] { return false; }, Millis{1000});
    PressKey(
        VK_ESCAPE, false, [] { return false; }, Millis{1000});
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_TRUE(app.Running());
    EXPECT_EQ(MessageBoxes(app.Pid()).size(), 0u);
}

// Typing a page length out of range is corrected in the box.
TEST_F(PagesKeyboard, PageLengthTypedOutOfRangeIsClamped) {
    HWND edit = GetDlgItem(pages[0], IDC_SEL_PAGE_LENGTH);
    ASSERT_TRUE(SetFocusIn(edit)) << "the correction needs the focus in the box";
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"150"));
    EXPECT_TRUE(PollUntil(kReactTimeout, [&] { return ControlText(edit) == L"99"; }))
        << "the box shows " << vx::win32::Narrow(ControlText(edit));
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    EXPECT_TRUE(PollUntil(kReactTimeout, [&] { return ControlText(edit) == L"1"; }));
    EXPECT_TRUE(WaitForSendButton(true));
}

}  // namespace
}  // namespace vx::e2e
