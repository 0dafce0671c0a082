// A whole file written at once through the wide-character API.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace vx::win32 {

// Creates or empties the file at `path` and writes `size` bytes into it; false when the file
// cannot be created or not every byte was written.
inline bool WriteWholeFile(const std::wstring& path, const void* data, std::size_t size) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok =
        WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr) && written == size;
    CloseHandle(file);
    return ok;
}

}  // namespace vx::win32
