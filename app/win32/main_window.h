// The settings program's main window: dialog 102 hosting the portable CMainDlg.
// It creates the bars, hosts the five pages over the tab control, forwards
// commands and notifications, and carries out what CMainDlg asks of its view.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "app/main_dlg.h"
#include "app/main_view.h"
#include "app/win32/icon_menu.h"
#include "app/win32/main_bars.h"
#include "app/win32/win32_help_system.h"
#include "common/win32/dialog.h"
#include "common/win32/owned.h"
#include "pages/win32/win32_page_window.h"
#include "printer/win32/win32_port_opener.h"
#include "printer/win32/win32_spooler.h"
#include "resources/resource.h"
#include "settings/win32/win32_file_system.h"

namespace vx::win32 {

class CMainWindow : public MainView, public win32::Dialog {
  public:
    // `applicationName` captions the application's message boxes.
    CMainWindow(HINSTANCE instance, std::string applicationName);
    CMainWindow(const CMainWindow&) = delete;
    CMainWindow& operator=(const CMainWindow&) = delete;

    // Creates the window and runs it until it is closed; the dialog's result, or -1 when the
    // window or one of its pages could not be made.
    int RunModal();

    CMainDlg& Dialog() { return dlg_; }

    // ---- MainView
    MsgAnswer ShowMessage(const std::string& text, const std::string& caption, MsgIcon icon,
                          MsgButtons buttons) override;
    void EnableCommand(int menuCommandId, bool enabled) override;
    void CreateTabImages() override;
    void InsertTab(int index, const std::string& text, int image) override;
    PageWindow& CreatePageWindow(int index, SettingsPage& page, bool visible) override;
    int GetTabSelection() override;
    void SetTabSelection(int index) override;
    void ShowPageWindow(int index, bool visible) override;
    bool TabHasFocus() override;
    void FocusPageWindow(int index) override;
    void ShowAbout() override;

    PlatformFamily Family() override;
    std::string ProgramFolder() override;
    FileChoice AskOpenFileName(const FileDialog& dialog, std::string& path) override;
    FileChoice AskSaveFileName(const FileDialog& dialog, std::string& path) override;
    void ShowAppMessage(const std::string& text, MsgIcon icon) override;
    void ShowWaitCursor(bool shown) override;
    void SetStatusText(int part, const std::string& text) override;
    TimeOfDay LocalTime() override;
    int RunPrinterList(CPrinterListDlg& dlg) override;
    void CloseMainWindow() override;
    void RunOnWindowThread(const std::function<void()>& work) override;
    void PostToWindowThread(std::function<void()> work) override;
    void PaintWindow() override;
    void StartStartupWorker() override;

  private:
    INT_PTR OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    BOOL OnInitDialog();
    void OnCommand(int id);
    INT_PTR OnNotify(NMHDR* header);
    void OnSize();
    bool OnPaintMinimised();
    void OnDropFiles(HDROP drop);
    HWND Tab() const { return GetDlgItem(hwnd_, IDC_MAIN_TAB); }
    void AttachIconMenu();
    void BuildMenuImages();
    static DWORD WINAPI StartupWorker(LPVOID self);
    void WaitForStartupWorker();
    // Runs the oldest of posted_.
    void RunPostedWork();

    // Work sent by the start-up worker to run on the window's thread; lParam points to it.
    static constexpr UINT kRunOnWindowThread = WM_APP + 1;
    // Work posted to the window's own thread: the oldest of posted_ runs.
    static constexpr UINT kRunPosted = WM_APP + 2;

    HINSTANCE instance_;
    std::string applicationName_;
    HACCEL accelerators_ = nullptr;
    HICON bigIcon_ = nullptr;
    ImageList tabImages_;  // destroyed with the window
    int imageSize_ = 16;   // of toolbar, menu and tab images, by the system DPI
    bool running_ = false;
    bool failed_ = false;  // a page window could not be made
    int result_ = 0;

    UniqueHandle worker_;
    std::deque<std::function<void()>> posted_;  // work waiting for kRunPosted
    CIconMenu menu_;
    bool menuImagesBuilt_ = false;  // on the first opening of the menu
    Win32HelpSystem help_;
    Win32FileSystem files_;
    Win32Spooler spooler_;
    Win32PortOpener ports_;
    CMainDlg dlg_;
    CMainToolBar toolBar_;
    CMainStatusBar statusBar_;
    std::array<std::unique_ptr<Win32PageWindow>, CMainDlg::kPageCount> pages_;
};

}  // namespace vx::win32
