// The printer: choosing it, sending the settings, printing them, and reading
// them back over "LPT1:".
#include <memory>

#include "app/main_dlg.h"
#include "printer/device_id.h"
#include "printer/raw_job.h"
#include "printer/receive.h"
#include "printer/settings_reply.h"
#include "resources/resource.h"

namespace vx {

namespace {

const char kFile[] = "FILE:";
const char kLpt1[] = "LPT1:";

const char kSendBeforeSwitch[] =
    "設定値が変更されています。\nプリンタを切り替える前に、設定値をプリンタへ送信しますか？";
const char kSaveBeforeSwitch[] =
    "設定値が変更されています。\nプリンタを切り替える前に、設定ファイルへ保存しますか？";
const char kNtCannotReceive[] =
    "Windows XP/2000/NT 4.0でご利用になる場合、設定値をプリンタから取得することはできません。";
const char kCannotReceive[] = "設定値をプリンタから取得できません。";
const char kPrinterNamePart[] = "プリンタ名： ";
const char kDestinationPart[] = "接続先： ";

const char kNoPrinterSelected[] = "プリンタが選択されていません。\nプリンタを選択してください。";
const char kSendToFile[] = "接続先がFILEのため設定値を送信できません。";
const char kPrintToFile[] = "接続先がFILEのため実行できません。";
const char kSent[] = "プリンタに設定値を送信しました。";
const char kPrinted[] = "プリンタの現在の設定値を印刷しました。";
const char kNotAttached[] =
    "指定されたプリンタは、現在接続されていないか、プリンタ使用権の制限により使用できません。";

const char kDiscardQuestion[] =
    "設定が変更されています。\nコマンドを続行すると設定の変更は破棄されます。";
const char kNotReady[] =
    "現在プリンタが印刷中あるいは、エラーが発生しているため、設定値の取得はできません。";
const char kTimeoutsNotRead[] = "Not Set Timeout";
const char kTimeoutsNotSet[] = "Not Set Timeout2";
const char kRequestNotWritten[] = "プリンタに送信できませんでした。";
const char kReadFailed[] = "プリンタから設定値を取得できませんでした。";
const char kReceived[] = "プリンタから設定値を取得しました。";

}  // namespace

void CMainDlg::SelectPrinter() {
    if (initialised) {
        CollectBlock(copies.workingBlock);
        const bool sendDirty = copies.DiffersFromSent();
        const bool saveDirty = copies.HasUnsavedChanges();
        if (sendDirty) {
            const MsgAnswer a = Ask(kSendBeforeSwitch, MsgIcon::Warning, MsgButtons::YesNoCancel);
            if (a == MsgAnswer::Cancel) return;
            if (a == MsgAnswer::Yes) OnSendSettings();
        }
        if (saveDirty) {
            const MsgAnswer a = Ask(kSaveBeforeSwitch, MsgIcon::Warning, MsgButtons::YesNoCancel);
            if (a == MsgAnswer::Cancel) return;
            if (a == MsgAnswer::Yes) OnSaveSettingsFile();
        }
    }

    const PlatformFamily family = view_.Family();
    printerList.spooler = spooler_;
    printerList.family = family;
    printerList.initialised = initialised;
    printerList.selectedName = currentPrinterName;
    printerList.selectedDestination = currentDestination;
    const int result = view_.RunPrinterList(printerList);

    if (result == kDialogCancel) {
        // Before any printer was chosen, or with a FILE printer at start-up, the program ends.
        if (printerList.empty ||
            (printerList.selectedName.empty() && printerList.selectedDestination.empty()) ||
            (printerList.selectedDestination == kFile && !initialised))
            view_.CloseMainWindow();
        return;
    }
    if (result != kDialogOk) return;

    view_.EnableCommand(IDM_SELECT_PRINTER, printerList.printerCount > 1);
    // A file named on the command line is loaded by the first choice only.
    const int fileLoaded = LoadSettingsFileByName(startupFileName);
    startupFileName.clear();

    const bool canReceive =
        printerList.selectedDestination == kLpt1 && family != PlatformFamily::Nt;
    if (canReceive) {
        view_.EnableCommand(IDM_RECEIVE_SETTINGS, true);
    } else {
        if (family == PlatformFamily::Nt) {
            if (!initialised) Ask(kNtCannotReceive, MsgIcon::Information, MsgButtons::Ok);
        } else if (fileLoaded == 0) {
            Ask(kCannotReceive, MsgIcon::Information, MsgButtons::Ok);
        }
        view_.EnableCommand(IDM_RECEIVE_SETTINGS, false);
        view_.EnableCommand(IDM_SEND_SETTINGS, true);
    }
    if (printerList.empty) {
        view_.CloseMainWindow();
        return;
    }
    view_.SetStatusText(0, kPrinterNamePart + printerList.selectedName);
    view_.SetStatusText(1, kDestinationPart + printerList.selectedDestination);
    currentPrinterName = printerList.selectedName;
    currentDestination = printerList.selectedDestination;

    if (canReceive && (fileLoaded == 1 || OnReceiveSettings() == 1)) return;
    // The new printer's settings are unknown: show the defaults and offer to send them.
    if (initialised) {
        copies.syncPending = true;
        ShowFactoryDefaults();
    }
}

void CMainDlg::OnSendSettings() {
    if (currentDestination.empty() || currentPrinterName.empty()) {
        Ask(kNoPrinterSelected, MsgIcon::Warning, MsgButtons::Ok);
        SelectPrinter();
        if (currentDestination.empty() || currentPrinterName.empty()) return;
    }
    if (currentDestination == kFile) {
        Ask(kSendToFile, MsgIcon::Information, MsgButtons::Ok);
        return;
    }
    CollectBlock(copies.workingBlock);
    const SwitchBlock block = copies.workingBlock;
    if (WriteRawJob(*spooler_, view_.Family(), currentPrinterName, kSendJobName, block.bytes.data(),
                    block.bytes.size())) {
        Ask(kSent, MsgIcon::Information, MsgButtons::Ok);
        copies.OnSent();
        view_.EnableCommand(IDM_SEND_SETTINGS, false);
        return;
    }
    Ask(kNotAttached, MsgIcon::Warning, MsgButtons::Ok);
    SelectPrinter();
}

void CMainDlg::OnPrintSettings() {
    if (currentDestination.empty() || currentPrinterName.empty()) {
        Ask(kNoPrinterSelected, MsgIcon::Warning, MsgButtons::Ok);
        SelectPrinter();
        if (currentDestination.empty() || currentPrinterName.empty()) return;
    }
    if (currentDestination == kFile) {
        Ask(kPrintToFile, MsgIcon::Information, MsgButtons::Ok);
        return;
    }
    CollectBlock(copies.workingBlock);  // refreshed only; nothing of it is sent
    if (WriteRawJob(*spooler_, view_.Family(), currentPrinterName, kPrintJobName,
                    kPrintSettingsCommand.data(), kPrintSettingsCommand.size())) {
        Ask(kPrinted, MsgIcon::Information, MsgButtons::Ok);
        return;
    }
    Ask(kNotAttached, MsgIcon::Warning, MsgButtons::Ok);
    SelectPrinter();
}

int CMainDlg::OnReceiveSettings() {
    if (initialised) {
        CollectBlock(copies.workingBlock);
        if (copies.DiffersFromSent() &&
            Ask(kDiscardQuestion, MsgIcon::Warning, MsgButtons::YesNo) != MsgAnswer::Yes)
            return 0;
    }
    std::unique_ptr<ParallelPort> port = OpenPrinterPort(*ports_);
    view_.ShowWaitCursor(true);
    if (QueryPrinterReady(*port) == 0) {
        Ask(kNotReady, MsgIcon::Information, MsgButtons::Ok);
        port.reset();
        view_.ShowWaitCursor(false);
        return 0;
    }

    const SettingsAnswer answer = RequestSettings(*port);
    switch (answer.result) {
        case RequestResult::TimeoutsNotRead:
        case RequestResult::TimeoutsNotSet:
            view_.ShowMessage(answer.result == RequestResult::TimeoutsNotRead ? kTimeoutsNotRead
                                                                              : kTimeoutsNotSet,
                              std::to_string(static_cast<int>(answer.error)), MsgIcon::None,
                              MsgButtons::Ok);
            break;
        case RequestResult::RequestNotWritten:
            view_.ShowAppMessage(kRequestNotWritten, MsgIcon::Error);
            break;
        case RequestResult::ReadFailed:
            view_.ShowAppMessage(kReadFailed, MsgIcon::Error);
            break;
        case RequestResult::Read:
            // Only a reply of exactly 12 bytes holds the settings; anything else (a silent
            // printer included) is no success and changes nothing.
            if (answer.count != kSettingsReplySize) {
                Ask(kReadFailed, MsgIcon::Warning, MsgButtons::Ok);
                break;
            }
            Ask(kReceived, MsgIcon::Information, MsgButtons::Ok);
            SpreadSettingsReply(answer.reply.data(), answer.count, copies.workingBlock);
            ApplyBlock(copies.workingBlock);
            copies.OnReceived();
            view_.EnableCommand(IDM_SEND_SETTINGS, false);
            break;
    }
    view_.ShowWaitCursor(true);  // back after the message boxes
    port.reset();
    view_.ShowWaitCursor(false);
    return 1;
}

bool CMainDlg::OnFileOrPrinterCommand(int commandId) {
    switch (commandId) {
        case IDM_OPEN_SETTINGS:
        case IDT_OPEN_SETTINGS:
            OnOpenSettingsFile();
            return true;
        case IDM_SAVE_SETTINGS:
        case IDT_SAVE_SETTINGS:
            OnSaveSettingsFile();
            return true;
        case IDM_RECEIVE_SETTINGS:
        case IDT_RECEIVE_SETTINGS:
            OnReceiveSettings();
            return true;
        case IDM_SEND_SETTINGS:
        case IDT_SEND_SETTINGS:
            OnSendSettings();
            return true;
        case IDM_PRINT_SETTINGS:
        case IDT_PRINT_SETTINGS:
            OnPrintSettings();
            return true;
        case IDM_SELECT_PRINTER:
        case IDT_SELECT_PRINTER:
            SelectPrinter();
            return true;
        default:
            return false;
    }
}

}  // namespace vx
