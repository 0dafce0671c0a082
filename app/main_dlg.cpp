#include "app/main_dlg.h"

#include "app/commands.h"
#include "pages/setting_lists.h"
#include "resources/resource.h"

namespace vx {

namespace {

const char* const kCaption = "Veltrix";
const char* const kFactoryDefaultsShown = "工場出荷設定値を表示しました。";

struct TabInfo {
    const char* text;
    int image;
};
const TabInfo kTabs[CMainDlg::kPageCount] = {
    {kPageTitles[0], 0}, {kPageTitles[1], 1}, {kPageTitles[2], 1},
    {kPageTitles[3], 1}, {kPageTitles[4], 1},
};

// The five page commands, by tab index.
const int kPageCommands[CMainDlg::kPageCount] = {IDM_PAGE_SELECT, IDM_PAGE_MSW1, IDM_PAGE_MSW2,
                                                 IDM_PAGE_MSW3, IDM_PAGE_MSW4};

}  // namespace

SettingsPage& CMainDlg::Page(int tabIndex) {
    switch (tabIndex) {
        case 1:
            return pageMsw1;
        case 2:
            return pageMsw2;
        case 3:
            return pageMsw3;
        case 4:
            return pageMsw4;
        default:
            return pageSelect;
    }
}

void CMainDlg::OnInitDialog() {
    initialised = false;
    copies.OnStartUp();
    view_.EnableCommand(IDM_SEND_SETTINGS, false);

    view_.CreateTabImages();
    for (int i = 0; i < kPageCount; ++i) view_.InsertTab(i, kTabs[i].text, kTabs[i].image);
    // Function select first and shown, then MSW1..MSW4 hidden.
    for (int i = 0; i < kPageCount; ++i) view_.CreatePageWindow(i, Page(i), i == 0);
    ApplyBlock(copies.workingBlock);
    // `initialised` stays clear until the start-up worker's printer selection has returned.
}

bool CMainDlg::OnCommand(int commandId) {
    commandId = MenuCommandOf(commandId);  // a toolbar button does what its menu item does
    for (int i = 0; i < kPageCount; ++i) {
        if (commandId == kPageCommands[i]) {
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
        default:
            return OnFileOrPrinterCommand(commandId);
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
}

void CMainDlg::ShowPage(int index) {
    view_.SetTabSelection(index);
    ShowSelectedPage();
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
    ApplyBlock(copies.workingBlock);
    ShowPage(0);
    view_.ShowMessage(kFactoryDefaultsShown, kCaption, MsgIcon::Information, MsgButtons::Ok);
    UpdateSendState();
}

}  // namespace vx
