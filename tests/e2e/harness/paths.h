// Paths shared with the Linux side, and whole-file helpers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vx::e2e {

// A Unix path as Wine sees it through drive Z: ("/a/b" -> "Z:\a\b").
std::wstring WindowsPathOf(const std::string& unixPath);

// C:\test-io\<name>: the prefix's folder for files shared with the Linux side:
//   spool-lpt.bin      raw bytes of the last job printed to "LPT1:"
//   lpt-received.bin   every byte written to the port "LPT1:"
//   lpt-reply.bin      the port's reply to the settings request, when present
std::wstring TestIoPath(const std::wstring& name);

// Whole-file helpers; a missing file reads as empty.
std::vector<std::uint8_t> ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes);

}  // namespace vx::e2e
