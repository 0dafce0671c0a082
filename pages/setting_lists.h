// The item texts of the pages' drop-down lists and the codes they stand for:
// one source for the pages and for every other program that names the values.
#pragma once

#include <cstddef>
#include <string>

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

// The memory-switch lists in their list order, each with the code of every item.
inline constexpr CodedList<5> kCountries = {
    {"日本", "アメリカ", "イギリス", "ドイツ", "スウェーデン"}, {0, 2, 3, 4, 5}};  // SW1-1..3
inline constexpr CodedList<3> kSpeeds = {{"２４０LPM", "２２５LPM", "３１０LPM"},
                                         {2, 1, 0}};  // SW3-1..2
inline constexpr CodedList<4> kDensities = {{"標準", "濃度1", "濃度2", "濃度3"},
                                            {0, 1, 2, 3}};                            // SW4-2..3
inline constexpr CodedList<3> kPrintModes = {{"標準", "高速", "高品位"}, {0, 2, 1}};  // SW4-5..6

// The function-select lists: an item's position is the digit its byte carries.
inline constexpr const char* kFonts[] = {"標準", "イタリック", "クーリエ", "ゴシック", "OCR-B"};
inline constexpr const char* kKanjiTables[] = {"JIS1978年版", "JIS1983年版", "JIS1990年版"};

}  // namespace vx
