#include "app/printer_list_dlg.h"

#include <algorithm>
#include <vector>

#include "app/display_scale.h"
#include "common/texts.h"
#include "printer/printer_enum.h"

namespace vx {

namespace {

const char kFileDestination[] = "FILE:";

}  // namespace

int PrinterListColumnWidth(int baseWidth, int widestText, int dpi) {
    return std::max(baseWidth, widestText + ScaleToDpi(13, dpi));
}

void CPrinterListDlg::OnInitDialog(PrinterListView& view) {
    std::vector<PrinterRow> rows;
    if (spooler != nullptr &&
        EnumerateModelPrinters(*spooler, family, rows) == EnumResult::NoMemory)
        view.ShowMessage(text::kNoMemory, MsgIcon::Warning);
    for (const PrinterRow& row : rows) {
        const int index = view.InsertRow(row.name);
        view.SetRowDestination(index, row.destination);
    }

    empty = false;
    printerCount = static_cast<unsigned>(view.RowCount());
    if (printerCount == 0) {
        view.ShowMessage(text::kNoPrinter, MsgIcon::Warning);
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
        view.ShowMessage(text::kAllFile, MsgIcon::Warning);
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
        view.ShowMessage(text::kNoPrinterSelected, MsgIcon::Warning);
        return;
    }
    if (selectedDestination != kFileDestination) {
        view.EndDialog(kDialogOk);
        return;
    }
    if (view.RowCount() == 1) {
        view.ShowMessage(text::kOnlyFile, MsgIcon::Warning);
        view.ExitProgram(1);
        return;
    }
    view.ShowMessage(text::kChooseAnother, MsgIcon::Information);
}

void CPrinterListDlg::OnDoubleClick(PrinterListView& view) {
    if (view.SelectedRow() >= 0) OnOk(view);
}

void CPrinterListDlg::OnCancel(PrinterListView& view) { view.EndDialog(kDialogCancel); }

}  // namespace vx
