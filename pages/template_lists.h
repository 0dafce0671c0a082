// The drop-down lists of the page templates, in list order (the kanji list is sorted),
// from the one list of their items (pages/list_items.h): what a page window kept in
// memory holds where the resources give the real one its items.
#pragma once

#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "pages/setting_lists.h"
#include "resources/resource.h"

namespace vx {

inline std::map<int, std::vector<std::string>> PageLists(int templateId) {
    const auto items = [](const auto& list) {
        return std::vector<std::string>(std::begin(list), std::end(list));
    };
    switch (templateId) {
        case IDD_PAGE_SELECT:
            return {{IDC_SEL_FONT1, items(kFonts)},
                    {IDC_SEL_FONT2, items(kFonts)},
                    {IDC_SEL_KANJI_TABLE, items(kKanjiTables)}};
        case IDD_PAGE_MSW1:
            return {{IDC_MSW1_COUNTRY, items(kCountries.names)}};
        case IDD_PAGE_MSW3:
            return {{IDC_MSW3_SPEED, items(kSpeeds.names)}};
        case IDD_PAGE_MSW4:
            return {{IDC_MSW4_DENSITY, items(kDensities.names)},
                    {IDC_MSW4_PRINT_MODE, items(kPrintModes.names)}};
        default:
            return {};
    }
}

}  // namespace vx
