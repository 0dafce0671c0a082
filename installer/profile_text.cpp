// The private-profile lookup on decoded text.
#include "installer/profile_text.h"

#include <cstdint>

#include "installer/path_text.h"

namespace vx::inst {

namespace {

// Blanks as the profile reading skips them; 0x1A is the old end-of-file mark.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == 0x1A;
}

std::string Trim(const std::string& s) {
    std::size_t begin = 0, end = s.size();
    while (begin < end && IsBlank(s[begin])) ++begin;
    while (end > begin && IsBlank(s[end - 1])) --end;
    return s.substr(begin, end - begin);
}

}  // namespace

std::optional<std::string> ProfileValue(const std::string& text, const std::string& section,
                                        const std::string& key) {
    // Lines before the first section header belong to no section.
    bool inSection = false;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = Trim(text.substr(start, end - start));
        start = end + 1;

        if (!line.empty() && line[0] == '[') {
            const std::size_t close = line.rfind(']');
            if (close != std::string::npos) {
                // Only the first section of the name counts.
                if (inSection) return std::nullopt;
                inSection = EqualNoCase(Trim(line.substr(1, close - 1)), section);
                continue;
            }
        }
        if (!inSection || line.empty()) continue;
        const std::size_t eq = line.find('=');
        const std::string name = Trim(line.substr(0, eq));
        if (!EqualNoCase(name, key)) continue;
        if (eq == std::string::npos) return std::string();
        std::string value = Trim(line.substr(eq + 1));
        if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') &&
            value.back() == value[0]) {
            value = value.substr(1, value.size() - 2);
        }
        return value;
    }
    return std::nullopt;
}

bool IsUtf8Text(const std::string& bytes) {
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return true;
    bool beyondAscii = false;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = lead < 0x80             ? 1
                                   : (lead & 0xE0) == 0xC0 ? 2
                                   : (lead & 0xF0) == 0xE0 ? 3
                                   : (lead & 0xF8) == 0xF0 ? 4
                                                           : 0;
        if (length == 0 || (length == 2 && lead < 0xC2) || i + length > bytes.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
        }
        beyondAscii = beyondAscii || length > 1;
        i += length;
    }
    return beyondAscii;
}

unsigned ProfileNumber(const std::string& value) {
    std::size_t i = 0;
    while (i < value.size() && IsBlank(value[i])) ++i;
    if (i < value.size() && value[i] == '+') ++i;
    std::uint64_t n = 0;
    for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
        n = n * 10 + static_cast<unsigned>(value[i] - '0');
        if (n > 0xFFFFFFFFu) return 0;
    }
    return static_cast<unsigned>(n);
}

}  // namespace vx::inst
