#include "app/main_dlg.h"
#include "common/texts.h"

namespace vx {

void CMainDlg::RunStartupWorker() {
    view_.RunOnWindowThread([this] {
        // Said over the painted window, before the printer is chosen.
        if (startupFileNameTooLong) Ask(text::kNameTooLong, MsgIcon::Warning, MsgButtons::Ok);
        SelectPrinter();
    });
    initialised = true;
}

void CMainDlg::ConfirmExit() {
    CollectBlock(copies.workingBlock);  // whatever `initialised` is
    if (OfferSendAndSave(text::kSendBeforeExit, text::kSaveBeforeExit)) view_.CloseMainWindow();
}

bool CMainDlg::OfferSendAndSave(const char* sendQuestion, const char* saveQuestion) {
    // Both are decided before either question: a send does not change what needs saving.
    const bool sendDirty = copies.DiffersFromSent();
    const bool saveDirty = copies.HasUnsavedChanges();
    if (sendDirty) {
        const MsgAnswer a = Ask(sendQuestion, MsgIcon::Warning, MsgButtons::YesNoCancel);
        if (a == MsgAnswer::Cancel) return false;
        if (a == MsgAnswer::Yes) OnSendSettings();  // on, whatever the outcome
    }
    if (saveDirty) {
        const MsgAnswer a = Ask(saveQuestion, MsgIcon::Warning, MsgButtons::YesNoCancel);
        if (a == MsgAnswer::Cancel) return false;
        if (a == MsgAnswer::Yes) OnSaveSettingsFile();
    }
    return true;
}

void CMainDlg::FindHelpFile() {
    if (helpSystem_) help.FindHelpFile(*helpSystem_, view_);
}

void CMainDlg::ShowHelp() {
    if (helpSystem_) help.ShowHelp(*helpSystem_, view_);
}

void CMainDlg::OnDestroy() {
    if (helpSystem_) help.Shutdown(*helpSystem_);
}

}  // namespace vx
