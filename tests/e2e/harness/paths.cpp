#include "harness/paths.h"

#include <windows.h>

#include "common/win32/file_bytes.h"
#include "common/win32/utf16.h"

namespace vx::e2e {

std::wstring WindowsPathOf(const std::string& unixPath) {
    std::wstring path = L"Z:" + vx::win32::Widen(unixPath);
    for (wchar_t& c : path) {
        if (c == L'/') c = L'\\';
    }
    return path;
}

std::wstring TestIoPath(const std::wstring& name) { return L"C:\\test-io\\" + name; }

std::vector<std::uint8_t> ReadFileBytes(const std::wstring& path) {
    std::vector<std::uint8_t> bytes;
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return bytes;
    std::uint8_t chunk[4096];
    DWORD got = 0;
    while (ReadFile(f, chunk, sizeof chunk, &got, nullptr) && got > 0) {
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    CloseHandle(f);
    return bytes;
}

bool WriteFileBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    return vx::win32::WriteWholeFile(path, bytes.data(), bytes.size());
}

}  // namespace vx::e2e
