#include "app/win32/main_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include <utility>
#include <vector>

#include "app/commands.h"
#include "app/display_scale.h"
#include "app/keyboard.h"
#include "app/startup.h"
#include "app/win32/file_dialogs.h"
#include "app/win32/system_dpi.h"
#include "app/win32/win32_printer_list_dlg.h"
#include "common/win32/message_box.h"
#include "common/win32/module_path.h"
#include "common/win32/utf16.h"
#include "common/win32/windows_version.h"
#include "resources/resource.h"

namespace vx::win32 {

namespace {

INT_PTR CALLBACK AboutProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM) {
    if (msg == WM_INITDIALOG) return TRUE;
    if (msg == WM_COMMAND && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
        EndDialog(hwnd, LOWORD(wp));
        return TRUE;
    }
    return FALSE;
}

// Where a message goes before the accelerators see it; keys for other windows of the thread
// (a message box, the help viewer) are left as they are.
KeyRoute RouteOf(HWND window, const MSG& msg) {
    if (msg.message != WM_KEYDOWN || (msg.hwnd != window && !IsChild(window, msg.hwnd)))
        return KeyRoute::Accelerators;
    wchar_t focusClass[16] = L"";
    if (HWND focus = GetFocus()) GetClassNameW(focus, focusClass, 16);
    KeyPress press;
    press.key = static_cast<unsigned>(msg.wParam);
    press.ctrl = GetKeyState(VK_CONTROL) < 0;
    press.shift = GetKeyState(VK_SHIFT) < 0;
    press.alt = GetKeyState(VK_MENU) < 0;
    press.inEditBox = _wcsicmp(focusClass, L"Edit") == 0;
    return RouteKey(press);
}

}  // namespace

CMainWindow::CMainWindow(HINSTANCE instance, std::string applicationName)
    : instance_(instance),
      applicationName_(std::move(applicationName)),
      dlg_(*this, files_, spooler_, ports_) {
    dlg_.UseHelpSystem(help_);
    accelerators_ = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_MAIN));
}

int CMainWindow::RunModal() {
    if (!CreateModeless(instance_, IDD_MAIN, nullptr) || failed_) {
        if (hwnd_) DestroyWindow(hwnd_);
        return -1;
    }
    ShowWindow(hwnd_, SW_SHOW);
    running_ = true;
    MSG msg;
    while (running_ && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // Accelerators first; the key of a disabled menu item runs nothing.
        const KeyRoute route = RouteOf(hwnd_, msg);
        if (route == KeyRoute::NextPage || route == KeyRoute::PreviousPage) {
            dlg_.CyclePage(route == KeyRoute::NextPage ? 1 : -1);
            continue;
        }
        if (route == KeyRoute::Accelerators && accelerators_ &&
            TranslateAcceleratorW(hwnd_, accelerators_, &msg))
            continue;
        if (IsDialogMessageW(hwnd_, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
    WaitForStartupWorker();
    return result_;
}

void CMainWindow::CloseMainWindow() {
    result_ = IDOK;
    running_ = false;
    PostMessageW(hwnd_, WM_NULL, 0, 0);  // wake the loop
}

INT_PTR CMainWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_INITDIALOG:
            return OnInitDialog();
        case WM_COMMAND:
            OnCommand(LOWORD(wp));
            return TRUE;
        case WM_NOTIFY:
            return OnNotify(reinterpret_cast<NMHDR*>(lp));
        case WM_SYSCOMMAND:
            // The close box, the system menu and Alt+F4 quit as the menu's exit does; the
            // default handling follows and closes nothing, since OK and Cancel do nothing.
            if (wp == SC_CLOSE) OnCommand(IDM_EXIT);
            return FALSE;
        case WM_SIZE:
            OnSize();
            return FALSE;
        case WM_PAINT:
            return OnPaintMinimised();
        case WM_QUERYDRAGICON:  // one of the messages a dialog answers directly
            return reinterpret_cast<INT_PTR>(bigIcon_);
        case WM_DROPFILES:
            OnDropFiles(reinterpret_cast<HDROP>(wp));
            return TRUE;
        case kRunOnWindowThread:
            (*reinterpret_cast<const std::function<void()>*>(lp))();
            return TRUE;
        case kRunPosted:
            RunPostedWork();
            return TRUE;
        case WM_ENTERMENULOOP:
            BuildMenuImages();
            return FALSE;
        case WM_MEASUREITEM: {
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
            if (mis->CtlType != ODT_MENU) return FALSE;
            menu_.MeasureItem(mis);
            return TRUE;
        }
        case WM_DRAWITEM: {
            const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
            if (dis->CtlType != ODT_MENU) return FALSE;
            menu_.DrawItem(dis);
            return TRUE;
        }
        case WM_MENUCHAR: {
            const HMENU menu = reinterpret_cast<HMENU>(lp);
            if (!CIconMenu::IsRegisteredPopup(menu)) return FALSE;
            SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT,
                              CIconMenu::FindKeyboardShortcut(LOWORD(wp), HIWORD(wp), menu));
            return TRUE;
        }
        case WM_DESTROY:
            dlg_.OnDestroy();  // closes a help window we opened
            if (tabImages_) {
                TabCtrl_SetImageList(Tab(), nullptr);
                tabImages_.Reset();
            }
            return FALSE;
    }
    return FALSE;
}

BOOL CMainWindow::OnInitDialog() {
    imageSize_ = ImageSizeForDpi(SystemDpi());
    menu_.SetImageSize(imageSize_);
    AttachIconMenu();
    dlg_.FindHelpFile();
    bigIcon_ = LoadIconW(instance_, MAKEINTRESOURCEW(IDI_MAIN));
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
    toolBar_.Create(hwnd_, instance_, IDC_MAIN_BAR, IDB_TOOLBAR, imageSize_);
    statusBar_.Create(hwnd_, instance_, IDC_MAIN_BAR);
    statusBar_.SetParts();
    // The rest of the start-up, the worker included, is posted to follow the window's showing.
    dlg_.OnInitDialog();
    return TRUE;
}

// Every part of the window, its children included, painted before this returns.
void CMainWindow::PaintWindow() { UpdateWindow(hwnd_); }

// Menu 142 drawn by the icon menu; the template's plain menu gives way to it. Its command
// images are added when it first opens (BuildMenuImages), not while the window starts.
void CMainWindow::AttachIconMenu() {
    if (!menu_.LoadMenu(instance_, IDR_MAIN, hwnd_)) {
        menuImagesBuilt_ = true;  // nothing to add them to
        return;
    }
    const MenuHandle plain(GetMenu(hwnd_));
    SetMenu(hwnd_, menu_.Detach());
}

// The command images, once, before the first drop-down is measured or drawn. Giving an item
// its image rewrites the item, state included: the enabled, greyed and checked states that
// the commands have by now are put back.
void CMainWindow::BuildMenuImages() {
    if (menuImagesBuilt_) return;
    menuImagesBuilt_ = true;
    HMENU bar = GetMenu(hwnd_);
    if (!bar) return;
    menu_.Attach(bar);
    for (const Command& c : kCommands) {
        if (c.menuBitmap == 0) continue;
        const UINT id = static_cast<UINT>(c.menuId);
        const UINT state = GetMenuState(bar, id, MF_BYCOMMAND);
        menu_.ModifyODMenu(instance_, nullptr, id, c.menuBitmap);
        if (state == static_cast<UINT>(-1)) continue;
        EnableMenuItem(bar, id, MF_BYCOMMAND | (state & (MF_GRAYED | MF_DISABLED)));
        CheckMenuItem(bar, id, MF_BYCOMMAND | (state & MF_CHECKED));
    }
    menu_.Detach();
}

void CMainWindow::OnCommand(int id) {
    // Enter and Escape do nothing in the main window.
    if (id == IDOK || id == IDCANCEL) return;
    dlg_.OnCommand(id);
}

INT_PTR CMainWindow::OnNotify(NMHDR* header) {
    if (header->idFrom == IDC_MAIN_TAB && header->code == TCN_SELCHANGE) {
        dlg_.OnTabSelChange();
        SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, 0);
        return TRUE;
    }
    if (header->code == TTN_NEEDTEXTW || header->code == TTN_NEEDTEXTA) {
        return CMainToolBar::OnNeedText(instance_, header) ? TRUE : FALSE;
    }
    return FALSE;
}

// Neither size nor maximise apply to this window; restore and minimise take turns.
void CMainWindow::OnSize() {
    HMENU menu = GetSystemMenu(hwnd_, FALSE);
    if (!menu) return;
    EnableMenuItem(menu, SC_SIZE, MF_BYCOMMAND | MF_GRAYED);
    EnableMenuItem(menu, SC_MAXIMIZE, MF_BYCOMMAND | MF_GRAYED);
    const bool minimised = IsIconic(hwnd_) != FALSE;
    EnableMenuItem(menu, SC_RESTORE, MF_BYCOMMAND | (minimised ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(menu, SC_MINIMIZE, MF_BYCOMMAND | (minimised ? MF_GRAYED : MF_ENABLED));
}

bool CMainWindow::OnPaintMinimised() {
    if (!IsIconic(hwnd_)) return false;
    const PaintScope paint(hwnd_);
    SendMessageW(hwnd_, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.Get()), 0);
    RECT client;
    GetClientRect(hwnd_, &client);
    const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(paint.Get(), x, y, bigIcon_);
    return true;
}

void CMainWindow::OnDropFiles(HDROP drop) {
    std::vector<std::string> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        // The whole path, however long: a cut one would name another file.
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
        paths.push_back(Narrow(path));
    }
    DragFinish(drop);
    dlg_.OnDropFiles(paths);
}

// ---- MainView ---------------------------------------------------------------

MsgAnswer CMainWindow::ShowMessage(const std::string& text, const std::string& caption,
                                   MsgIcon icon, MsgButtons buttons) {
    return ShowMessageBox(hwnd_, text, caption, icon, buttons);
}

void CMainWindow::EnableCommand(int menuCommandId, bool enabled) {
    EnableMenuItem(GetMenu(hwnd_), static_cast<UINT>(menuCommandId),
                   MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    if (const int button = ButtonOf(menuCommandId)) toolBar_.EnableButton(button, enabled);
}

void CMainWindow::CreateTabImages() {
    const int bitmap = BitmapIdForImageSize(IDB_TAB_IMAGES, imageSize_);
    tabImages_.Reset(ImageList_LoadImageW(instance_, MAKEINTRESOURCEW(bitmap), imageSize_, 1,
                                          RGB(192, 192, 192), IMAGE_BITMAP, 0));
    TabCtrl_SetImageList(Tab(), tabImages_.Get());
}

void CMainWindow::InsertTab(int index, const std::string& text, int image) {
    std::wstring w = Widen(text);
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = w.data();
    item.iImage = image;
    SendMessageW(Tab(), TCM_INSERTITEMW, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&item));
}

PageWindow& CMainWindow::CreatePageWindow(int index, SettingsPage& page, bool visible) {
    auto& slot = pages_[static_cast<std::size_t>(index)];
    slot = std::make_unique<Win32PageWindow>(page, Widen(applicationName_));
    if (!slot->Create(instance_, hwnd_, visible)) {
        // Never carried on half-built: the loop ends and RunModal answers -1.
        failed_ = true;
        result_ = -1;
        running_ = false;
        PostMessageW(hwnd_, WM_NULL, 0, 0);
    }
    return *slot;
}

int CMainWindow::GetTabSelection() { return TabCtrl_GetCurSel(Tab()); }

void CMainWindow::SetTabSelection(int index) { TabCtrl_SetCurSel(Tab(), index); }

void CMainWindow::ShowPageWindow(int index, bool visible) {
    if (auto& page = pages_[static_cast<std::size_t>(index)]) {
        ShowWindow(page->Handle(), visible ? SW_SHOW : SW_HIDE);
    }
}

bool CMainWindow::TabHasFocus() { return GetFocus() == Tab(); }

void CMainWindow::FocusPageWindow(int index) {
    if (auto& page = pages_[static_cast<std::size_t>(index)]) ::SetFocus(page->Handle());
}

void CMainWindow::ShowAbout() {
    DialogBoxParamW(instance_, MAKEINTRESOURCEW(IDD_ABOUT), hwnd_, AboutProc, 0);
}

PlatformFamily CMainWindow::Family() {
    return vx::win32::IsNtPlatform() ? PlatformFamily::Nt : PlatformFamily::Win9x;
}

std::string CMainWindow::ProgramFolder() { return vx::ProgramFolder(ModulePath()); }

FileChoice CMainWindow::AskOpenFileName(const FileDialog& dialog, std::string& path) {
    return AskFileName(hwnd_, dialog, false, path);
}

FileChoice CMainWindow::AskSaveFileName(const FileDialog& dialog, std::string& path) {
    return AskFileName(hwnd_, dialog, true, path);
}

void CMainWindow::ShowAppMessage(const std::string& text, MsgIcon icon) {
    ShowMessageBox(hwnd_, text, applicationName_, icon, MsgButtons::Ok);
}

void CMainWindow::ShowWaitCursor(bool shown) {
    SetCursor(LoadCursorW(nullptr, shown ? IDC_WAIT : IDC_ARROW));
}

void CMainWindow::SetStatusText(int part, const std::string& text) {
    statusBar_.SetText(part, Widen(text).c_str());
}

TimeOfDay CMainWindow::LocalTime() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wHour, now.wMinute};
}

int CMainWindow::RunPrinterList(CPrinterListDlg& dlg) {
    return RunPrinterListDialog(instance_, hwnd_, dlg);
}

}  // namespace vx::win32
