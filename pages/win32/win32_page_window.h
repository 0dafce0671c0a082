// A setting page as a child dialog of the main window: the page's controls
// through the wide-character API, notifications passed to the portable page.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "common/win32/dialog.h"
#include "pages/page_window.h"
#include "pages/settings_page.h"

namespace vx::win32 {

class Win32PageWindow : public PageWindow, public Dialog {
  public:
    // `applicationName` captions the refusals, as the framework's own messages are.
    Win32PageWindow(SettingsPage& page, std::wstring applicationName)
        : page_(page), applicationName_(std::move(applicationName)) {}

    // Attaches the page, creates the dialog from the page's template (the page initialises
    // on WM_INITDIALOG) and places it at the top of the z-order, shown or hidden.
    bool Create(HINSTANCE instance, HWND parent, bool visible);

    int GetCheck(int id) override;
    void SetCheck(int id, int state) override;
    int GetRadioIndex(int firstId) override;
    void SetRadioIndex(int firstId, int index) override;
    std::string GetText(int id) override;
    void SetText(int id, const std::string& text) override;
    std::vector<std::string> GetListItems(int id) override;
    void SelectListItem(int id, int index) override;
    bool HasFocus(int id) override;
    void SetFocus(int id) override;
    void SelectAllText(int id) override;
    void SetSpinRange(int id, int lower, int upper) override;
    void ShowRefusal(const std::string& text, MsgIcon icon) override;
    void RaiseCommand(int commandId) override;

  private:
    INT_PTR OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void FillLists(HINSTANCE instance);
    // The radio buttons of the group that starts at `firstId`, in order.
    std::vector<HWND> RadioGroup(int firstId) const;
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }

    SettingsPage& page_;
    std::wstring applicationName_;
};

}  // namespace vx::win32
