// The settings program on a system whose code page cannot hold Japanese. This
// test program runs under an English locale (see CMakeLists.txt).
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "harness/qlv3906.h"
#include "harness/ui.h"
#include "resources/resource.h"

namespace vx::e2e {
namespace {

// The program speaks the wide-character API, so its Japanese texts survive: the
// title, a message box, a list item from its resources and the status bar.
TEST(MainWindowUnderEnglishLocale, KeepsItsJapaneseTexts) {
    // The program inherits this process's locale: make sure it is not Japanese.
    ASSERT_EQ(GetACP(), 1252u);
    Program app;
    HWND main = nullptr;
    ASSERT_TRUE(StartQlv3906({L"winxp", L""}, &app, &main));

    HWND box = nullptr;
    ASSERT_TRUE(WaitForMessageBox(app.Pid(), kReactTimeout, &box));
    EXPECT_EQ(MessageBoxText(box),
              L"Windows XP/2000/NT 4.0でご利用になる場合、"
              L"設定値をプリンタから取得することはできません。");
    EXPECT_EQ(WindowText(box), L"Veltrix");
    ASSERT_TRUE(ClickButton(box, IDOK));

    HWND status = FindChild(main, STATUSCLASSNAMEW);
    ASSERT_NE(status, nullptr);
    std::wstring name;
    EXPECT_TRUE(PollUntil(kReactTimeout,
                          [&] {
                              return ReadStatusBarText(status, 0, &name) &&
                                     name == L"プリンタ名： ZAM QX-K480/330(168)";
                          }))
        << "status bar: " << testing::PrintToString(name);

    HWND country = nullptr;
    for (HWND page = FindWindowExW(main, nullptr, kDialogClass, nullptr); page && !country;
         page = FindWindowExW(main, page, kDialogClass, nullptr)) {
        country = GetDlgItem(page, IDC_MSW1_COUNTRY);
    }
    ASSERT_NE(country, nullptr);
    wchar_t item[32] = L"";
    SendMessageW(country, CB_GETLBTEXT, 4, reinterpret_cast<LPARAM>(item));
    EXPECT_STREQ(item, L"スウェーデン");
}

}  // namespace
}  // namespace vx::e2e
