// The settings program's main dialog: the owner of the three block copies and
// of every command flow. Portable; the Win32 window hosts it and forwards to it.
#pragma once

#include <atomic>

#include "app/main_view.h"
#include "settings/block_copies.h"

namespace vx {

class CMainDlg {
public:
    explicit CMainDlg(MainView& view) : view_(view) {}

    BlockCopies copies;                   // workingBlock, savedBlock, sentBlock, syncPending
    std::atomic<bool> initialised{false};  // set once the start-up printer selection returned

private:
    MainView& view_;
};

}  // namespace vx
