// The five setting pages of the settings program, seen and used from outside.
#include <gtest/gtest.h>

#include <vector>

#include "pages_fixture.h"

namespace vx::e2e {
namespace {

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
}

// The start-up applies the factory settings to each page once: the pages then hold exactly
// what applying them a second time leaves (the factory-settings command does that).
TEST_F(PagesWindow, StartUpStateIsWhatApplyingTheDefaultsAgainLeaves) {
    const std::wstring atStart = PagesState();
    PostMessageW(main, WM_COMMAND, IDM_FACTORY_DEFAULTS, 0);
    HWND box = nullptr;
    ASSERT_TRUE(WaitForMessageBox(app.Pid(), kReactTimeout, &box));
    EXPECT_EQ(MessageBoxText(box), L"工場出荷設定値を表示しました。");
    AnswerUntilQuiet();
    EXPECT_EQ(vx::win32::Narrow(PagesState()), vx::win32::Narrow(atStart));
}

// When the first start-up notice shows, the window is complete: all five pages exist and
// the window and everything shown in it have been painted.
BOOL CALLBACK AddIfVisible(HWND child, LPARAM list) {
    if (IsWindowVisible(child)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

struct PagesAtStartUp : PagesWindow {
    void SetUp() override {}
};

TEST_F(PagesAtStartUp, WindowIsPaintedWithAllPagesBeforeTheFirstNotice) {
    ASSERT_TRUE(StartQlv3906({}, &app, &main));
    HWND box = nullptr;
    ASSERT_TRUE(WaitForMessageBox(app.Pid(), kStartTimeout, &box));
    EXPECT_TRUE(FindPages()) << DescribeWindows(app.Pid());
    std::vector<HWND> shown{main};
    EnumChildWindows(main, AddIfVisible, reinterpret_cast<LPARAM>(&shown));
    EXPECT_GT(shown.size(), 10u);
    for (HWND w : shown)
        EXPECT_FALSE(GetUpdateRect(w, nullptr, FALSE))
            << vx::win32::Narrow(ClassName(w)) << " " << GetDlgCtrlID(w) << " waits for painting";
    AnswerUntilQuiet();
}

// After a send, a radio button clicked on the MSW2 page enables sending, and
// clicking it back disables sending again once nothing else differs.
TEST_F(PagesWindow, ARadioClickEnablesSendingAndClickingBackDisablesIt) {
    // Send until it succeeds (a printer the start-up could not read keeps sending enabled).
    for (int attempt = 0; attempt < 3 && SendButton() != false; ++attempt) {
        PostMessageW(main, WM_COMMAND, IDT_SEND_SETTINGS, 0);
        AnswerUntilQuiet();
    }
    ASSERT_EQ(SendButton(), false) << DescribeWindows(app.Pid());

    PostMessageW(main, WM_COMMAND, IDM_PAGE_MSW2, 0);
    ASSERT_TRUE(WaitForVisiblePage(2));
    const bool sentDisabled = Check(2, IDC_MSW2_SW5_DISABLED) == BST_CHECKED;
    HWND other = GetDlgItem(pages[2], sentDisabled ? IDC_MSW2_SW5_ENABLED : IDC_MSW2_SW5_DISABLED);
    HWND back = GetDlgItem(pages[2], sentDisabled ? IDC_MSW2_SW5_DISABLED : IDC_MSW2_SW5_ENABLED);

    SendMessageW(other, BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitForSendButton(true));
    EXPECT_EQ(SendMessageW(other, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(back, BM_GETCHECK, 0, 0), BST_UNCHECKED);

    SendMessageW(back, BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitForSendButton(false)) << "the block equals the one sent";
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

}  // namespace
}  // namespace vx::e2e
