#include "installer/win32/win32_log.h"

#include "common/win32/owned.h"
#include "common/win32/utf16.h"

namespace vx::inst::win32 {

using vx::win32::UniqueHandle;
using vx::win32::Widen;

bool Win32Log::Writable() {
    return static_cast<bool>(UniqueHandle(
        CreateFileW(Widen(file_).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)));
}

void Win32Log::Line(const std::string& text) {
    if (file_.empty()) return;
    std::string line;
    for (const char c : text) {
        if (c == '\n') line += '\r';
        line += c;
    }
    line += "\r\n";
    const UniqueHandle h(CreateFileW(Widen(file_).c_str(), FILE_APPEND_DATA,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h) return;
    DWORD written = 0;
    WriteFile(h.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace vx::inst::win32
