// The five setting pages of the settings program, seen and used from outside.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "harness/qlv3906.h"
#include "harness/ui.h"
#include "resources/resource.h"
#include "settings/win32/utf16.h"

namespace vx::e2e {
namespace {

// A control that only one page has, to tell the pages apart.
constexpr int kPageMarkers[5] = {IDC_SEL_PAGE_LENGTH, IDC_MSW1_COUNTRY, IDC_MSW2_SW3_NATIVE,
                                 IDC_MSW3_SPEED, IDC_MSW4_DENSITY};

// A control's text in another process: WM_GETTEXT is marshalled across processes,
// GetWindowText is not.
std::wstring ControlText(HWND control) {
    wchar_t text[256] = {};
    SendMessageW(control, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return text;
}

struct PagesWindow : testing::Test {
    Program app;
    HWND main = nullptr;
    HWND pages[5] = {};

    void SetUp() override {
        ASSERT_TRUE(StartQlv3906({}, &app, &main));
        for (HWND child = FindWindowExW(main, nullptr, kDialogClass, nullptr); child;
             child = FindWindowExW(main, child, kDialogClass, nullptr)) {
            for (int i = 0; i < 5; ++i) {
                if (GetDlgItem(child, kPageMarkers[i])) pages[i] = child;
            }
        }
        for (int i = 0; i < 5; ++i) ASSERT_NE(pages[i], nullptr) << "page " << i;
    }

    int Check(int page, int id) {
        return static_cast<int>(SendMessageW(GetDlgItem(pages[page], id), BM_GETCHECK, 0, 0));
    }
    std::wstring Text(int page, int id) { return ControlText(GetDlgItem(pages[page], id)); }
    std::optional<bool> SendButton() {
        return IsToolbarButtonEnabled(FindChild(main, TOOLBARCLASSNAMEW), IDT_SEND_SETTINGS);
    }
    bool WaitForSendButton(bool enabled) {
        return PollUntil(kReactTimeout, [&] { return SendButton() == enabled; });
    }
    bool WaitForVisiblePage(int index) {
        return PollUntil(kReactTimeout, [&] {
            for (int i = 0; i < 5; ++i) {
                if ((IsWindowVisible(pages[i]) != FALSE) != (i == index)) return false;
            }
            return true;
        });
    }
    // The program's keyboard focus.
    HWND Focus() {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info) ? info.hwndFocus
                                                                                : nullptr;
    }
    // Puts the program's keyboard focus on `control` by sharing its input state a moment.
    bool SetFocusIn(HWND control) {
        const DWORD appThread = GetWindowThreadProcessId(main, nullptr);
        const DWORD ownThread = GetCurrentThreadId();
        if (!AttachThreadInput(ownThread, appThread, TRUE)) return false;
        SetFocus(control);
        AttachThreadInput(ownThread, appThread, FALSE);
        return PollUntil(kReactTimeout, [&] { return Focus() == control; });
    }
    // A key pressed in the program, with Ctrl held when `ctrl`: the key messages go to
    // the program's focus window while its keyboard state (shared for the moment) says
    // Ctrl is down. Other programs on the display do not get in the way, as they would
    // with synthesised input to the foreground window.
    bool PressKey(WORD key, bool ctrl, std::function<bool()> done, Millis wait = kReactTimeout) {
        const DWORD appThread = GetWindowThreadProcessId(main, nullptr);
        const DWORD ownThread = GetCurrentThreadId();
        if (!AttachThreadInput(ownThread, appThread, TRUE)) return false;
        BYTE state[256] = {};
        GetKeyboardState(state);
        if (ctrl) state[VK_CONTROL] = state[VK_LCONTROL] = 0x80;
        SetKeyboardState(state);
        HWND target = Focus() ? Focus() : main;
        PostMessageW(target, WM_KEYDOWN, key, 1);
        PostMessageW(target, WM_KEYUP, key, 0xC0000001);
        const bool ok = PollUntil(wait, done);
        state[VK_CONTROL] = state[VK_LCONTROL] = 0;
        SetKeyboardState(state);
        AttachThreadInput(ownThread, appThread, FALSE);
        return ok;
    }
    int TabSelection() {
        return static_cast<int>(SendMessageW(GetDlgItem(main, IDC_MAIN_TAB), TCM_GETCURSEL, 0, 0));
    }
};

// Every page shows the factory settings when the window opens.
TEST_F(PagesWindow, ShowFactoryDefaultsOnAllFivePages) {
    EXPECT_TRUE(IsWindowVisible(pages[0]));
    EXPECT_EQ(TabSelection(), 0);
    EXPECT_EQ(SendMessageW(GetDlgItem(main, IDC_MAIN_TAB), TCM_GETITEMCOUNT, 0, 0), 5);

    EXPECT_EQ(Check(0, IDC_SEL_OUTLINE_OFF), BST_UNCHECKED);
    EXPECT_EQ(Check(0, IDC_SEL_OUTLINE_ON), BST_CHECKED);
    EXPECT_EQ(Check(0, IDC_SEL_TYPEFACE_MINCHO), BST_CHECKED);
    EXPECT_EQ(Check(0, IDC_SEL_TYPEFACE_GOTHIC), BST_UNCHECKED);
    EXPECT_EQ(Text(0, IDC_SEL_FONT1), L"標準");
    EXPECT_EQ(Text(0, IDC_SEL_FONT2), L"標準");
    EXPECT_EQ(Text(0, IDC_SEL_KANJI_TABLE), L"JIS1978年版");
    EXPECT_EQ(Text(0, IDC_SEL_PAGE_LENGTH), L"66");

    EXPECT_EQ(Text(1, IDC_MSW1_COUNTRY), L"日本");
    for (int id : {IDC_MSW1_SW5_ENABLED, IDC_MSW1_SW6_CRLF, IDC_MSW1_SW7_CR, IDC_MSW1_SW8_RETURN})
        EXPECT_EQ(Check(1, id), BST_CHECKED) << id;
    for (int id : {IDC_MSW1_SW5_DISABLED, IDC_MSW1_SW6_CR, IDC_MSW1_SW7_ALL, IDC_MSW1_SW8_NEWLINE})
        EXPECT_EQ(Check(1, id), BST_UNCHECKED) << id;

    EXPECT_EQ(Check(2, IDC_MSW2_SW1_SLASH), BST_UNCHECKED);
    for (int id : {IDC_MSW2_SW3_NATIVE, IDC_MSW2_SW4_ENABLED, IDC_MSW2_SW5_ENABLED,
                   IDC_MSW2_SW6_8BIT, IDC_MSW2_SW7_DISCARD, IDC_MSW2_SW8_RESET})
        EXPECT_EQ(Check(2, id), BST_CHECKED) << id;
    for (int id : {IDC_MSW2_SW3_COPY, IDC_MSW2_SW4_DISABLED, IDC_MSW2_SW5_DISABLED,
                   IDC_MSW2_SW6_7BIT, IDC_MSW2_SW7_KEEP, IDC_MSW2_SW8_PLATEN})
        EXPECT_EQ(Check(2, id), BST_UNCHECKED) << id;

    EXPECT_EQ(Text(3, IDC_MSW3_SPEED), L"３１０LPM");
    EXPECT_EQ(Check(3, IDC_MSW3_SW7_SLASH), BST_UNCHECKED);
    for (int id : {IDC_MSW3_SW3_DISABLED, IDC_MSW3_SW4_168, IDC_MSW3_SW5_FIRST, IDC_MSW3_SW6_LAN,
                   IDC_MSW3_SW8_ENABLED})
        EXPECT_EQ(Check(3, id), BST_CHECKED) << id;

    EXPECT_EQ(Text(4, IDC_MSW4_DENSITY), L"標準");
    EXPECT_EQ(Text(4, IDC_MSW4_PRINT_MODE), L"標準");
    for (int id : {IDC_MSW4_SW1_DISABLED, IDC_MSW4_SW4_NO, IDC_MSW4_SW7_ENABLED, IDC_MSW4_SW8_WIDE})
        EXPECT_EQ(Check(4, id), BST_CHECKED) << id;

    // The lists hold their items in template order.
    HWND speed = GetDlgItem(pages[3], IDC_MSW3_SPEED);
    ASSERT_EQ(SendMessageW(speed, CB_GETCOUNT, 0, 0), 3);
    wchar_t item[32] = {};
    SendMessageW(speed, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(item));
    EXPECT_STREQ(item, L"２４０LPM");

    EXPECT_EQ(SendButton(), false) << "sending is disabled until the first change";
}

// A change on a page enables sending at once; while the printer was never sent to,
// changing the setting back leaves sending enabled.
TEST_F(PagesWindow, ClickingARadioOnTheMsw2PageEnablesSending) {
    PostMessageW(main, WM_COMMAND, IDM_PAGE_MSW2, 0);
    ASSERT_TRUE(WaitForVisiblePage(2));
    ASSERT_EQ(SendButton(), false);

    SendMessageW(GetDlgItem(pages[2], IDC_MSW2_SW5_DISABLED), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitForSendButton(true));
    EXPECT_EQ(Check(2, IDC_MSW2_SW5_DISABLED), BST_CHECKED);
    EXPECT_EQ(Check(2, IDC_MSW2_SW5_ENABLED), BST_UNCHECKED);

    SendMessageW(GetDlgItem(pages[2], IDC_MSW2_SW5_ENABLED), BM_CLICK, 0, 0);
    Sleep(300);
    EXPECT_EQ(SendButton(), true);
}

// Once the settings were sent, the comparison is by content: changing a radio
// button and changing it back disables sending again.
TEST_F(PagesWindow, ChangingBackAfterASendDisablesSendingAgain) {
    PostMessageW(main, WM_COMMAND, IDM_PAGE_MSW2, 0);
    ASSERT_TRUE(WaitForVisiblePage(2));
    HWND disabled = GetDlgItem(pages[2], IDC_MSW2_SW5_DISABLED);
    HWND enabled = GetDlgItem(pages[2], IDC_MSW2_SW5_ENABLED);
    SendMessageW(disabled, BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitForSendButton(true));

    // Send until it succeeds: the first attempt has no printer yet and goes through the
    // printer choice. Every question is answered No, every notice OK, the list OK.
    bool sent = false;
    for (int attempt = 0; attempt < 3 && !sent; ++attempt) {
        PostMessageW(main, WM_COMMAND, IDT_SEND_SETTINGS, 0);
        PollUntil(kReactTimeout, [&] {
            for (HWND box : MessageBoxes(app.Pid())) {
                ClickButton(box, HasButton(box, IDNO) ? IDNO : IDOK);
                return false;
            }
            for (HWND dialog : TopLevelWindows(app.Pid())) {
                if (WindowText(dialog) == L"プリンタの選択") {
                    ClickButton(dialog, IDOK);
                    return false;
                }
            }
            return SendButton() == false && TopLevelWindows(app.Pid()).size() == 1;
        });
        sent = SendButton() == false;
    }
    ASSERT_TRUE(sent) << DescribeWindows(app.Pid());

    SendMessageW(disabled, BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitForSendButton(true));
    SendMessageW(enabled, BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitForSendButton(false)) << "the block equals the one sent";
}

// The keyboard: Ctrl+3 shows the MSW3 page. The focus moves onto the page from a
// control of another page, and stays on the tab control when that has it.
TEST_F(PagesWindow, CtrlThreeShowsTheMsw3Page) {
    HWND tab = GetDlgItem(main, IDC_MAIN_TAB);
    for (HWND focusFirst : {GetDlgItem(pages[0], IDC_SEL_FONT1), tab}) {
        SCOPED_TRACE(focusFirst == tab ? "focus on the tab control" : "focus on a page control");
        PostMessageW(main, WM_COMMAND, IDM_PAGE_SELECT, 0);
        ASSERT_TRUE(WaitForVisiblePage(0));
        ASSERT_TRUE(SetFocusIn(focusFirst));

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

// Enter and Escape do not close the main window.
TEST_F(PagesWindow, EnterAndEscapeDoNothing) {
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

// Command 16 opens the about box, which OK closes.
TEST_F(PagesWindow, AboutBoxOpensAndCloses) {
    PostMessageW(main, WM_COMMAND, IDM_ABOUT, 0);
    HWND about = nullptr;
    ASSERT_TRUE(WaitForDialog(app.Pid(), L"バージョン情報", kReactTimeout, &about));
    EXPECT_TRUE(HasButton(about, IDOK));
    ASSERT_TRUE(ClickButton(about, IDOK));
    EXPECT_TRUE(PollUntil(kReactTimeout, [&] { return !IsWindow(about); }));
}

// Typing a page length out of range is corrected in the box.
TEST_F(PagesWindow, PageLengthTypedOutOfRangeIsClamped) {
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
