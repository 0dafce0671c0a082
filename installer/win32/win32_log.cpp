#include "installer/win32/win32_log.h"

#include "common/win32/utf16.h"

namespace vx::inst::win32 {

using vx::win32::Widen;

bool Win32Log::Writable() {
    HANDLE h =
        CreateFileW(Widen(file_).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    return true;
}

void Win32Log::Line(const std::string& text) {
    if (file_.empty()) return;
    std::string line;
    for (const char c : text) {
        if (c == '\n') line += '\r';
        line += c;
    }
    line += "\r\n";
    HANDLE h =
        CreateFileW(Widen(file_).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(h, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(h);
}

}  // namespace vx::inst::win32
