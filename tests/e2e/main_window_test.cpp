// The settings program's main window, seen from outside.
#include <windows.h>
#include <gtest/gtest.h>

#include "common/win32/utf16.h"
#include "harness/qlv3906.h"
#include "harness/ui.h"

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

}  // namespace
}  // namespace vx::e2e
