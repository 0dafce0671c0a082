// The item lists of the page templates as the program carries them (resource type
// 240, named by the template's id): records of a control id (a little-endian WORD)
// and a zero-terminated UTF-8 item text, ended by id 0 or by the end of the data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "pages/list_items.h"

namespace vx {

constexpr int kPageItemsResourceType = VX_PAGE_ITEMS_RESOURCE_TYPE;

// The (control id, item text) records in order; a text cut by the end of the data ends there.
inline std::vector<std::pair<int, std::string>> ParsePageItems(const std::uint8_t* data,
                                                               std::size_t size) {
    std::vector<std::pair<int, std::string>> items;
    std::size_t pos = 0;
    while (data && pos + 2 <= size) {
        const int id = data[pos] | (data[pos + 1] << 8);
        pos += 2;
        if (id == 0) break;
        std::size_t end = pos;
        while (end < size && data[end] != 0) ++end;
        items.emplace_back(id, std::string(reinterpret_cast<const char*>(data + pos), end - pos));
        pos = end + 1;
    }
    return items;
}

}  // namespace vx
