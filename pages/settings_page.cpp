#include "pages/settings_page.h"

#include <algorithm>

#include "resources/resource.h"

namespace vx {

bool SettingsPage::UpdateData(bool store) {
    transferring_ = true;
    DataExchange dx(*window_, store);
    const bool ok = DoDataExchange(dx);
    transferring_ = false;
    return ok;
}

void SettingsPage::LoadFromBlock(const SwitchBlock& block) {
    Decode(block);
    UpdateData(false);
}

void SettingsPage::StoreToBlock(SwitchBlock& block) {
    UpdateData(true);
    Encode(block);
}

void SettingsPage::OnInitPage() { UpdateData(false); }

void SettingsPage::OnControlCommand(int controlId) {
    if (transferring_) return;
    if (std::find(dataCheckIds_.begin(), dataCheckIds_.end(), controlId) != dataCheckIds_.end()) {
        window_->RaiseCommand(IDM_DATA_CHECK);
    }
}

void MemorySwitchPage::Decode(const SwitchBlock& block) {
    const std::size_t low = MswLowByte(msw_);
    for (int k = 1; k <= 4; ++k) sw[k] = (block.bytes[low] >> (k - 1)) & 1;
    for (int k = 5; k <= 8; ++k) sw[k] = (block.bytes[low + 1] >> (k - 5)) & 1;
    SwitchMirror toVariables(sw, true);
    MapSwitches(toVariables);
}

void MemorySwitchPage::Encode(SwitchBlock& block) {
    SwitchMirror toMirror(sw, false);
    MapSwitches(toMirror);
    const std::size_t low = MswLowByte(msw_);
    // A variable outside 0/1 (a radio pair with no button checked) counts as switch off.
    auto bit = [this](int k) { return sw[k] == 1 ? 1 : 0; };
    block.bytes[low] = static_cast<std::uint8_t>(bit(1) + 2 * bit(2) + 4 * bit(3) + 8 * bit(4));
    block.bytes[low + 1] = static_cast<std::uint8_t>(bit(5) + 2 * bit(6) + 4 * bit(7) + 8 * bit(8));
}

}  // namespace vx
