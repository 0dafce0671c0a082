// The printer list (dialog 152): the model's printers in a sorted two-column
// list, one of them chosen with OK or a double-click. The dialog's decisions
// live here; the Win32 dialog only shows the list and forwards its events.
#pragma once

#include <string>

#include "common/message_box.h"
#include "printer/platform_family.h"
#include "printer/spooler.h"

namespace vx {

constexpr int kDialogOk = 1;
constexpr int kDialogCancel = 2;

// What the logic needs of the dialog window and its list view (control 1069).
class PrinterListView {
  public:
    virtual ~PrinterListView() = default;
    // Adds a row with its first column; the list sorts itself. Returns the new row's index.
    virtual int InsertRow(const std::string& name) = 0;
    virtual void SetRowDestination(int row, const std::string& destination) = 0;
    virtual int RowCount() const = 0;
    virtual std::string RowText(int row, int column) const = 0;
    virtual void SelectRow(int row) = 0;  // selected and focused
    virtual int SelectedRow() const = 0;  // -1 when no row is selected
    // Owned by the dialog, caption "Veltrix", OK button.
    virtual void ShowMessage(const std::string& text, MsgIcon icon) = 0;
    virtual void EndDialog(int result) = 0;
    // Ends the whole process; the caller returns at once afterwards.
    virtual void ExitProgram(int exitCode) = 0;
};

// The width of a list column in pixels: its width at 100 % text (`baseWidth`) at least, and
// wider when the widest of its texts, the header's among them, measured in the list's font,
// needs more with the list's margin beside it (13 pixels at 96 DPI, grown with the DPI).
// So the "(168)" or "(160)" that tells the two models apart is never cut off at larger text.
int PrinterListColumnWidth(int baseWidth, int widestText, int dpi);

class CPrinterListDlg {
  public:
    // Set by the caller before the dialog runs: where the printers are listed, and how.
    Spooler* spooler = nullptr;
    PlatformFamily family = PlatformFamily::Nt;

    // 0 until the start-up printer selection has returned. While it is 0 a single printer
    // is accepted without showing the list.
    bool initialised = false;
    unsigned printerCount = 0;
    bool empty = false;               // no printer of the model was found
    std::string selectedName;         // preset by the caller; the choice after OK
    std::string selectedDestination;  // likewise

    // WM_INITDIALOG: fills the list, preselects a row, may accept at once or end the program.
    void OnInitDialog(PrinterListView& view);
    // OK button, Enter.
    void OnOk(PrinterListView& view);
    // NM_DBLCLK on the list: OK only when a row is selected.
    void OnDoubleClick(PrinterListView& view);
    // Cancel button, Escape, close box: the selection stays as it was.
    void OnCancel(PrinterListView& view);
};

}  // namespace vx
