// The five setting pages on windows kept in memory: a block shown on them and
// collected again exactly as the settings program does, with no screen.
#pragma once

#include <array>
#include <vector>

#include "pages/memory_page_window.h"
#include "pages/page_msw.h"
#include "pages/page_select.h"
#include "pages/template_lists.h"
#include "settings/switch_block.h"

namespace vx {

class MemoryPages {
  public:
    static constexpr int kPageCount = 5;  // function select, MSW1 .. MSW4

    MemoryPages();
    MemoryPages(const MemoryPages&) = delete;
    MemoryPages& operator=(const MemoryPages&) = delete;

    // Shows `block` on all five pages, in tab order.
    void Apply(const SwitchBlock& block);
    // Collects all five pages into `block`, in tab order.
    void Collect(SwitchBlock& block);

    MemoryPageWindow& Window(int page) { return windows_[static_cast<std::size_t>(page)]; }
    SettingsPage& Page(int page) { return *pages_[static_cast<std::size_t>(page)]; }

  private:
    CPage_Select select_;
    CPage_MSW1 msw1_;
    CPage_MSW2 msw2_;
    CPage_MSW3 msw3_;
    CPage_MSW4 msw4_;
    std::array<SettingsPage*, kPageCount> pages_ = {&select_, &msw1_, &msw2_, &msw3_, &msw4_};
    std::vector<MemoryPageWindow> windows_;
};

}  // namespace vx
