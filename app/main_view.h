// What the main dialog's logic needs of its window. The Win32 window implements
// it; the native tests use a fake that records calls and scripts answers.
#pragma once

#include <functional>
#include <string>

#include "app/settings_source.h"
#include "common/message_box.h"
#include "printer/platform_family.h"

namespace vx {

class CPrinterListDlg;

class PageWindow;
class SettingsPage;

// How a file dialog ended: a file chosen, cancelled, or a name that does not fit the
// dialog's MAX_PATH buffer (the dialog then returns nothing at all).
enum class FileChoice { Chosen, Cancelled, NameTooLong };

// The status bar's part that says where the values on the pages came from.
constexpr int kSourceStatusPart = 2;

class MainView {
  public:
    virtual ~MainView() = default;

    // A message box owned by the main window. Texts are UTF-8.
    virtual MsgAnswer ShowMessage(const std::string& text, const std::string& caption, MsgIcon icon,
                                  MsgButtons buttons) = 0;

    // A command's availability, always on its menu item and its toolbar button together.
    virtual void EnableCommand(int menuCommandId, bool enabled) = 0;

    // ---- The tab control and its pages
    // The tab control's image list (bitmap 168) and one tab item.
    virtual void CreateTabImages() = 0;
    virtual void InsertTab(int index, const std::string& text, int image) = 0;
    // A page's child dialog from its template, at the top of the z-order, shown or hidden.
    // The window attaches itself to `page`, runs the page's initialisation (OnInitPage) and
    // from then on forwards the page's control notifications to it.
    virtual PageWindow& CreatePageWindow(int index, SettingsPage& page, bool visible) = 0;
    virtual int GetTabSelection() = 0;
    virtual void SetTabSelection(int index) = 0;
    virtual void ShowPageWindow(int index, bool visible) = 0;
    virtual bool TabHasFocus() = 0;
    virtual void FocusPageWindow(int index) = 0;

    // The about box (dialog 100), modal.
    virtual void ShowAbout() = 0;

    // ---- Settings files and the printer (main_dlg_files.cpp, main_dlg_printer.cpp)
    virtual PlatformFamily Family() = 0;
    // The running program's folder with its trailing backslash.
    virtual std::string ProgramFolder() = 0;
    // The common open and save-as dialogs; false when cancelled.
    struct FileDialog {
        std::string filter;  // "label|pattern||"
        std::string defaultExtension;
        std::string fileName;  // the initial name
        std::string folder;    // the initial folder
    };
    // Read-only box hidden.
    virtual FileChoice AskOpenFileName(const FileDialog& dialog, std::string& path) = 0;
    // Read-only box hidden; asks before overwriting an existing file.
    virtual FileChoice AskSaveFileName(const FileDialog& dialog, std::string& path) = 0;
    // The application's message box: owned by the main window, captioned with the
    // application's name, OK button.
    virtual void ShowAppMessage(const std::string& text, MsgIcon icon) = 0;
    virtual void ShowWaitCursor(bool shown) = 0;
    // Parts 0 (printer name) and 1 (destination) as they always were; part 2 says where the
    // values on the pages came from.
    virtual void SetStatusText(int part, const std::string& text) = 0;
    // The local time, for the status bar's "read from the printer at".
    virtual TimeOfDay LocalTime() = 0;
    // The printer list (dialog 152), modal, driven by `dlg`; returns the dialog's result
    // (IDOK 1, IDCANCEL 2).
    virtual int RunPrinterList(CPrinterListDlg& dlg) = 0;
    // Ends the main dialog: the program ends.
    virtual void CloseMainWindow() = 0;

    // Runs `work` on the window's own thread and returns when it is done: how the start-up
    // worker reaches the window. A window without a thread of its own runs it at once.
    virtual void RunOnWindowThread(const std::function<void()>& work) { work(); }

    // ---- Start-up
    // Runs `work` on the window's thread once the initialisation has returned and the window
    // is shown, before any input reaches the window. Without a thread of its own: at once.
    // NOLINTNEXTLINE(performance-unnecessary-value-param): a sink, kept by the window
    virtual void PostToWindowThread(std::function<void()> work) { work(); }
    // Paints the whole window now: frame, menu bar, tabs, the shown page, toolbar, status bar.
    virtual void PaintWindow() {}
    // Starts the start-up worker thread, which runs CMainDlg::RunStartupWorker.
    virtual void StartStartupWorker() {}
};

}  // namespace vx
