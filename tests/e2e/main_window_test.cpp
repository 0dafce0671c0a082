// The settings program's main window, seen from outside.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "common/win32/utf16.h"
#include "harness/qlv3906.h"
#include "harness/ui.h"
#include "resources/resource.h"

namespace vx::e2e {
namespace {

using vx::win32::Narrow;

class MainWindowUnderVersion : public testing::TestWithParam<const wchar_t*> {};

// The window a second copy looks for (class "#32770", exact title) is the
// program's main window, on either platform family.
TEST_P(MainWindowUnderVersion, AppearsWithExactTitle) {
    Program app;
    HWND main = nullptr;
    ASSERT_TRUE(StartQlv3906({GetParam(), L""}, &app, &main));
    EXPECT_EQ(FindWindowW(kDialogClass, kMainTitle.c_str()), main);
    EXPECT_TRUE(app.Running());
}

// One platform of each family: 98 (9x family) and XP (NT family).
INSTANTIATE_TEST_SUITE_P(Families, MainWindowUnderVersion, testing::Values(L"win98", L"winxp"),
                         [](const auto& info) { return Narrow(info.param); });

// At 200 % text (192 DPI) nothing is cut: the printer list shows each model name whole (its
// "(168)" or "(160)" tells the two models apart), every group box lies inside its page, and
// the toolbar's images are drawn for that size.
TEST(MainWindowAt192Dpi, ShowsNamesBoxesAndImagesWhole) {
    ASSERT_TRUE(SetScreenDpi(192));
    const std::wstring names[] = {L"ZAM QX-K480/330(160)", L"ZAM QX-K480/330(168)"};
    ASSERT_TRUE(AddModelPrinter(names[0], names[0], L"FILE:"));  // the template has the other
    Program app;
    HWND main = nullptr;
    ASSERT_TRUE(StartQlv3906({L"", L""}, &app, &main));

    HWND dialog = nullptr;
    ASSERT_TRUE(WaitForDialog(app.Pid(), L"プリンタの選択", kReactTimeout, &dialog));
    HWND list = GetDlgItem(dialog, IDC_PRINTER_LIST);
    ASSERT_NE(list, nullptr);
    int widest = 0;
    for (const std::wstring& text : {std::wstring(L"プリンタ名"), names[0], names[1]}) {
        int width = 0;
        ASSERT_TRUE(ListViewTextWidth(list, text, &width));
        widest = std::max(widest, width);
    }
    // The list draws a label with 12 pixels of margin; a narrower column ends it in "...".
    const int column = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0));
    EXPECT_GE(column, widest + 12) << "the printer name column cuts the model name";
    EXPECT_GT(widest, 150) << "the names are measured at 96 DPI, not at 192";
    ASSERT_TRUE(ClickButton(dialog, IDOK));  // the "LPT1:" printer comes first
    HWND notice = nullptr;
    ASSERT_TRUE(WaitForMessageBox(app.Pid(), kReactTimeout, &notice));
    ASSERT_TRUE(ClickButton(notice, IDOK));

    int pages = 0;
    for (HWND page = FindWindowExW(main, nullptr, kDialogClass, nullptr); page;
         page = FindWindowExW(main, page, kDialogClass, nullptr), ++pages) {
        RECT client{};
        GetClientRect(page, &client);
        for (HWND c = GetWindow(page, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            if ((GetWindowLongW(c, GWL_STYLE) & BS_TYPEMASK) != BS_GROUPBOX ||
                ClassName(c) != L"Button")
                continue;
            RECT box{};
            GetWindowRect(c, &box);
            MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&box), 2);
            EXPECT_TRUE(box.left >= 0 && box.top >= 0 && box.right <= client.right &&
                        box.bottom <= client.bottom)
                << "page " << pages << ": group box \"" << Narrow(WindowText(c)) << "\" at "
                << box.left << "," << box.top << "-" << box.right << "," << box.bottom
                << " outside the page's 0,0-" << client.right << "," << client.bottom;
        }
    }
    EXPECT_EQ(pages, 5);

    HWND toolbar = FindChild(main, TOOLBARCLASSNAMEW);
    ASSERT_NE(toolbar, nullptr);
    const auto button = static_cast<DWORD>(SendMessageW(toolbar, TB_GETBUTTONSIZE, 0, 0));
    const auto padding = static_cast<DWORD>(SendMessageW(toolbar, TB_GETPADDING, 0, 0));
    EXPECT_GE(static_cast<int>(HIWORD(button)) - static_cast<int>(HIWORD(padding)), 32)
        << "toolbar button " << LOWORD(button) << "x" << HIWORD(button) << " with padding "
        << LOWORD(padding) << "x" << HIWORD(padding);
}

}  // namespace
}  // namespace vx::e2e
