// What the installer's windows do with their controls and themselves, in one line each.
#pragma once

#include <windows.h>

#include <string>

#include "common/win32/utf16.h"

namespace vx::inst::win32 {

// The text of control `id` (up to 1023 characters).
inline std::string ItemText(HWND dlg, int id) {
    wchar_t text[1024] = L"";
    GetDlgItemTextW(dlg, id, text, 1024);
    return vx::win32::Narrow(text);
}

inline void SetItemText(HWND dlg, int id, const std::string& text) {
    SetDlgItemTextW(dlg, id, vx::win32::Widen(text).c_str());
}

// Above every window that is not topmost itself; neither moved nor sized.
inline void MakeTopmost(HWND hwnd) {
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

}  // namespace vx::inst::win32
