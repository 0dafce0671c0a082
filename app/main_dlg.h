// The settings program's main dialog: the owner of the three block copies and
// of every command flow. Portable; the Win32 window hosts it and forwards to it.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "app/help.h"
#include "app/main_view.h"
#include "app/printer_list_dlg.h"
#include "app/settings_source.h"
#include "pages/page_msw.h"
#include "pages/page_select.h"
#include "settings/block_copies.h"

namespace vx {

class FileSystem;
class PortOpener;
class Spooler;

class CMainDlg {
  public:
    explicit CMainDlg(MainView& view) : view_(view) {}
    // With what the file and printer commands talk to.
    CMainDlg(MainView& view, FileSystem& files, Spooler& spooler, PortOpener& ports)
        : view_(view), files_(&files), spooler_(&spooler), ports_(&ports) {}

    BlockCopies copies;                    // workingBlock, savedBlock, sentBlock, syncPending
    SettingsSource source;                 // where workingBlock's values came from
    std::atomic<bool> initialised{false};  // set once the start-up printer selection returned

    // The five pages, owned for the dialog's lifetime; tab order is Page(0) .. Page(4).
    CPage_MSW1 pageMsw1;
    CPage_MSW2 pageMsw2;
    CPage_MSW3 pageMsw3;
    CPage_MSW4 pageMsw4;
    CPage_Select pageSelect;
    static constexpr int kPageCount = 5;
    SettingsPage& Page(int tabIndex);

    // ---- Frame (main_dlg.cpp)
    // The portable part of the window's initialisation: copies, send state, tabs and the
    // function-select page; the rest of the start-up follows once the window is shown.
    void OnInitDialog();
    // Posted by the initialisation: the window painted, then MSW1..MSW4 created hidden, then
    // the start-up worker started; so the printer is chosen, and any start-up message shown,
    // over a complete window with all five pages.
    void ContinueStartUp();
    // A command from the menu, an accelerator, the toolbar or a page; false when not ours.
    bool OnCommand(int commandId);
    // The user changed the tab.
    void OnTabSelChange();

    // Show a block on all five pages / read all five pages into a block, in the order
    // function select, MSW1, MSW2, MSW3, MSW4.
    void ApplyBlock(const SwitchBlock& block);
    void CollectBlock(SwitchBlock& block);
    // The change check: collect the pages (once initialised), then enable the send command
    // when workingBlock differs from sentBlock or syncPending is set.
    void UpdateSendState();
    // The status bar's source part, from `source` and workingBlock as it is.
    void ShowSettingsSource();
    // Select tab `index` (0..4) and show its page (the five page commands).
    void ShowPage(int index);
    // The next (`step` 1) or previous (-1) page, round from the last to the first
    // (Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PageDown, Ctrl+PageUp).
    void CyclePage(int step);
    void ShowFactoryDefaults();

    // ---- Settings files (main_dlg_files.cpp)
    void OnOpenSettingsFile();
    void OnSaveSettingsFile();
    // 0 when nothing was done (empty path, or the change was declined), 1 when the file was
    // loaded or rejected.
    int LoadSettingsFileByName(const std::string& path);
    // Files dropped on the window: the first one is loaded.
    void OnDropFiles(const std::vector<std::string>& paths);

    // ---- The printer (main_dlg_printer.cpp)
    CPrinterListDlg printerList;
    std::string currentPrinterName;  // empty until a printer was chosen
    std::string currentDestination;
    std::string startupFileName;  // named on the command line; cleared once a printer is chosen
    bool startupFileNameTooLong = false;  // a name that did not fit was refused
    void SelectPrinter();
    // A printer is chosen (asking for one when none is) and its destination is not FILE
    // (`toFileText` says so otherwise).
    bool PrinterCanTakeJob(const char* toFileText);
    void OnSendSettings();
    void OnPrintSettings();
    // 0 when no exchange took place (declined, or the printer not ready), 1 otherwise.
    int OnReceiveSettings();

    // ---- Shell (main_dlg_shell.cpp)
    // What the start-up worker thread does: the first printer selection, run on the
    // window's thread through a synchronous message, then `initialised` is set.
    void RunStartupWorker();
    // Quitting (menu 32783 and the close box): the send question, then the save question;
    // Cancel at either keeps the program running.
    void ConfirmExit();
    // Help (32806): the file is chosen once at initialisation, and closed on destroy.
    void UseHelpSystem(HelpSystem& system) { helpSystem_ = &system; }
    void FindHelpFile();
    void ShowHelp();
    void OnDestroy();
    HelpFile help;

  private:
    void CreatePage(int index, bool visible);
    void ShowSelectedPage();
    MsgAnswer Ask(const std::string& text, MsgIcon icon, MsgButtons buttons);
    // Before the printer changes or the program ends: offers to send unsent changes, then
    // to save unsaved ones; false when the user cancelled either question.
    bool OfferSendAndSave(const char* sendQuestion, const char* saveQuestion);
    FileChoice AskSaveFileName(std::string& path);
    // Where both file dialogs open.
    std::string SettingsFileFolder();

    MainView& view_;
    FileSystem* files_ = nullptr;
    Spooler* spooler_ = nullptr;
    PortOpener* ports_ = nullptr;
    HelpSystem* helpSystem_ = nullptr;
};

}  // namespace vx
