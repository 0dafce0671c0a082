// The harness against a program of known shape (fixture/): what it reads and
// clicks in another process is what that process shows.
#include <windows.h>
#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>

#include "common/win32/utf16.h"
#include "harness/paths.h"
#include "harness/program.h"
#include "harness/ui.h"

namespace vx::e2e {
namespace {

using vx::win32::Narrow;

const std::wstring kFixtureTitle = L"ハーネス fixture";

class HarnessTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Program::Start(WindowsPathOf(VX_HARNESS_FIXTURE_EXE), {}, &fixture_));
        ASSERT_TRUE(WaitForDialog(fixture_.Pid(), kFixtureTitle, kStartTimeout, &dialog_));
    }
    Program fixture_;
    HWND dialog_ = nullptr;
};

TEST_F(HarnessTest, ReadsToolbarAndStatusBarOfAnotherProcess) {
    HWND toolbar = FindChild(dialog_, TOOLBARCLASSNAMEW);
    ASSERT_NE(toolbar, nullptr);
    EXPECT_EQ(IsToolbarButtonEnabled(toolbar, 2000), true);
    EXPECT_EQ(IsToolbarButtonEnabled(toolbar, 2003), false);
    EXPECT_EQ(IsToolbarButtonEnabled(toolbar, 2001), std::nullopt) << "no such button";

    HWND status = FindChild(dialog_, STATUSCLASSNAMEW);
    ASSERT_NE(status, nullptr);
    std::wstring text;
    ASSERT_TRUE(ReadStatusBarText(status, 0, &text));
    EXPECT_EQ(Narrow(text), "ZAM QX-K480/330(168) プリンタ");
    ASSERT_TRUE(ReadStatusBarText(status, 1, &text));
    EXPECT_EQ(Narrow(text), "LPT1:");
}

TEST_F(HarnessTest, FindsReadsAndAnswersAMessageBox) {
    EXPECT_TRUE(MessageBoxes(fixture_.Pid()).empty()) << "the main dialog is no message box";
    ASSERT_TRUE(PostMessageW(dialog_, WM_COMMAND, 100, 0));

    HWND box = nullptr;
    ASSERT_TRUE(WaitForMessageBox(fixture_.Pid(), kReactTimeout, &box));
    EXPECT_EQ(Narrow(WindowText(box)), "Veltrix");
    EXPECT_EQ(Narrow(MessageBoxText(box)), "設定が変更されています。\n続けますか？");
    EXPECT_TRUE(HasButton(box, IDYES));
    EXPECT_TRUE(HasButton(box, IDNO));
    EXPECT_FALSE(HasButton(box, IDOK));

    ASSERT_TRUE(ClickButton(box, IDNO));
    EXPECT_TRUE(WaitForNoMessageBox(fixture_.Pid(), kReactTimeout));
    DWORD exitCode = 0;
    ASSERT_TRUE(fixture_.WaitForExit(kReactTimeout, &exitCode));
    EXPECT_EQ(exitCode, static_cast<DWORD>(IDNO));
}

}  // namespace
}  // namespace vx::e2e
