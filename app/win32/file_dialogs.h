// The common open and save-as dialogs of the main window.
#pragma once

#include <windows.h>

#include <string>

#include "app/main_view.h"

namespace vx::win32 {

// Asks for a file to open, or with `save` a name to save under, over `owner`; the name
// chosen goes to `path`. Cancelled as well when the dialogs cannot be loaded.
FileChoice AskFileName(HWND owner, const MainView::FileDialog& dialog, bool save,
                       std::string& path);

}  // namespace vx::win32
