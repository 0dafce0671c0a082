#include "app/win32/win32_help_system.h"

#include <windows.h>

#include "common/win32/module_path.h"
#include "common/win32/owned.h"
#include "common/win32/utf16.h"
#include "common/win32/windows_version.h"

namespace vx::win32 {

namespace {

using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
constexpr UINT kHhDisplayTopic = 0;

// The HTML Help control is loaded the first time it is needed, and tried only once.
HtmlHelpFn HtmlHelpFunction() {
    static const HtmlHelpFn fn = []() -> HtmlHelpFn {
        HMODULE control = LoadLibraryW(L"hhctrl.ocx");
        if (!control) return nullptr;
        return reinterpret_cast<HtmlHelpFn>(
            reinterpret_cast<void*>(GetProcAddress(control, "HtmlHelpW")));
    }();
    return fn;
}

}  // namespace

WindowsVersion Win32HelpSystem::Version() {
    const vx::win32::VersionNumbers v = vx::win32::QueryWindowsVersion();
    return {v.platformId, v.major, v.minor};
}

std::string Win32HelpSystem::ModulePath() { return vx::win32::ModulePath(); }

bool Win32HelpSystem::FileExists(const std::string& path) {
    WIN32_FIND_DATAW found{};
    const FindHandle search(FindFirstFileW(Widen(path).c_str(), &found));
    return static_cast<bool>(search);
}

bool Win32HelpSystem::ShowHtmlHelp(const std::string& path) {
    HtmlHelpFn fn = HtmlHelpFunction();
    return fn && fn(nullptr, Widen(path).c_str(), kHhDisplayTopic, 0) != nullptr;
}

bool Win32HelpSystem::ShowWinHelp(const std::string& path) {
    return WinHelpW(nullptr, Widen(path).c_str(), HELP_FINDER, 0) != FALSE;
}

void Win32HelpSystem::QuitWinHelp(const std::string& path) {
    WinHelpW(nullptr, Widen(path).c_str(), HELP_QUIT, 0);
}

}  // namespace vx::win32
