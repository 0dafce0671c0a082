// The printer: choosing it, sending the settings, printing them, and reading
// them back over its link ("LPT1:" on the 9x family, a USB port, a raw network port).
#include <memory>

#include "app/main_dlg.h"
#include "common/texts.h"
#include "printer/device_id.h"
#include "printer/printer_destination.h"
#include "printer/raw_job.h"
#include "printer/receive.h"
#include "printer/settings_reply.h"
#include "resources/resource.h"

namespace vx {

namespace {

const char kFile[] = "FILE:";

}  // namespace

void CMainDlg::SelectPrinter() {
    if (initialised) {
        CollectBlock(copies.workingBlock);
        if (!OfferSendAndSave(text::kSendBeforeSwitch, text::kSaveBeforeSwitch)) return;
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

    // Readable: "LPT1:" on the 9x family, a USB port or a raw TCP/IP port on either family.
    const bool canReceive =
        FindPrinterDestination(*ports_, family, printerList.selectedDestination).kind !=
        LinkKind::NotReadable;
    if (canReceive) {
        view_.EnableCommand(IDM_RECEIVE_SETTINGS, true);
    } else {
        if (family == PlatformFamily::Nt) {
            if (!initialised) Ask(text::kNtCannotReceive, MsgIcon::Information, MsgButtons::Ok);
        } else if (fileLoaded == 0) {
            Ask(text::kCannotReceive, MsgIcon::Information, MsgButtons::Ok);
        }
        view_.EnableCommand(IDM_RECEIVE_SETTINGS, false);
        view_.EnableCommand(IDM_SEND_SETTINGS, true);
    }
    if (printerList.empty) {
        view_.CloseMainWindow();
        return;
    }
    view_.SetStatusText(0, text::kPrinterNamePart + printerList.selectedName);
    view_.SetStatusText(1, text::kDestinationPart + printerList.selectedDestination);
    ShowSettingsSource();
    currentPrinterName = printerList.selectedName;
    currentDestination = printerList.selectedDestination;

    if (canReceive && (fileLoaded == 1 || OnReceiveSettings() == 1)) return;
    // The new printer's settings are unknown: show the defaults and offer to send them.
    if (initialised) {
        copies.OnPrinterChangedNotReceived();
        ShowFactoryDefaults();
    }
}

bool CMainDlg::PrinterCanTakeJob(const char* toFileText) {
    if (currentDestination.empty() || currentPrinterName.empty()) {
        Ask(text::kNoPrinterSelected, MsgIcon::Warning, MsgButtons::Ok);
        SelectPrinter();
        if (currentDestination.empty() || currentPrinterName.empty()) return false;
    }
    if (currentDestination == kFile) {
        Ask(toFileText, MsgIcon::Information, MsgButtons::Ok);
        return false;
    }
    return true;
}

void CMainDlg::OnSendSettings() {
    if (!PrinterCanTakeJob(text::kSendToFile)) return;
    CollectBlock(copies.workingBlock);
    const SwitchBlock block = copies.workingBlock;
    if (WriteRawJob(*spooler_, view_.Family(), currentPrinterName, kSendJobName, block.bytes.data(),
                    block.bytes.size())) {
        Ask(text::kSent, MsgIcon::Information, MsgButtons::Ok);
        copies.OnSent();
        view_.EnableCommand(IDM_SEND_SETTINGS, false);
        return;
    }
    Ask(text::kNotAttached, MsgIcon::Warning, MsgButtons::Ok);
    SelectPrinter();
}

void CMainDlg::OnPrintSettings() {
    if (!PrinterCanTakeJob(text::kPrintToFile)) return;
    CollectBlock(copies.workingBlock);  // refreshed only; nothing of it is sent
    if (WriteRawJob(*spooler_, view_.Family(), currentPrinterName, kPrintJobName,
                    kPrintSettingsCommand.data(), kPrintSettingsCommand.size())) {
        Ask(text::kPrinted, MsgIcon::Information, MsgButtons::Ok);
        return;
    }
    Ask(text::kNotAttached, MsgIcon::Warning, MsgButtons::Ok);
    SelectPrinter();
}

int CMainDlg::OnReceiveSettings() {
    if (initialised) {
        CollectBlock(copies.workingBlock);
        if (copies.DiffersFromSent() &&
            Ask(text::kDiscardQuestion, MsgIcon::Warning, MsgButtons::YesNo) != MsgAnswer::Yes)
            return 0;
    }
    // Offered only where the printer can be read; the parallel port unless the destination
    // is a USB or network printer, as the command always talked to "LPT1:".
    PrinterDestination way = FindPrinterDestination(*ports_, view_.Family(), currentDestination);
    if (way.kind == LinkKind::NotReadable) way.kind = LinkKind::Lpt1;
    std::unique_ptr<PrinterLink> port = OpenDestination(*ports_, way);
    view_.ShowWaitCursor(true);
    if (QueryPrinterReady(*port) == 0) {
        Ask(text::kNotReady, MsgIcon::Information, MsgButtons::Ok);
        port.reset();
        view_.ShowWaitCursor(false);
        return 0;
    }

    const SettingsAnswer answer = RequestSettings(*port);
    switch (answer.result) {
        case RequestResult::TimeoutsNotRead:
        case RequestResult::TimeoutsNotSet:
            view_.ShowMessage(
                answer.result == RequestResult::TimeoutsNotRead ? text::kTimeoutsNotRead
                                                                : text::kTimeoutsNotSet,
                std::to_string(static_cast<int>(answer.error)), MsgIcon::None, MsgButtons::Ok);
            break;
        case RequestResult::RequestNotWritten:
            view_.ShowAppMessage(text::kRequestNotWritten, MsgIcon::Error);
            break;
        case RequestResult::ReadFailed:
            view_.ShowAppMessage(text::kReadFailed, MsgIcon::Error);
            break;
        case RequestResult::Read:
            // Only a reply of exactly 12 bytes holds the settings; anything else (a silent
            // printer included) is no success and changes nothing.
            if (answer.count != kSettingsReplySize) {
                Ask(text::kReadFailed, MsgIcon::Warning, MsgButtons::Ok);
                break;
            }
            Ask(text::kReceived, MsgIcon::Information, MsgButtons::Ok);
            SpreadSettingsReply(answer.reply.data(), answer.count, copies.workingBlock);
            ApplyBlock(copies.workingBlock);
            copies.OnReceived();
            source = SettingsSource::Printer(view_.LocalTime(), copies.workingBlock);
            ShowSettingsSource();
            view_.EnableCommand(IDM_SEND_SETTINGS, false);
            break;
    }
    view_.ShowWaitCursor(true);  // back after the message boxes
    port.reset();
    view_.ShowWaitCursor(false);
    return 1;
}

}  // namespace vx
