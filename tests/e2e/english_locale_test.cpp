// The settings program on a system whose code page cannot hold Japanese. This
// test program runs under an English locale (see CMakeLists.txt).
#include <windows.h>
#include <gtest/gtest.h>

#include "harness/qlv3906.h"

namespace vx::e2e {
namespace {

// The program speaks the wide-character API, so its Japanese title survives.
TEST(MainWindowUnderEnglishLocale, KeepsItsJapaneseTitle) {
    // The program inherits this process's locale: make sure it is not Japanese.
    ASSERT_EQ(GetACP(), 1252u);
    Program app;
    HWND main = nullptr;
    EXPECT_TRUE(StartQlv3906({L"winxp", L""}, &app, &main));
}

}  // namespace
}  // namespace vx::e2e
