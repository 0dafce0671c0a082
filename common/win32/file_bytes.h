// A whole file written at once through the wide-character API.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "common/win32/owned.h"

namespace vx::win32 {

// Creates or empties the file at `path` and writes `size` bytes into it; false when the file
// cannot be created or not every byte was written.
inline bool WriteWholeFile(const std::wstring& path, const void* data, std::size_t size) {
    const UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return WriteFile(file.Get(), data, static_cast<DWORD>(size), &written, nullptr) &&
           written == size;
}

}  // namespace vx::win32
