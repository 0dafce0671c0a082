// The main dialog's frame: pages, tabs, the change check and the page commands.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/main_dlg.h"
#include "resources/resource.h"
#include "tests/pages/fake_page_window.h"
#include "tests/pages/page_lists.h"

namespace vx {
namespace {

using test::FakePageWindow;

class FrameView : public MainView {
  public:
    std::vector<std::string> calls;
    std::vector<std::string> messages;
    std::map<int, bool> enabled;
    std::vector<std::pair<std::string, int>> tabs;
    std::vector<std::unique_ptr<FakePageWindow>> pages;
    std::vector<bool> visible;
    int tabSelection = 0;
    bool tabFocused = false;
    int focusedPage = -1;
    int abouts = 0;

    MsgAnswer ShowMessage(const std::string& text, const std::string& caption, MsgIcon icon,
                          MsgButtons) override {
        calls.push_back("message");
        messages.push_back(caption + ": " + text + (icon == MsgIcon::Information ? " (i)" : ""));
        return MsgAnswer::Ok;
    }
    void EnableCommand(int id, bool on) override { enabled[id] = on; }
    void CreateTabImages() override { calls.push_back("images"); }
    void InsertTab(int, const std::string& text, int image) override {
        tabs.emplace_back(text, image);
    }
    PageWindow& CreatePageWindow(int index, SettingsPage& page, bool shown) override {
        calls.push_back("page " + std::to_string(index));
        pages.push_back(std::make_unique<FakePageWindow>(test::PageLists(page.TemplateId())));
        pages.back()->page = &page;
        page.Attach(pages.back().get());
        page.OnInitPage();
        visible.push_back(shown);
        return *pages.back();
    }
    int GetTabSelection() override { return tabSelection; }
    void SetTabSelection(int index) override { tabSelection = index; }
    void ShowPageWindow(int index, bool shown) override {
        visible[static_cast<std::size_t>(index)] = shown;
    }
    bool TabHasFocus() override { return tabFocused; }
    void FocusPageWindow(int index) override { focusedPage = index; }
    void ShowAbout() override { ++abouts; }

    // The file and printer flows are not exercised here.
    PlatformFamily Family() override { return PlatformFamily::Nt; }
    std::string ProgramFolder() override { return "C:\\"; }
    FileChoice AskOpenFileName(const FileDialog&, std::string&) override {
        return FileChoice::Cancelled;
    }
    FileChoice AskSaveFileName(const FileDialog&, std::string&) override {
        return FileChoice::Cancelled;
    }
    void ShowAppMessage(const std::string&, MsgIcon) override {}
    void ShowWaitCursor(bool) override {}
    void SetStatusText(int, const std::string&) override {}
    int RunPrinterList(CPrinterListDlg&) override { return 2; }
    void CloseMainWindow() override {}

    // Start-up: the posted rest waits for the test, as it waits for the window's showing.
    std::vector<std::function<void()>> posted;
    void PostToWindowThread(std::function<void()> work) override {
        calls.push_back("post");
        posted.push_back(std::move(work));
    }
    void PaintWindow() override { calls.push_back("paint"); }
    void StartStartupWorker() override { calls.push_back("worker"); }
    void RunPosted() {
        std::vector<std::function<void()>> work;
        work.swap(posted);
        for (auto& w : work) w();
    }

    FakePageWindow& Page(int index) { return *pages[static_cast<std::size_t>(index)]; }
    // Page windows pass DataCheck on to the main dialog, as the Win32 pages do.
    void Route(CMainDlg& dlg) {
        for (auto& p : pages) p->raised.clear();
        route_ = &dlg;
    }
    void Deliver() {
        for (auto& p : pages) {
            for (int id : p->raised) route_->OnCommand(id);
            p->raised.clear();
        }
    }

  private:
    CMainDlg* route_ = nullptr;
};

struct Frame : ::testing::Test {
    FrameView view;
    CMainDlg dlg{view};
    bool initialisedByInit = true;
    std::vector<std::string> callsByInit;
    void SetUp() override {
        dlg.OnInitDialog();
        callsByInit = view.calls;
        view.RunPosted();
        initialisedByInit = dlg.initialised;
        dlg.initialised = true;  // as once the start-up printer selection has returned
        view.Route(dlg);
    }
    bool SendEnabled() { return view.enabled.at(IDM_SEND_SETTINGS); }
};

TEST_F(Frame, InitialisationBuildsTabsAndPagesAndShowsTheFactoryDefaults) {
    // The window shows with the function-select page; once it is painted the other four
    // pages follow, and only then the worker that chooses the printer starts.
    EXPECT_EQ(callsByInit, (std::vector<std::string>{"images", "page 0", "post"}));
    EXPECT_EQ(view.calls, (std::vector<std::string>{"images", "page 0", "post", "paint", "page 1",
                                                    "page 2", "page 3", "page 4", "worker"}));
    EXPECT_EQ(
        view.tabs,
        (std::vector<std::pair<std::string, int>>{
            {"機能選択", 0}, {"ＭＳＷ１", 1}, {"ＭＳＷ２", 1}, {"ＭＳＷ３", 1}, {"ＭＳＷ４", 1}}));
    EXPECT_EQ(view.visible, (std::vector<bool>{true, false, false, false, false}));
    EXPECT_FALSE(SendEnabled());
    EXPECT_TRUE(dlg.copies.syncPending);
    EXPECT_FALSE(initialisedByInit);  // set by the start-up worker, not by the window
    EXPECT_EQ(view.Page(0).texts[IDC_SEL_PAGE_LENGTH], "66");
    EXPECT_EQ(view.Page(1).GetText(IDC_MSW1_COUNTRY), "日本");
    EXPECT_EQ(view.Page(3).GetText(IDC_MSW3_SPEED), "３１０LPM");
    EXPECT_EQ(view.Page(4).GetText(IDC_MSW4_PRINT_MODE), "標準");
    for (auto& p : view.pages) EXPECT_TRUE(p->raised.empty());
}

// Each page shows the start-up block through the one transfer of its creation: no control is
// set twice, and every control ends as it did when the construction values were transferred
// first and the block applied over them; the block collected back is the same.
TEST_F(Frame, StartUpSetsEveryControlOnceAndEndsAsTwoTransfersDid) {
    CPage_MSW1 msw1;
    CPage_MSW2 msw2;
    CPage_MSW3 msw3;
    CPage_MSW4 msw4;
    CPage_Select select;
    SettingsPage* before[CMainDlg::kPageCount] = {&select, &msw1, &msw2, &msw3, &msw4};
    SwitchBlock collectedBefore = FactoryDefaults, collectedAfter = FactoryDefaults;
    collectedBefore.bytes.fill(0);
    collectedAfter.bytes.fill(0);
    dlg.CollectBlock(collectedAfter);
    for (int i = 0; i < CMainDlg::kPageCount; ++i) {
        SCOPED_TRACE("page " + std::to_string(i));
        FakePageWindow w(test::PageLists(before[i]->TemplateId()));
        w.page = before[i];
        before[i]->Attach(&w);
        before[i]->OnInitPage();
        before[i]->LoadFromBlock(FactoryDefaults);
        before[i]->StoreToBlock(collectedBefore);

        const FakePageWindow& now = view.Page(i);
        std::set<std::string> once(now.log.begin(), now.log.end());
        EXPECT_EQ(once.size(), now.log.size()) << "a control was set twice";
        EXPECT_GT(w.log.size(), now.log.size());  // the two transfers of before
        EXPECT_EQ(now.checks, w.checks);
        EXPECT_EQ(now.radios, w.radios);
        EXPECT_EQ(now.texts, w.texts);
        EXPECT_EQ(now.selection, w.selection);
        EXPECT_EQ(now.focus, w.focus);
        EXPECT_EQ(now.spinLower, w.spinLower);
        EXPECT_EQ(now.spinUpper, w.spinUpper);
        EXPECT_EQ(now.refusals, w.refusals);
        before[i]->Attach(nullptr);
    }
    EXPECT_EQ(collectedAfter, collectedBefore);
}

TEST_F(Frame, SendFollowsTheContentWhileNothingIsPendingAndStaysOnWhilePending) {
    // Pending: any change enables sending, and changing back keeps it enabled.
    view.Page(2).ClickRadio(IDC_MSW2_SW5_ENABLED, 1, IDC_MSW2_SW5_DISABLED);
    view.Deliver();
    EXPECT_TRUE(SendEnabled());
    EXPECT_EQ(GetSwitch(dlg.copies.workingBlock, 2, 5), 1);
    view.Page(2).ClickRadio(IDC_MSW2_SW5_ENABLED, 0, IDC_MSW2_SW5_ENABLED);
    view.Deliver();
    EXPECT_TRUE(SendEnabled());

    // After a send nothing is pending: the comparison is by content.
    dlg.copies.OnSent();
    dlg.OnCommand(IDM_DATA_CHECK);
    EXPECT_FALSE(SendEnabled());
    view.Page(0).Choose(IDC_SEL_FONT1, "クーリエ");
    view.Deliver();
    EXPECT_TRUE(SendEnabled());
    EXPECT_EQ(dlg.copies.workingBlock.bytes[kFont1], '2');
    view.Page(0).Choose(IDC_SEL_FONT1, "標準");
    view.Deliver();
    EXPECT_FALSE(SendEnabled());
    view.Page(0).Type(IDC_SEL_PAGE_LENGTH, "65");
    view.Deliver();
    EXPECT_TRUE(SendEnabled());
    view.Page(0).Type(IDC_SEL_PAGE_LENGTH, "66");
    view.Deliver();
    EXPECT_FALSE(SendEnabled());
}

TEST_F(Frame, BeforeInitialisationTheChangeCheckComparesWithoutCollecting) {
    dlg.copies.OnSent();
    dlg.initialised = false;
    view.Page(1).Choose(IDC_MSW1_COUNTRY, "ドイツ");
    view.Deliver();
    EXPECT_FALSE(SendEnabled());
    EXPECT_EQ(dlg.copies.workingBlock, FactoryDefaults);
    dlg.initialised = true;
    dlg.UpdateSendState();
    EXPECT_TRUE(SendEnabled());
}

TEST_F(Frame, CollectingNormalisesCodesWithoutANameSoTheBlockDiffers) {
    dlg.copies.workingBlock = FactoryDefaults;
    SetSwitchCode(dlg.copies.workingBlock, 1, 1, 3, 6);  // shown as Japan
    SetSwitch(dlg.copies.workingBlock, 2, 2, true);      // never kept
    dlg.copies.OnReceived();
    dlg.ApplyBlock(dlg.copies.workingBlock);
    dlg.UpdateSendState();
    EXPECT_TRUE(SendEnabled());
    EXPECT_EQ(GetSwitchCode(dlg.copies.workingBlock, 1, 1, 3), 0);
    EXPECT_EQ(GetSwitch(dlg.copies.workingBlock, 2, 2), 0);
}

TEST_F(Frame, FramingBytesOfTheWorkingBlockSurviveCollection) {
    SwitchBlock b = FactoryDefaults;
    b.bytes[3] = ';';
    b.bytes[28] = '!';
    dlg.ApplyBlock(b);
    SwitchBlock out = b;
    dlg.CollectBlock(out);
    EXPECT_EQ(out, b);
}

TEST_F(Frame, PageCommandsSelectTheTabAndMoveTheFocusUnlessTheTabHasIt) {
    view.tabFocused = true;
    EXPECT_TRUE(dlg.OnCommand(IDM_PAGE_MSW3));
    EXPECT_EQ(view.tabSelection, 3);
    EXPECT_EQ(view.visible, (std::vector<bool>{false, false, false, true, false}));
    EXPECT_EQ(view.focusedPage, -1);

    view.tabFocused = false;
    EXPECT_TRUE(dlg.OnCommand(IDM_PAGE_MSW1));
    EXPECT_EQ(view.visible, (std::vector<bool>{false, true, false, false, false}));
    EXPECT_EQ(view.focusedPage, 1);

    view.tabSelection = 4;  // the user clicked the last tab
    dlg.OnTabSelChange();
    EXPECT_EQ(view.visible, (std::vector<bool>{false, false, false, false, true}));

    // A block applied while MSW4 is visible reaches the hidden pages too.
    SwitchBlock b = FactoryDefaults;
    SetSwitchCode(b, 3, 1, 2, 1);
    dlg.ApplyBlock(b);
    EXPECT_EQ(view.Page(3).GetText(IDC_MSW3_SPEED), "２２５LPM");
}

TEST_F(Frame, FactoryDefaultsReplaceOnlyTheWorkingBlockAndReportIt) {
    SwitchBlock received = FactoryDefaults;
    SetSwitch(received, 4, 1, true);
    dlg.copies.workingBlock = received;
    dlg.copies.OnReceived();
    dlg.ApplyBlock(received);
    dlg.UpdateSendState();
    ASSERT_FALSE(SendEnabled());
    view.tabSelection = 2;
    view.calls.clear();

    EXPECT_TRUE(dlg.OnCommand(IDT_FACTORY_DEFAULTS));
    EXPECT_EQ(dlg.copies.workingBlock, FactoryDefaults);
    EXPECT_EQ(dlg.copies.sentBlock, received);
    EXPECT_EQ(dlg.copies.savedBlock, received);
    EXPECT_EQ(view.tabSelection, 0);
    EXPECT_EQ(view.Page(4).radios[IDC_MSW4_SW1_DISABLED], 0);
    EXPECT_EQ(view.messages,
              std::vector<std::string>{"Veltrix: 工場出荷設定値を表示しました。 (i)"});
    EXPECT_TRUE(SendEnabled());
}

TEST_F(Frame, AboutCommandOpensTheAboutBox) {
    EXPECT_TRUE(dlg.OnCommand(IDM_ABOUT));
    EXPECT_EQ(view.abouts, 1);
}

}  // namespace
}  // namespace vx
