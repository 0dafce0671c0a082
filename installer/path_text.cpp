// Text and path helpers of the installer's flows.
#include "installer/path_text.h"

#include <string_view>

namespace vx::inst {

std::string FormatText(const std::string& format, const std::string& value) {
    const auto at = format.find("%s");
    if (at == std::string::npos) return format;
    return format.substr(0, at) + value + format.substr(at + 2);
}

std::string FormatNumber(const std::string& format, long long value) {
    const auto at = format.find("%d");
    if (at == std::string::npos) return format;
    return format.substr(0, at) + std::to_string(value) + format.substr(at + 2);
}

std::string UpperAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

bool EqualNoCase(const std::string& a, const std::string& b) {
    return UpperAscii(a) == UpperAscii(b);
}

std::string ReplaceLastThree(const std::string& path, const std::string& with) {
    if (path.size() < 3) return with;
    return path.substr(0, path.size() - 3) + with;
}

std::string FolderOf(const std::string& path) {
    const auto at = path.rfind('\\');
    return at == std::string::npos ? std::string() : path.substr(0, at);
}

std::string NameOf(const std::string& path) {
    const auto at = path.rfind('\\');
    return at == std::string::npos ? path : path.substr(at + 1);
}

bool IsFolderName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20) return false;
        if (std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) return false;
    }
    return true;
}

}  // namespace vx::inst
