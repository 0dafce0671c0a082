// Text and path helpers of the installer's flows: formats with one value, names and
// folders of paths, and the lengths the system allows.
#pragma once

#include <cstddef>
#include <string>

#include "common/utf8.h"

namespace vx::inst {

// A path fits when it fits MAX_PATH UTF-16 units with its terminator: at most 259. The setup
// file's texts fit 260-byte buffers of its own code page: at most 259 bytes.
inline constexpr std::size_t kMaxPath = 259;

std::string FormatText(const std::string& format, const std::string& value);  // first "%s"
std::string FormatNumber(const std::string& format, long long value);         // first "%d"
std::string UpperAscii(std::string text);
bool EqualNoCase(const std::string& a, const std::string& b);
std::string ReplaceLastThree(const std::string& path, const std::string& with);
std::string FolderOf(const std::string& path);  // cut at the last backslash
std::string NameOf(const std::string& path);    // after the last backslash
// One name a folder (or file) can bear: not empty, "." or "..", and none of \ / : * ? " < > |
// or a control character.
bool IsFolderName(const std::string& name);

}  // namespace vx::inst
