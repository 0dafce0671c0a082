// The final path of an open file or folder as the system resolves it: links followed, the
// volume's drive letter, without the "\\?\" prefix ("\\?\UNC\server\share" becomes
// "\\server\share"). GetFinalPathNameByHandleW is looked up at run time: systems before
// Vista lack it.
#pragma once

#include <windows.h>

#include <string>

namespace vx::win32 {

using FinalPathNameByHandle = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);

// GetFinalPathNameByHandleW, or null where the system lacks it.
inline FinalPathNameByHandle FinalPathFunction() {
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    return kernel ? reinterpret_cast<FinalPathNameByHandle>(reinterpret_cast<void*>(
                        GetProcAddress(kernel, "GetFinalPathNameByHandleW")))
                  : nullptr;
}

// The final path of what `h` is open on. False, `path` left as it was, when the system
// lacks the function or cannot give the path in MAX_PATH * 4 characters.
inline bool FinalPathOf(HANDLE h, std::wstring& path) {
    const FinalPathNameByHandle finalPath = FinalPathFunction();
    if (!finalPath) return false;
    constexpr DWORD kSize = MAX_PATH * 4;
    wchar_t buffer[kSize] = {};
    const DWORD n = finalPath(h, buffer, kSize, 0);
    if (n == 0 || n >= kSize) return false;  // failed, or the size it would need
    path.assign(buffer, n);
    if (path.rfind(L"\\\\?\\UNC\\", 0) == 0) {
        path.replace(0, 8, L"\\\\");
    } else if (path.rfind(L"\\\\?\\", 0) == 0) {
        path.erase(0, 4);
    }
    return true;
}

}  // namespace vx::win32
