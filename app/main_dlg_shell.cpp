#include "app/app_texts.h"
#include "app/main_dlg.h"

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
    const bool sendDirty = copies.DiffersFromSent();
    const bool saveDirty = copies.HasUnsavedChanges();
    if (sendDirty) {
        const MsgAnswer a = view_.ShowMessage(text::kSendBeforeExit, text::kCaption,
                                              MsgIcon::Warning, MsgButtons::YesNoCancel);
        if (a == MsgAnswer::Cancel) return;
        if (a == MsgAnswer::Yes) OnSendSettings();  // on, whatever the outcome
    }
    if (saveDirty) {
        const MsgAnswer a = view_.ShowMessage(text::kSaveBeforeExit, text::kCaption,
                                              MsgIcon::Warning, MsgButtons::YesNoCancel);
        if (a == MsgAnswer::Cancel) return;
        if (a == MsgAnswer::Yes) OnSaveSettingsFile();
    }
    view_.CloseMainWindow();
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
