#include "pages/win32/win32_page_window.h"

#include <commctrl.h>

#include <cstring>

#include "common/win32/message_box.h"
#include "common/win32/utf16.h"
#include "pages/page_items.h"
#include "pages/page_layout.h"

namespace vx::win32 {

namespace {

std::wstring WindowText(HWND hwnd) {
    const int n = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    const int got = GetWindowTextW(hwnd, text.data(), n + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

// Controls that the rounding of dialog units put a pixel past the page's edge, back inside.
void FitControlsIntoPage(HWND page) {
    RECT client{};
    GetClientRect(page, &client);
    for (HWND c = GetWindow(page, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        RECT r{};
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&r), 2);
        const PixelBox box{r.left, r.top, r.right, r.bottom};
        const PixelBox fitted = FitIntoPage(box, client.right, client.bottom);
        if (fitted == box) continue;
        SetWindowPos(c, nullptr, fitted.left, fitted.top, fitted.right - fitted.left,
                     fitted.bottom - fitted.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

}  // namespace

bool Win32PageWindow::Create(HINSTANCE instance, HWND parent, bool visible) {
    page_.Attach(this);
    // The templates are visible child dialogs. Made from them as they are, a page created
    // while the main window is on screen would show for a moment and, hidden again, make the
    // page beneath it paint once more: the copy made here starts hidden.
    HRSRC res = FindResourceW(instance, MAKEINTRESOURCEW(page_.TemplateId()), RT_DIALOG);
    const void* data = res ? LockResource(LoadResource(instance, res)) : nullptr;
    if (!data) return false;
    std::vector<unsigned char> copy(
        static_cast<const unsigned char*>(data),
        static_cast<const unsigned char*>(data) + SizeofResource(instance, res));
    const bool extended = copy.size() >= 4 && copy[2] == 0xFF && copy[3] == 0xFF;
    const std::size_t styleAt = extended ? 12 : 0;  // DLGTEMPLATEEX: after version, helpID, exStyle
    if (copy.size() < styleAt + sizeof(DWORD)) return false;
    DWORD style;
    std::memcpy(&style, &copy[styleAt], sizeof style);
    style &= ~static_cast<DWORD>(WS_VISIBLE);
    std::memcpy(&copy[styleAt], &style, sizeof style);
    if (!CreateModeless(instance, reinterpret_cast<const DLGTEMPLATE*>(copy.data()), parent))
        return false;
    FitControlsIntoPage(hwnd_);
    SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | (visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    return true;
}

INT_PTR Win32PageWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_INITDIALOG:
            FillLists(reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE)));
            page_.OnInitPage();
            return FALSE;  // a page takes no focus of its own
        case WM_COMMAND: {
            const int id = LOWORD(wp);
            if (lp != 0) {  // from one of the page's controls
                page_.OnControlCommand(id);
                if (HIWORD(wp) == EN_CHANGE) page_.OnEditChanged(id);
                return TRUE;
            }
            // Commands the page does not handle go on to the main dialog.
            if (IsMainDialogCommand(id)) {
                SendMessageW(GetParent(hwnd_), WM_COMMAND, wp, lp);
                return TRUE;
            }
            return FALSE;
        }
    }
    return FALSE;
}

void Win32PageWindow::FillLists(HINSTANCE instance) {
    HRSRC res = FindResourceW(instance, MAKEINTRESOURCEW(page_.TemplateId()),
                              MAKEINTRESOURCEW(kPageItemsResourceType));
    if (!res) return;
    HGLOBAL loaded = LoadResource(instance, res);
    const auto* data = static_cast<const std::uint8_t*>(LockResource(loaded));
    const std::size_t size = SizeofResource(instance, res);
    for (const auto& [id, text] : ParsePageItems(data, size))
        SendDlgItemMessageW(hwnd_, id, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

int Win32PageWindow::GetCheck(int id) { return static_cast<int>(IsDlgButtonChecked(hwnd_, id)); }

void Win32PageWindow::SetCheck(int id, int state) {
    CheckDlgButton(hwnd_, id, static_cast<UINT>(state));
}

std::vector<HWND> Win32PageWindow::RadioGroup(int firstId) const {
    std::vector<HWND> buttons;
    HWND h = Item(firstId);
    while (h) {
        if (SendMessageW(h, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) buttons.push_back(h);
        h = GetWindow(h, GW_HWNDNEXT);
        if (h && (GetWindowLongW(h, GWL_STYLE) & WS_GROUP)) break;
    }
    return buttons;
}

int Win32PageWindow::GetRadioIndex(int firstId) {
    const std::vector<HWND> buttons = RadioGroup(firstId);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (SendMessageW(buttons[i], BM_GETCHECK, 0, 0) == BST_CHECKED) return static_cast<int>(i);
    }
    return -1;
}

void Win32PageWindow::SetRadioIndex(int firstId, int index) {
    const std::vector<HWND> buttons = RadioGroup(firstId);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        SendMessageW(buttons[i], BM_SETCHECK,
                     static_cast<int>(i) == index ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

std::string Win32PageWindow::GetText(int id) { return Narrow(WindowText(Item(id))); }

void Win32PageWindow::SetText(int id, const std::string& text) {
    SetWindowTextW(Item(id), Widen(text).c_str());
}

std::vector<std::string> Win32PageWindow::GetListItems(int id) {
    std::vector<std::string> items;
    const LRESULT count = SendDlgItemMessageW(hwnd_, id, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT len = SendDlgItemMessageW(hwnd_, id, CB_GETLBTEXTLEN, i, 0);
        if (len < 0) continue;
        std::wstring text(static_cast<std::size_t>(len) + 1, L'\0');
        SendDlgItemMessageW(hwnd_, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(len));
        items.push_back(Narrow(text));
    }
    return items;
}

void Win32PageWindow::SelectListItem(int id, int index) {
    SendDlgItemMessageW(hwnd_, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool Win32PageWindow::HasFocus(int id) { return GetFocus() == Item(id); }

void Win32PageWindow::SetFocus(int id) { ::SetFocus(Item(id)); }

void Win32PageWindow::SelectAllText(int id) { SendDlgItemMessageW(hwnd_, id, EM_SETSEL, 0, -1); }

void Win32PageWindow::SetSpinRange(int id, int lower, int upper) {
    SendDlgItemMessageW(hwnd_, id, UDM_SETRANGE32, static_cast<WPARAM>(lower), upper);
}

void Win32PageWindow::ShowRefusal(const std::string& text, MsgIcon icon) {
    MessageBoxW(GetAncestor(hwnd_, GA_ROOT), Widen(text).c_str(), applicationName_.c_str(),
                MessageBoxType(icon, MsgButtons::Ok));
}

void Win32PageWindow::RaiseCommand(int commandId) {
    SendMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(commandId, 0), 0);
}

}  // namespace vx::win32
