#include "app/main_dlg.h"

#include "app/commands.h"
#include "common/texts.h"
#include "pages/setting_lists.h"
#include "resources/resource.h"

namespace vx {

namespace {

// The tabs in order: the page each shows (its title is kPageTitles[index]), the tab's
// image in IDB_TAB_IMAGES, and the menu command that selects it.
struct Tab {
    SettingsPage& (*page)(CMainDlg&);
    int image;
    int command;
};
const Tab kTabs[CMainDlg::kPageCount] = {
    {[](CMainDlg& d) -> SettingsPage& { return d.pageSelect; }, 0, IDM_PAGE_SELECT},
    {[](CMainDlg& d) -> SettingsPage& { return d.pageMsw1; }, 1, IDM_PAGE_MSW1},
    {[](CMainDlg& d) -> SettingsPage& { return d.pageMsw2; }, 1, IDM_PAGE_MSW2},
    {[](CMainDlg& d) -> SettingsPage& { return d.pageMsw3; }, 1, IDM_PAGE_MSW3},
    {[](CMainDlg& d) -> SettingsPage& { return d.pageMsw4; }, 1, IDM_PAGE_MSW4},
};

}  // namespace

SettingsPage& CMainDlg::Page(int tabIndex) {
    return kTabs[tabIndex >= 0 && tabIndex < kPageCount ? tabIndex : 0].page(*this);
}

void CMainDlg::OnInitDialog() {
    initialised = false;
    copies.OnStartUp();
    source = SettingsSource::Factory();
    ShowSettingsSource();
    view_.EnableCommand(IDM_SEND_SETTINGS, false);

    view_.CreateTabImages();
    for (int i = 0; i < kPageCount; ++i) view_.InsertTab(i, kPageTitles[i], kTabs[i].image);
    // Function select first and shown; MSW1..MSW4, hidden, once the window is on screen.
    CreatePage(0, true);
    view_.PostToWindowThread([this] { ContinueStartUp(); });
    // `initialised` stays clear until the start-up worker's printer selection has returned.
}

void CMainDlg::ContinueStartUp() {
    view_.PaintWindow();
    for (int i = 1; i < kPageCount; ++i) CreatePage(i, false);
    view_.StartStartupWorker();
}

// The page shows workingBlock through the one transfer its window makes when created: that
// is the block applied at start-up, with no earlier transfer of the construction values.
void CMainDlg::CreatePage(int index, bool visible) {
    Page(index).LoadBeforeCreation(copies.workingBlock);
    view_.CreatePageWindow(index, Page(index), visible);
}

bool CMainDlg::OnCommand(int commandId) {
    commandId = MenuCommandOf(commandId);  // a toolbar button does what its menu item does
    for (int i = 0; i < kPageCount; ++i) {
        if (commandId == kTabs[i].command) {
            ShowPage(i);
            return true;
        }
    }
    switch (commandId) {
        case IDM_DATA_CHECK:
            UpdateSendState();
            return true;
        case IDM_FACTORY_DEFAULTS:
            ShowFactoryDefaults();
            return true;
        case IDM_ABOUT:
            view_.ShowAbout();
            return true;
        case IDM_EXIT:
            ConfirmExit();
            return true;
        case IDM_HELP_CONTENTS:
            ShowHelp();
            return true;
        case IDM_OPEN_SETTINGS:
            OnOpenSettingsFile();
            return true;
        case IDM_SAVE_SETTINGS:
            OnSaveSettingsFile();
            return true;
        case IDM_RECEIVE_SETTINGS:
            OnReceiveSettings();
            return true;
        case IDM_SEND_SETTINGS:
            OnSendSettings();
            return true;
        case IDM_PRINT_SETTINGS:
            OnPrintSettings();
            return true;
        case IDM_SELECT_PRINTER:
            SelectPrinter();
            return true;
        default:
            return false;
    }
}

void CMainDlg::ApplyBlock(const SwitchBlock& block) {
    for (int i = 0; i < kPageCount; ++i) Page(i).LoadFromBlock(block);
}

void CMainDlg::CollectBlock(SwitchBlock& block) {
    for (int i = 0; i < kPageCount; ++i) Page(i).StoreToBlock(block);
}

void CMainDlg::UpdateSendState() {
    if (initialised) CollectBlock(copies.workingBlock);
    view_.EnableCommand(IDM_SEND_SETTINGS, copies.HasUnsentChanges());
    ShowSettingsSource();
}

void CMainDlg::ShowSettingsSource() {
    view_.SetStatusText(kSourceStatusPart, SettingsSourceText(source, copies.workingBlock));
}

void CMainDlg::ShowPage(int index) {
    view_.SetTabSelection(index);
    ShowSelectedPage();
}

void CMainDlg::CyclePage(int step) {
    const int selected = view_.GetTabSelection();
    ShowPage(((selected < 0 ? 0 : selected) + step % kPageCount + kPageCount) % kPageCount);
}

void CMainDlg::OnTabSelChange() { ShowSelectedPage(); }

void CMainDlg::ShowSelectedPage() {
    const int selected = view_.GetTabSelection();
    if (selected < 0 || selected >= kPageCount) return;
    for (int i = 0; i < kPageCount; ++i) view_.ShowPageWindow(i, false);
    view_.ShowPageWindow(selected, true);
    if (!view_.TabHasFocus()) view_.FocusPageWindow(selected);
}

void CMainDlg::ShowFactoryDefaults() {
    copies.OnFactoryDefaults();
    source = SettingsSource::Factory();
    ApplyBlock(copies.workingBlock);
    ShowPage(0);
    view_.ShowMessage(text::kFactoryDefaultsShown, text::kCaption, MsgIcon::Information,
                      MsgButtons::Ok);
    UpdateSendState();
}

}  // namespace vx
