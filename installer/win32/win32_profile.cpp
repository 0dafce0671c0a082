#include "installer/win32/win32_profile.h"

#include "common/win32/owned.h"
#include "common/win32/utf16.h"
#include "installer/profile_text.h"

namespace vx::inst::win32 {

using vx::win32::Narrow;
using vx::win32::Widen;

namespace {

// The setup file is CP932 by definition: decoded as such whatever the system's
// code page, so a Western system reads the same Japanese title as a Japanese one.
constexpr UINT kSetupCodePage = 932;

// The whole file decoded to UTF-8; empty when it cannot be read.
std::string ReadSetupText(const std::string& file) {
    vx::win32::UniqueHandle h(CreateFileW(Widen(file).c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h) return {};
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    // A setup file is a few hundred bytes; a megabyte is more than any could need.
    while (bytes.size() < (1u << 20) && ReadFile(h.Get(), chunk, sizeof chunk, &got, nullptr) &&
           got) {
        bytes.append(chunk, got);
    }
    h.Reset();
    // Text that is not code page 932 reads as no text: a missing setup file, not garbled one.
    if (bytes.empty() || IsUtf8Text(bytes)) return {};
    const int n = MultiByteToWideChar(kSetupCodePage, MB_ERR_INVALID_CHARS, bytes.data(),
                                      static_cast<int>(bytes.size()), nullptr, 0);
    if (n <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(kSetupCodePage, 0, bytes.data(), static_cast<int>(bytes.size()),
                        wide.data(), n);
    return Narrow(wide);
}

}  // namespace

unsigned Win32Profile::ReadInt(const std::string& file, const std::string& section,
                               const std::string& key) {
    const auto value = ProfileValue(ReadSetupText(file), section, key);
    return value ? ProfileNumber(*value) : 0;
}

std::string Win32Profile::ReadText(const std::string& file, const std::string& section,
                                   const std::string& key, std::size_t& ansiBytes) {
    const std::string value = ProfileValue(ReadSetupText(file), section, key).value_or("");
    // The length the value has in the file's own bytes.
    const std::wstring wide = Widen(value);
    ansiBytes = wide.empty() ? 0
                             : static_cast<std::size_t>(WideCharToMultiByte(
                                   kSetupCodePage, 0, wide.data(), static_cast<int>(wide.size()),
                                   nullptr, 0, nullptr, nullptr));
    return value;
}

}  // namespace vx::inst::win32
