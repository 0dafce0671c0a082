// Floor 2 of the start-up benchmark: what the settings program shows, with none of
// what it does. Dialog 102 with its menu, the toolbar and the status bar made as the
// program makes them, the tab images and texts, and the five pages from their
// templates (the function-select page shown). No data, no printer, no worker.
#include <windows.h>
#include <commctrl.h>

#include "app/win32/main_bars.h"
#include "resources/resource.h"

namespace {

const int kPages[] = {IDD_PAGE_SELECT, IDD_PAGE_MSW1, IDD_PAGE_MSW2, IDD_PAGE_MSW3, IDD_PAGE_MSW4};
const wchar_t* const kTabs[] = {L"機能選択", L"ＭＳＷ１", L"ＭＳＷ２", L"ＭＳＷ３", L"ＭＳＷ４"};

vx::win32::CMainToolBar toolBar;
vx::win32::CMainStatusBar statusBar;

INT_PTR CALLBACK PageProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

void Build(HWND dlg, HINSTANCE instance) {
    SendMessageW(dlg, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadIconW(instance, MAKEINTRESOURCEW(IDI_MAIN))));
    toolBar.Create(dlg, instance, IDC_MAIN_BAR, IDB_TOOLBAR, 16);  // at 96 DPI
    statusBar.Create(dlg, instance, IDC_MAIN_BAR);
    statusBar.SetParts();

    HWND tab = GetDlgItem(dlg, IDC_MAIN_TAB);
    SendMessageW(
        tab, TCM_SETIMAGELIST, 0,
        reinterpret_cast<LPARAM>(ImageList_LoadImageW(instance, MAKEINTRESOURCEW(IDB_TAB_IMAGES),
                                                      16, 1, RGB(192, 192, 192), IMAGE_BITMAP, 0)));
    for (int i = 0; i < 5; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = const_cast<wchar_t*>(kTabs[i]);
        item.iImage = i == 0 ? 0 : 1;
        SendMessageW(tab, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    for (int i = 0; i < 5; ++i) {
        HWND page = CreateDialogParamW(instance, MAKEINTRESOURCEW(kPages[i]), dlg, PageProc, 0);
        SetWindowPos(page, HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | (i == 0 ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    }
}

INT_PTR CALLBACK MainProc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG:
            Build(dlg, reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dlg, GWLP_HINSTANCE)));
            return TRUE;
        case WM_SYSCOMMAND:
            if (wp == SC_CLOSE) PostQuitMessage(0);
            return FALSE;
    }
    return FALSE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES |
                                             ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&icc);
    HWND dlg = CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, MainProc, 0);
    if (!dlg) return 1;
    ShowWindow(dlg, SW_SHOW);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(dlg, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
