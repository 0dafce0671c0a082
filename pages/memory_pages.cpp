#include "pages/memory_pages.h"

namespace vx {

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
