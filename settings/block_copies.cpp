#include "settings/block_copies.h"

namespace vx {

void BlockCopies::OnStartUp() {
    workingBlock = savedBlock = sentBlock = FactoryDefaults;
    syncPending = true;
}

void BlockCopies::OnFactoryDefaults() { workingBlock = FactoryDefaults; }

void BlockCopies::OnFileSaved() { savedBlock = workingBlock; }

void BlockCopies::OnFileLoaded(const SwitchBlock& fromFile) {
    workingBlock = fromFile;
    savedBlock = workingBlock;
}

void BlockCopies::OnSent() {
    sentBlock = workingBlock;
    syncPending = false;
}

void BlockCopies::OnReceived() {
    savedBlock = sentBlock = workingBlock;
    syncPending = false;
}

void BlockCopies::OnPrinterChangedNotReceived() {
    workingBlock = FactoryDefaults;
    syncPending = true;
}

}  // namespace vx
