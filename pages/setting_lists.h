// The item texts of the pages' drop-down lists and the codes they stand for:
// one source for the pages and for every other program that names the values.
#pragma once

#include <cstddef>
#include <string>

#include "pages/list_items.h"

namespace vx {

// The tab titles of the five pages, by tab index.
inline constexpr const char* kPageTitles[] = {"機能選択", "ＭＳＷ１", "ＭＳＷ２", "ＭＳＷ３",
                                              "ＭＳＷ４"};

// A list whose item order need not be its code order.
template <std::size_t N>
struct CodedList {
    const char* names[N];
    int codes[N];

    static constexpr std::size_t size() { return N; }

    // The text shown for `code`; a code without a name of its own shows as code 0.
    const char* TextOf(int code) const {
        for (std::size_t i = 0; i < N; ++i) {
            if (codes[i] == code) return names[i];
        }
        return code == 0 ? names[0] : TextOf(0);
    }
    // The code of a shown text, by whole-string comparison; an unknown text writes 0.
    int CodeOf(const std::string& text) const {
        for (std::size_t i = 0; i < N; ++i) {
            if (text == names[i]) return codes[i];
        }
        return 0;
    }
};

// The lists in their list order (pages/list_items.h), each with the code of every item.
#define VX_ITEM_TEXT(id, text, code) text,
#define VX_ITEM_CODE(id, text, code) code,
#define VX_ITEM_COUNT(id, text, code) +1  // NOLINT(bugprone-macro-parentheses): a term
#define VX_CODED_LIST(ITEMS)                                 \
    CodedList<0 ITEMS(VX_ITEM_COUNT, 0)> {                   \
        {ITEMS(VX_ITEM_TEXT, 0)}, { ITEMS(VX_ITEM_CODE, 0) } \
    }

inline constexpr auto kCountries = VX_CODED_LIST(VX_COUNTRY_ITEMS);
inline constexpr auto kSpeeds = VX_CODED_LIST(VX_SPEED_ITEMS);
inline constexpr auto kDensities = VX_CODED_LIST(VX_DENSITY_ITEMS);
inline constexpr auto kPrintModes = VX_CODED_LIST(VX_PRINT_MODE_ITEMS);

// The function-select lists: an item's position is the digit its byte carries.
inline constexpr const char* kFonts[] = {VX_FONT_ITEMS(VX_ITEM_TEXT, 0)};
inline constexpr const char* kKanjiTables[] = {VX_KANJI_TABLE_ITEMS(VX_ITEM_TEXT, 0)};

#undef VX_CODED_LIST
#undef VX_ITEM_COUNT
#undef VX_ITEM_CODE
#undef VX_ITEM_TEXT

}  // namespace vx
