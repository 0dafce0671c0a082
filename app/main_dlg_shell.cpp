#include "app/main_dlg.h"

namespace vx {

namespace {
const char* const kCaption = "Veltrix";
const char* const kSendBeforeExit = "Veltrix を終了する前に、設定値をプリンタへ送信しますか？";
const char* const kSaveBeforeExit = "Veltrix を終了する前に、設定ファイルへ保存しますか？";
const char* const kNameTooLong =
    "コマンドラインで指定された設定ファイル名が長すぎるため、読み込めません。\n"
    "ファイル名を短くしてやり直してください。";
}  // namespace

void CMainDlg::RunStartupWorker() {
    view_.RunOnWindowThread([this] {
        // Said over the painted window, before the printer is chosen.
        if (startupFileNameTooLong) Ask(kNameTooLong, MsgIcon::Warning, MsgButtons::Ok);
        SelectPrinter();
    });
    initialised = true;
}

void CMainDlg::ConfirmExit() {
    CollectBlock(copies.workingBlock);  // whatever `initialised` is
    const bool sendDirty = copies.DiffersFromSent();
    const bool saveDirty = copies.HasUnsavedChanges();
    if (sendDirty) {
        const MsgAnswer a =
            view_.ShowMessage(kSendBeforeExit, kCaption, MsgIcon::Warning, MsgButtons::YesNoCancel);
        if (a == MsgAnswer::Cancel) return;
        if (a == MsgAnswer::Yes) OnSendSettings();  // on, whatever the outcome
    }
    if (saveDirty) {
        const MsgAnswer a =
            view_.ShowMessage(kSaveBeforeExit, kCaption, MsgIcon::Warning, MsgButtons::YesNoCancel);
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
