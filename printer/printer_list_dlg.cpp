#include "printer/printer_list_dlg.h"

#include <vector>

#include "printer/printer_enum.h"

namespace vx {

namespace {

const char kFileDestination[] = "FILE:";

const char kNoPrinterMessage[] =
    "使用可能なプリンタがありませんでした。プリンタドライバを確認してからやり直してください。"
    "\n\nVeltrixを終了します。";
const char kAllFileMessage[] =
    "インストールされているプリンタの接続先がFILEのため設定値を受信/送信できません。\n"
    "プリンタ設定を確認してやり直してください。\n\nVeltrixを終了します。";
const char kNothingSelectedMessage[] =
    "プリンタが選択されていません。\nプリンタを選択してください。";
const char kOnlyFileMessage[] =
    "接続先がFILEのため設定値を受信/送信できません。\nプリンタ設定を確認してやり直してください。"
    "\n\nVeltrixを終了します。";
const char kChooseAnotherMessage[] =
    "接続先がFILEのため設定値を受信/送信できません。\n"
    "プリンタ設定を変更するか、他のプリンタに変更してください。";
const char kNoMemoryMessage[] = "メモリが不足しているため、プリンタの一覧を取得できませんでした。";

}  // namespace

void CPrinterListDlg::OnInitDialog(PrinterListView& view) {
    std::vector<PrinterRow> rows;
    if (spooler != nullptr &&
        EnumerateModelPrinters(*spooler, family, rows) == EnumResult::NoMemory)
        view.ShowMessage(kNoMemoryMessage, ListMessageIcon::Exclamation);
    for (const PrinterRow& row : rows) {
        const int index = view.InsertRow(row.name);
        view.SetRowDestination(index, row.destination);
    }

    empty = false;
    printerCount = static_cast<unsigned>(view.RowCount());
    if (printerCount == 0) {
        view.ShowMessage(kNoPrinterMessage, ListMessageIcon::Exclamation);
        empty = true;
        view.ExitProgram(1);
        return;
    }

    int preselect = 0;
    if (!selectedName.empty()) {
        for (int row = 0; row < static_cast<int>(printerCount); ++row) {
            if (view.RowText(row, 0) == selectedName) {
                preselect = row;
                break;
            }
        }
    }
    view.SelectRow(preselect);

    if (printerCount == 1 && !initialised) {
        OnOk(view);
        return;
    }

    bool allFile = true;
    for (int row = 0; row < static_cast<int>(printerCount) && allFile; ++row)
        allFile = view.RowText(row, 1) == kFileDestination;
    if (allFile) {
        view.ShowMessage(kAllFileMessage, ListMessageIcon::Exclamation);
        view.ExitProgram(1);
    }
}

void CPrinterListDlg::OnOk(PrinterListView& view) {
    const int row = view.SelectedRow();
    if (row >= 0) {
        // Taken before the checks: a refused choice still leaves its texts here.
        selectedName = view.RowText(row, 0);
        selectedDestination = view.RowText(row, 1);
    }
    if (row < 0) {
        view.ShowMessage(kNothingSelectedMessage, ListMessageIcon::Exclamation);
        return;
    }
    if (selectedDestination != kFileDestination) {
        view.EndDialog(kDialogOk);
        return;
    }
    if (view.RowCount() == 1) {
        view.ShowMessage(kOnlyFileMessage, ListMessageIcon::Exclamation);
        view.ExitProgram(1);
        return;
    }
    view.ShowMessage(kChooseAnotherMessage, ListMessageIcon::Information);
}

void CPrinterListDlg::OnDoubleClick(PrinterListView& view) {
    if (view.SelectedRow() >= 0) OnOk(view);
}

void CPrinterListDlg::OnCancel(PrinterListView& view) { view.EndDialog(kDialogCancel); }

}  // namespace vx
