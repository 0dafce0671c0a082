#include "app/win32/win32_printer_list_dlg.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "app/win32/system_dpi.h"
#include "common/texts.h"
#include "common/win32/dialog.h"
#include "common/win32/message_box.h"
#include "common/win32/utf16.h"
#include "resources/resource.h"

namespace vx::win32 {

namespace {

struct ListColumn {
    const wchar_t* header;
    int width;  // at 100 % text
};
constexpr ListColumn kColumns[] = {{L"プリンタ名", 200}, {L"接続先", 90}};

class Win32PrinterListView : public PrinterListView, public Dialog {
  public:
    explicit Win32PrinterListView(CPrinterListDlg& logic) : logic_(logic) {}

    void CreateColumns() {
        ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT);
        for (int i = 0; i < 2; ++i) AddColumn(i, kColumns[i].header, kColumns[i].width);
    }

    // Once the rows are in: every column wide enough for its header and its longest text.
    void FitColumns() {
        const int dpi = SystemDpi();
        for (int i = 0; i < 2; ++i) {
            int widest = TextWidth(kColumns[i].header);
            for (int row = 0; row < RowCount(); ++row)
                widest = std::max(widest, TextWidth(Widen(RowText(row, i)).c_str()));
            ListView_SetColumnWidth(list_, i,
                                    PrinterListColumnWidth(kColumns[i].width, widest, dpi));
        }
    }

    int InsertRow(const std::string& name) override {
        std::wstring text = Widen(name);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = ListView_GetItemCount(list_);
        item.pszText = text.data();
        return static_cast<int>(
            SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    }
    void SetRowDestination(int row, const std::string& destination) override {
        std::wstring text = Widen(destination);
        LVITEMW item{};
        item.iSubItem = 1;
        item.pszText = text.data();
        SendMessageW(list_, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    }
    int RowCount() const override { return ListView_GetItemCount(list_); }
    std::string RowText(int row, int column) const override {
        // The list answers with the length it copied: grow until the whole text fits.
        for (std::size_t size = 256;; size *= 2) {
            std::vector<wchar_t> buffer(size, L'\0');
            LVITEMW item{};
            item.iSubItem = column;
            item.pszText = buffer.data();
            item.cchTextMax = static_cast<int>(size);
            const LRESULT n =
                SendMessageW(list_, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
            if (static_cast<std::size_t>(n) + 1 < size) return Narrow(buffer.data());
        }
    }
    void SelectRow(int row) override {
        const UINT state = LVIS_SELECTED | LVIS_FOCUSED;
        ListView_SetItemState(list_, row, state, state);
    }
    int SelectedRow() const override { return ListView_GetNextItem(list_, -1, LVNI_SELECTED); }
    void ShowMessage(const std::string& text, MsgIcon icon) override {
        ShowMessageBox(hwnd_, text, text::kCaption, icon, MsgButtons::Ok);
    }
    void EndDialog(int result) override { ::EndDialog(hwnd_, result); }
    void ExitProgram(int exitCode) override { ExitProcess(static_cast<UINT>(exitCode)); }

  private:
    // In the list's font, the dialog's.
    int TextWidth(const wchar_t* text) const {
        return static_cast<int>(
            SendMessageW(list_, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text)));
    }

    void AddColumn(int index, const wchar_t* title, int width) {
        std::wstring text = title;
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = width;
        column.pszText = text.data();
        column.iSubItem = index;
        SendMessageW(list_, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
    }

    INT_PTR OnMessage(UINT message, WPARAM wp, LPARAM lp) override {
        switch (message) {
            case WM_INITDIALOG:
                list_ = GetDlgItem(hwnd_, IDC_PRINTER_LIST);
                CreateColumns();
                logic_.OnInitDialog(*this);
                FitColumns();
                return TRUE;
            case WM_COMMAND:
                if (LOWORD(wp) == IDOK) {
                    logic_.OnOk(*this);
                    return TRUE;
                }
                if (LOWORD(wp) == IDCANCEL) {
                    logic_.OnCancel(*this);
                    return TRUE;
                }
                return FALSE;
            case WM_NOTIFY: {
                const auto* header = reinterpret_cast<const NMHDR*>(lp);
                if (header->idFrom != IDC_PRINTER_LIST || header->code != NM_DBLCLK) return FALSE;
                logic_.OnDoubleClick(*this);
                SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, 0);
                return TRUE;
            }
        }
        return FALSE;
    }

    HWND list_ = nullptr;
    CPrinterListDlg& logic_;
};

}  // namespace

int RunPrinterListDialog(HINSTANCE instance, HWND owner, CPrinterListDlg& dlg) {
    Win32PrinterListView view(dlg);
    return static_cast<int>(view.RunModal(instance, IDD_PRINTER_LIST, owner));
}

}  // namespace vx::win32
