// The main dialog's frame: pages, tabs, the change check and the page commands.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/keyboard.h"
#include "app/main_dlg.h"
#include "resources/resource.h"
#include "tests/fakes/fake_main_view.h"

namespace vx {
namespace {

using test::FakeMainView;
using test::FakePageWindow;

struct Frame : ::testing::Test {
    FakeMainView view;
    CMainDlg dlg{view};
    bool initialisedByInit = true;
    std::vector<std::string> callsByInit;
    void SetUp() override {
        view.holdPosted = true;
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

// Ctrl+Tab and its kin go round the pages wherever the focus is; in an edit box the
// clipboard, undo and select-all keys reach the box, elsewhere the accelerators keep them.
TEST_F(Frame, PageKeysGoRoundThePagesAndEditKeysStayInTheEditBox) {
    auto route = [](unsigned k, bool ctrl, bool shift, bool inEdit, bool alt = false) {
        return RouteKey(KeyPress{k, ctrl, shift, alt, inEdit});
    };
    for (bool inEdit : {false, true}) {
        EXPECT_EQ(route(key::kTab, true, false, inEdit), KeyRoute::NextPage);
        EXPECT_EQ(route(key::kTab, true, true, inEdit), KeyRoute::PreviousPage);
        EXPECT_EQ(route(key::kPageDown, true, false, inEdit), KeyRoute::NextPage);
        EXPECT_EQ(route(key::kPageUp, true, false, inEdit), KeyRoute::PreviousPage);
        for (unsigned k : {'C', 'V', 'X', 'Z', 'A'})
            EXPECT_EQ(route(k, true, false, inEdit),
                      inEdit ? KeyRoute::Control : KeyRoute::Accelerators);
        for (unsigned k : {'O', 'S', 'W', 'I', 'P', 'K', '1', '3'})
            EXPECT_EQ(route(k, true, false, inEdit), KeyRoute::Accelerators);
    }
    EXPECT_EQ(route(key::kTab, false, false, false), KeyRoute::Accelerators);  // the dialog's Tab
    EXPECT_EQ(route(key::kTab, false, true, true), KeyRoute::Accelerators);
    EXPECT_EQ(route(key::kPageDown, false, false, false), KeyRoute::Accelerators);
    EXPECT_EQ(route('C', true, false, true, true), KeyRoute::Accelerators);  // Ctrl+Alt+C
    EXPECT_EQ(route(key::kTab, true, false, false, true), KeyRoute::Accelerators);

    view.tabFocused = false;
    dlg.ShowPage(3);
    dlg.CyclePage(1);
    EXPECT_EQ(view.tabSelection, 4);
    EXPECT_EQ(view.visible, (std::vector<bool>{false, false, false, false, true}));
    EXPECT_EQ(view.focusedPage, 4);
    dlg.CyclePage(1);
    EXPECT_EQ(view.tabSelection, 0);
    dlg.CyclePage(-1);
    dlg.CyclePage(-1);
    EXPECT_EQ(view.tabSelection, 3);
    EXPECT_EQ(view.visible, (std::vector<bool>{false, false, false, true, false}));
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
    EXPECT_EQ(view.Shown(),
              std::vector<std::string>{"Veltrix: 工場出荷設定値を表示しました。 (i)"});
    EXPECT_TRUE(SendEnabled());
}

TEST_F(Frame, AboutCommandOpensTheAboutBox) {
    EXPECT_TRUE(dlg.OnCommand(IDM_ABOUT));
    EXPECT_EQ(view.abouts, 1);
}

}  // namespace
}  // namespace vx
