// The running program's full path, as the system reports it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "common/win32/utf16.h"

namespace vx::win32 {

inline std::string ModulePath() {
    // A path that fills the buffer completely may have been cut: try a larger one.
    for (DWORD size = MAX_PATH;; size *= 2) {
        std::vector<wchar_t> path(size, L'\0');
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), size);
        if (n < size) return Narrow(std::wstring(path.data(), n));
    }
}

}  // namespace vx::win32
