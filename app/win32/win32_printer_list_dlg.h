#pragma once

#include <windows.h>

#include "app/printer_list_dlg.h"

namespace vx::win32 {

// Runs the printer list (dialog 152, list view 1069) modally over `owner`, driven by `dlg`.
// Returns IDOK, IDCANCEL, or -1 when the dialog could not be created.
int RunPrinterListDialog(HINSTANCE instance, HWND owner, CPrinterListDlg& dlg);

}  // namespace vx::win32
