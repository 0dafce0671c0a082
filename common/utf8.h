// Lengths of UTF-8 texts as the wide-character API counts them.
#pragma once

#include <cstddef>
#include <string>

namespace vx {

// The length of a UTF-8 text in UTF-16 units: one a character, two beyond the basic plane
// (four bytes encode a surrogate pair).
inline std::size_t Utf16Length(const std::string& utf8) {
    std::size_t units = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) == 0x80) continue;  // a continuation byte
        units += byte >= 0xF0 ? 2 : 1;
    }
    return units;
}

}  // namespace vx
