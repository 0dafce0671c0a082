// QLV3906: the settings program of the ZAM QX-K480/330.
#include <windows.h>
#include <commctrl.h>

#include "app/win32/main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // The main window and its dialogs use the list view, tab, toolbar, status bar and
    // up-down controls.
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES |
                                             ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&icc);
    vx::win32::CMainWindow window(instance);
    window.RunModal();
    return 0;  // exit code 1 is kept for "no usable printer"
}
