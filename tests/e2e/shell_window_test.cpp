// The program as a whole, seen from outside: the start-up worker's choice of the
// printer, one running copy, quitting with its questions, and the keyboard.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "harness/paths.h"
#include "harness/qlv3906.h"
#include "harness/ui.h"
#include "resources/resource.h"

namespace vx::e2e {
namespace {

const wchar_t kNtNotice[] =
    L"Windows XP/2000/NT 4.0でご利用になる場合、設定値をプリンタから取得することはできません。";
const wchar_t kSendBeforeExit[] = L"Veltrix を終了する前に、設定値をプリンタへ送信しますか？";
const wchar_t kSaveBeforeExit[] = L"Veltrix を終了する前に、設定ファイルへ保存しますか？";

// What the screen shows of `window`, as 0x00RRGGBB pixels row by row.
std::vector<DWORD> Capture(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return {};
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateDIBSection(mem, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    std::vector<DWORD> pixels(static_cast<const DWORD*>(bits),
                              static_cast<const DWORD*>(bits) + static_cast<std::size_t>(w) * h);
    for (DWORD& p : pixels) p &= 0xFFFFFF;
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return pixels;
}

struct ShellWindow : testing::Test {
    Program app;
    HWND main = nullptr;

    // Starts the program under the NT family and answers the start-up notice about
    // reading settings from the printer.
    void SetUp() override {
        ASSERT_TRUE(StartQlv3906({}, &app, &main));
        ASSERT_TRUE(Answer(kNtNotice, IDOK));
    }

    // Waits for a message box of the program, checks its text and clicks `button`.
    testing::AssertionResult Answer(const std::wstring& text, int button) {
        HWND box = nullptr;
        testing::AssertionResult found = WaitForMessageBox(app.Pid(), kReactTimeout, &box);
        if (!found) return found << " (waiting for \"" << testing::PrintToString(text) << "\")";
        const std::wstring shown = MessageBoxText(box);
        testing::AssertionResult clicked = ClickButton(box, button);
        if (shown != text)
            return testing::AssertionFailure()
                   << "a message box said " << testing::PrintToString(shown);
        if (!clicked) return clicked;
        if (!PollUntil(kReactTimeout, [&] { return !IsWindow(box) || !IsWindowVisible(box); }))
            return testing::AssertionFailure() << "the message box stayed after the click";
        return testing::AssertionSuccess();
    }

    // Ctrl+I, and the message that the factory defaults are shown. A key can be lost
    // while the window settles after the start-up notice: press again.
    void PressCtrlIForTheFactoryDefaults() {
        bool shown = false;
        for (int attempt = 0; attempt < 3 && !shown; ++attempt)
            shown = PressKeyIn(
                main, 'I', true, [&] { return !MessageBoxes(app.Pid()).empty(); }, Millis{3000});
        EXPECT_TRUE(shown) << "Ctrl+I showed nothing, three times";
        EXPECT_TRUE(Answer(L"工場出荷設定値を表示しました。", IDOK));
    }

    HWND Toolbar() { return FindChild(main, TOOLBARCLASSNAMEW); }
    HWND PageWith(int controlId) {
        for (HWND child = FindWindowExW(main, nullptr, kDialogClass, nullptr); child;
             child = FindWindowExW(main, child, kDialogClass, nullptr))
            if (GetDlgItem(child, controlId)) return child;
        return nullptr;
    }
    // A change on the MSW2 page, waited for until the send button reflects it.
    void ChangeASetting() {
        HWND page = PageWith(IDC_MSW2_SW3_NATIVE);
        ASSERT_NE(page, nullptr);
        SendMessageW(GetDlgItem(page, IDC_MSW2_SW5_DISABLED), BM_CLICK, 0, 0);
        ASSERT_TRUE(PollUntil(kReactTimeout, [&] {
            return IsToolbarButtonEnabled(Toolbar(), IDT_SEND_SETTINGS) ==
                   std::optional<bool>(true);
        })) << "the send button never came on after the change";
    }
};

TEST_F(ShellWindow, StartUpTakesTheOnlyPrinterAndShowsItInTheStatusBar) {
    HWND status = FindChild(main, STATUSCLASSNAMEW);
    ASSERT_NE(status, nullptr);
    std::wstring name, destination;
    ASSERT_TRUE(PollUntil(kReactTimeout, [&] {
        return ReadStatusBarText(status, 0, &name) && ReadStatusBarText(status, 1, &destination) &&
               !destination.empty();
    })) << "the status bar never named the printer";
    EXPECT_EQ(name, L"プリンタ名： ZAM QX-K480/330(168)");
    EXPECT_EQ(destination, L"接続先： LPT1:");
    // One printer: nothing to choose from. NT family: nothing to receive.
    EXPECT_EQ(IsToolbarButtonEnabled(Toolbar(), IDT_SELECT_PRINTER), std::optional<bool>(false));
    EXPECT_EQ(IsToolbarButtonEnabled(Toolbar(), IDT_RECEIVE_SETTINGS), std::optional<bool>(false));
    // A printer whose settings cannot be read is one to send to.
    EXPECT_EQ(IsToolbarButtonEnabled(Toolbar(), IDT_SEND_SETTINGS), std::optional<bool>(true));
}

TEST_F(ShellWindow, ASecondStartBringsTheFirstWindowBackAndEnds) {
    ShowWindow(main, SW_MINIMIZE);
    ASSERT_TRUE(PollUntil(kReactTimeout, [&] { return IsIconic(main) != FALSE; }))
        << "could not minimise";

    Program second;
    ASSERT_TRUE(Program::Start(Qlv3906Path(), {}, &second));
    DWORD code = 1234;
    ASSERT_TRUE(second.WaitForExit(kStartTimeout, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(PollUntil(kReactTimeout, [&] { return IsIconic(main) == FALSE; }))
        << "the running window was not restored";
    EXPECT_TRUE(app.Running());
}

TEST_F(ShellWindow, QuittingAfterAChangeAsksToSendThenToSave) {
    ChangeASetting();
    PostMessageW(main, WM_COMMAND, IDM_EXIT, 0);
    ASSERT_TRUE(Answer(kSendBeforeExit, IDNO));
    ASSERT_TRUE(Answer(kSaveBeforeExit, IDNO));
    DWORD code = 1234;
    ASSERT_TRUE(app.WaitForExit(kReactTimeout, &code));
    EXPECT_EQ(code, 0u);
}

TEST_F(ShellWindow, CancelAtTheCloseBoxKeepsTheProgramRunning) {
    ChangeASetting();
    PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(Answer(kSendBeforeExit, IDCANCEL));
    ASSERT_TRUE(WaitForNoMessageBox(app.Pid(), kReactTimeout));
    Sleep(500);  // a wrongly closing window would be gone by now
    EXPECT_TRUE(app.Running());
    EXPECT_TRUE(IsWindowVisible(main));
}

TEST_F(ShellWindow, CtrlIShowsTheFactoryDefaults) { PressCtrlIForTheFactoryDefaults(); }

// The drawn menu gets its command images when it first opens, and the commands keep the
// states the start-up gave them: select printer stays disabled (one printer), so its
// accelerator still does nothing, while that of an enabled command works.
TEST_F(ShellWindow, OpeningTheMenuKeepsTheCommandStates) {
    PostMessageW(main, WM_SYSCOMMAND, SC_KEYMENU, 'f');
    ASSERT_TRUE(PollUntil(kReactTimeout, [&] {
        return !TopLevelWindows(app.Pid(), L"#32768").empty();
    })) << "the file menu did not open";
    PostMessageW(main, WM_CANCELMODE, 0, 0);
    ASSERT_TRUE(PollUntil(kReactTimeout, [&] {
        return TopLevelWindows(app.Pid(), L"#32768").empty();
    })) << "the file menu did not close";

    EXPECT_FALSE(PressKeyIn(
        main, 'C', true,
        [&] {
            for (HWND w : TopLevelWindows(app.Pid()))
                if (WindowText(w) == L"プリンタの選択") return true;
            return false;
        },
        Millis{1500}))
        << "Ctrl+C opened the printer list of a disabled command";
    PressCtrlIForTheFactoryDefaults();
}

TEST_F(ShellWindow, F1WithoutAHelpFileDoesNothing) {
    const auto before = TopLevelWindows(app.Pid()).size();
    // Nothing may appear within a second and a half.
    EXPECT_FALSE(PressKeyIn(
        main, VK_F1, false, [&] { return TopLevelWindows(app.Pid()).size() != before; },
        Millis{1500}));
    EXPECT_TRUE(app.Running());
}

// The menu images are drawn without their light grey RGB(192,192,192), which is their
// transparent colour whatever the colour scheme: the open File menu holds enabled images and
// disabled ones (receiving and choosing the printer are off here).
TEST_F(ShellWindow, MenuImagesShowNoneOfTheirTransparentGrey) {
    // The File menu is asked for again when it does not show within three seconds: as with a
    // key, a request can be lost while the window settles. It counts as drawn once two
    // captures in a row agree.
    std::vector<DWORD> pixels, previous;
    auto asked = std::chrono::steady_clock::now() - std::chrono::seconds(10);
    auto shownStill = [&] {
        HWND popup = nullptr;
        for (HWND w : TopLevelWindows(app.Pid(), L"#32768"))
            if (IsWindowVisible(w)) popup = w;
        if (!popup) {
            pixels.clear();
            if (std::chrono::steady_clock::now() - asked > std::chrono::seconds(3)) {
                SetForegroundWindow(main);
                PostMessageW(main, WM_SYSCOMMAND, SC_KEYMENU, 'f');
                asked = std::chrono::steady_clock::now();
            }
            return false;
        }
        previous = pixels;
        pixels = Capture(popup);
        return !pixels.empty() && pixels == previous;
    };
    ASSERT_TRUE(PollUntil(Millis{20000}, shownStill))
        << "the File menu never showed still on the screen; windows: "
        << DescribeWindows(app.Pid());
    std::size_t grey = 0, yellow = 0;
    for (DWORD p : pixels) {
        grey += p == 0xC0C0C0;
        yellow += p == 0xFFFF00;  // the folder of the open command's image
    }
    EXPECT_EQ(grey, 0u);
    EXPECT_GT(yellow, 0u) << "no image seems to be drawn";
    PostMessageW(main, WM_CANCELMODE, 0, 0);
}

// The program next to the real help file, in a folder of its own: F1 opens the HTML
// Help viewer, or says so when the viewer shows nothing (Wine's viewer may have no
// HTML engine to show the topics with).
TEST(HelpWindow, F1NextToTheHelpFileOpensItOrSaysItCannot) {
    const std::wstring folder = TestIoPath(L"with-help");
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring program = folder + L"\\QLV3906.EXE";
    ASSERT_TRUE(CopyFileW(Qlv3906Path().c_str(), program.c_str(), FALSE));
    ASSERT_TRUE(
        CopyFileW(WindowsPathOf(VX_HELP_CHM).c_str(), (folder + L"\\QLV3906.chm").c_str(), FALSE));

    Program app;
    HWND main = nullptr;
    ASSERT_TRUE(Program::Start(program, {}, &app));
    ASSERT_TRUE(WaitForDialog(app.Pid(), kMainTitle, kStartTimeout, &main));
    HWND notice = nullptr;
    ASSERT_TRUE(WaitForMessageBox(app.Pid(), kReactTimeout, &notice));
    ASSERT_EQ(MessageBoxText(notice), kNtNotice);
    ASSERT_TRUE(ClickButton(notice, IDOK));
    ASSERT_TRUE(WaitForNoMessageBox(app.Pid(), kReactTimeout));

    const auto before = TopLevelWindows(app.Pid(), nullptr);
    // The viewer's own window, titled with the help file's title (read in the help file's
    // code page). Wine's viewer may first show other windows of its own ("Select Topic:").
    auto helpWindow = [&]() -> HWND {
        for (HWND w : TopLevelWindows(app.Pid(), nullptr))
            if (std::find(before.begin(), before.end(), w) == before.end() && !IsMessageBox(w) &&
                IsWindowVisible(w) && WindowText(w) == L"ZAM QX-K480/330 ベルトリクス ヘルプ")
                return w;
        return nullptr;
    };
    const bool reacted = PressKeyIn(
        main, VK_F1, false, [&] { return helpWindow() || !MessageBoxes(app.Pid()).empty(); },
        kReactTimeout);
    ASSERT_TRUE(reacted) << "F1 showed neither help nor a message; " << DescribeWindows(app.Pid());

    if (helpWindow()) {
        std::printf("F1 opened the help window\n");
        return;
    }
    std::printf("F1: the viewer showed no window; the program said so\n");
    HWND box = MessageBoxes(app.Pid()).front();
    EXPECT_EQ(MessageBoxText(box), L"ヘルプファイルが見つかりません。");
    EXPECT_EQ(WindowText(box), L"Veltrix");
    EXPECT_TRUE(ClickButton(box, IDOK));
}

}  // namespace
}  // namespace vx::e2e
