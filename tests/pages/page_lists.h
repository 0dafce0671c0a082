// The drop-down lists of the page templates, in list order (the kanji list is sorted).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "resources/resource.h"

namespace vx::test {

inline std::map<int, std::vector<std::string>> PageLists(int templateId) {
    const std::vector<std::string> fonts = {"標準", "イタリック", "クーリエ", "ゴシック", "OCR-B"};
    switch (templateId) {
        case IDD_PAGE_SELECT:
            return {{IDC_SEL_FONT1, fonts},
                    {IDC_SEL_FONT2, fonts},
                    {IDC_SEL_KANJI_TABLE, {"JIS1978年版", "JIS1983年版", "JIS1990年版"}}};
        case IDD_PAGE_MSW1:
            return {{IDC_MSW1_COUNTRY, {"日本", "アメリカ", "イギリス", "ドイツ", "スウェーデン"}}};
        case IDD_PAGE_MSW3:
            return {{IDC_MSW3_SPEED, {"２４０LPM", "２２５LPM", "３１０LPM"}}};
        case IDD_PAGE_MSW4:
            return {{IDC_MSW4_DENSITY, {"標準", "濃度1", "濃度2", "濃度3"}},
                    {IDC_MSW4_PRINT_MODE, {"標準", "高速", "高品位"}}};
        default:
            return {};
    }
}

}  // namespace vx::test
