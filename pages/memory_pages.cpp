#include "pages/memory_pages.h"

#include <iterator>

#include "pages/setting_lists.h"
#include "resources/resource.h"

namespace vx {

std::map<int, std::vector<std::string>> PageLists(int templateId) {
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

MemoryPages::MemoryPages() {
    windows_.reserve(kPageCount);
    for (SettingsPage* p : pages_) windows_.emplace_back(PageLists(p->TemplateId()));
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        windows_[i].page = pages_[i];
        pages_[i]->Attach(&windows_[i]);
        pages_[i]->OnInitPage();
    }
}

void MemoryPages::Apply(const SwitchBlock& block) {
    for (SettingsPage* p : pages_) p->LoadFromBlock(block);
}

void MemoryPages::Collect(SwitchBlock& block) {
    for (SettingsPage* p : pages_) p->StoreToBlock(block);
}

}  // namespace vx
