// The list dialog's window for the tests: a list that sorts itself, and a
// record of messages, the dialog's end and the process exit.
#pragma once

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "app/printer_list_dlg.h"

namespace vx::test {

class FakePrinterListView : public PrinterListView {
  public:
    std::vector<std::pair<std::string, std::string>> rows;
    int selected = -1;
    std::vector<std::string> messages;
    std::vector<MsgIcon> icons;
    int endResult = 0;  // 0: the dialog is still open
    int exitCode = -1;  // -1: the process goes on

    int InsertRow(const std::string& name) override {
        auto at =
            std::upper_bound(rows.begin(), rows.end(), name,
                             [](const std::string& n, const auto& row) { return n < row.first; });
        const auto inserted = rows.insert(at, {name, ""});
        return static_cast<int>(inserted - rows.begin());
    }
    void SetRowDestination(int row, const std::string& d) override { rows.at(row).second = d; }
    int RowCount() const override { return static_cast<int>(rows.size()); }
    std::string RowText(int row, int column) const override {
        return column == 0 ? rows.at(row).first : rows.at(row).second;
    }
    void SelectRow(int row) override { selected = row; }
    int SelectedRow() const override { return selected; }
    void ShowMessage(const std::string& text, MsgIcon icon) override {
        messages.push_back(text);
        icons.push_back(icon);
    }
    void EndDialog(int result) override { endResult = result; }
    void ExitProgram(int code) override { exitCode = code; }
};

}  // namespace vx::test
