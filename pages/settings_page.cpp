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
    for (int k = 1; k <= 8; ++k) sw[k] = GetSwitch(block, msw_, k);
    SwitchMirror toVariables(sw, true);
    MapSwitches(toVariables);
}

void MemorySwitchPage::Encode(SwitchBlock& block) {
    SwitchMirror toMirror(sw, false);
    MapSwitches(toMirror);
    // Both bytes are written whole, so bits 4 to 7 of each go. A variable outside 0/1 (a
    // radio pair with no button checked) counts as switch off.
    unsigned value = 0;
    for (int k = 1; k <= 8; ++k) value |= (sw[k] == 1 ? 1u : 0u) << (k - 1);
    SetMswByte(block, msw_, static_cast<std::uint8_t>(value));
}

}  // namespace vx
