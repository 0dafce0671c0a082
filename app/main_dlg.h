// The settings program's main dialog: the owner of the three block copies and
// of every command flow. Portable; the Win32 window hosts it and forwards to it.
#pragma once

#include <atomic>

#include "app/main_view.h"
#include "pages/page_msw.h"
#include "pages/page_select.h"
#include "settings/block_copies.h"

namespace vx {

class CMainDlg {
public:
    explicit CMainDlg(MainView& view) : view_(view) {}

    BlockCopies copies;                   // workingBlock, savedBlock, sentBlock, syncPending
    std::atomic<bool> initialised{false};  // set once the start-up printer selection returned

    // The five pages, owned for the dialog's lifetime; tab order is Page(0) .. Page(4).
    CPage_MSW1 pageMsw1;
    CPage_MSW2 pageMsw2;
    CPage_MSW3 pageMsw3;
    CPage_MSW4 pageMsw4;
    CPage_Select pageSelect;
    static constexpr int kPageCount = 5;
    SettingsPage& Page(int tabIndex);

    // ---- Frame (main_dlg.cpp)
    // The portable part of the window's initialisation: copies, send state, tabs and pages.
    void OnInitDialog();
    // A command from the menu, an accelerator, the toolbar or a page; false when not ours.
    bool OnCommand(int commandId);
    // The user changed the tab.
    void OnTabSelChange();

    // Show a block on all five pages / read all five pages into a block, in the order
    // function select, MSW1, MSW2, MSW3, MSW4.
    void ApplyBlock(const SwitchBlock& block);
    void CollectBlock(SwitchBlock& block);
    // The change check: collect the pages (once initialised), then enable the send command
    // when workingBlock differs from sentBlock or syncPending is set.
    void UpdateSendState();
    // Select tab `index` (0..4) and show its page (the five page commands).
    void ShowPage(int index);
    void ShowFactoryDefaults();

private:
    void ShowSelectedPage();

    MainView& view_;
};

}  // namespace vx
