// The three copies of the switch block kept by the main dialog, and the
// questions asked of them before a command discards or sends settings.
#pragma once

#include "settings/switch_block.h"

namespace vx {

struct BlockCopies {
    SwitchBlock workingBlock = FactoryDefaults;  // what the pages show and edit
    SwitchBlock savedBlock = FactoryDefaults;    // last file save or load, or last receive
    SwitchBlock sentBlock = FactoryDefaults;     // last successful send or receive
    bool syncPending = true;  // the selected printer was neither sent to nor received from yet

    // Question 1, which also sets the send command's state.
    bool HasUnsentChanges() const { return workingBlock != sentBlock || syncPending; }
    // Question 2.
    bool HasUnsavedChanges() const { return workingBlock != savedBlock; }
    // The load and receive prompts compare the blocks only; syncPending plays no part there.
    bool DiffersFromSent() const { return workingBlock != sentBlock; }

    // Copy updates, one per event. The caller shows workingBlock on the pages afterwards.
    void OnStartUp();
    void OnFactoryDefaults();
    void OnFileSaved();
    void OnFileLoaded(const SwitchBlock& fromFile);
    void OnSent();
    void OnReceived();  // the reply has already been spread over workingBlock
    void OnPrinterChangedNotReceived();
};

}  // namespace vx
