#include "app/printer_list_dlg.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_printer_list_view.h"
#include "tests/fakes/fake_spooler.h"

namespace vx {
namespace {

using test::FakePrinterListView;
using test::FakeSpooler;

const char kDriver[] = "ZAM QX-K480/330(168)";
const char kNoPrinter[] =
    "使用可能なプリンタがありませんでした。プリンタドライバを確認してからやり直してください。"
    "\n\nVeltrixを終了します。";
const char kAllFile[] =
    "インストールされているプリンタの接続先がFILEのため設定値を受信/送信できません。\n"
    "プリンタ設定を確認してやり直してください。\n\nVeltrixを終了します。";
const char kOnlyFile[] =
    "接続先がFILEのため設定値を受信/送信できません。\nプリンタ設定を確認してやり直してください。"
    "\n\nVeltrixを終了します。";
const char kChooseAnother[] =
    "接続先がFILEのため設定値を受信/送信できません。\n"
    "プリンタ設定を変更するか、他のプリンタに変更してください。";

struct ListDlgTest : ::testing::Test {
    FakeSpooler spooler;
    FakePrinterListView view;
    CPrinterListDlg dlg = ListOn(spooler);

    static CPrinterListDlg ListOn(FakeSpooler& spooler,
                                  PlatformFamily family = PlatformFamily::Win9x) {
        CPrinterListDlg dlg;
        dlg.spooler = &spooler;
        dlg.family = family;
        return dlg;
    }
    void Init(PlatformFamily family = PlatformFamily::Win9x) {
        dlg.family = family;
        dlg.OnInitDialog(view);
    }
};

TEST_F(ListDlgTest, RowsAreSortedAndTheCurrentPrinterIsPreselected) {
    spooler.AddPrinter("Zeta", kDriver, "LPT2:");
    spooler.AddPrinter("Alpha", kDriver, "LPT1:");
    spooler.AddPrinter("Mid", kDriver, "FILE:");
    dlg.initialised = true;
    dlg.selectedName = "Mid";
    Init();
    ASSERT_EQ(view.rows.size(), 3u);
    EXPECT_EQ(view.rows[0], (std::pair<std::string, std::string>{"Alpha", "LPT1:"}));
    EXPECT_EQ(view.rows[2], (std::pair<std::string, std::string>{"Zeta", "LPT2:"}));
    EXPECT_EQ(dlg.printerCount, 3u);
    EXPECT_EQ(view.selected, 1);
    EXPECT_EQ(view.endResult, 0);  // waits for the user
    EXPECT_TRUE(view.messages.empty());

    CPrinterListDlg other = ListOn(spooler);
    FakePrinterListView otherView;
    other.selectedName = "mid";  // exact comparison: no match, the first row
    other.OnInitDialog(otherView);
    EXPECT_EQ(otherView.selected, 0);
}

TEST_F(ListDlgTest, NoPrinterOrOnlyFilePrintersEndTheProgram) {
    spooler.AddPrinter("Other", "Other driver", "LPT1:");
    Init();
    EXPECT_EQ(view.messages, std::vector<std::string>{kNoPrinter});
    EXPECT_EQ(view.icons[0], MsgIcon::Warning);
    EXPECT_EQ(view.exitCode, 1);
    EXPECT_TRUE(dlg.empty);
    EXPECT_EQ(dlg.printerCount, 0u);

    spooler.AddPrinter("F1", kDriver, "FILE:");
    spooler.AddPrinter("F2", kDriver, "FILE:");
    FakePrinterListView files;
    dlg.OnInitDialog(files);
    EXPECT_FALSE(dlg.empty);
    EXPECT_EQ(files.messages, std::vector<std::string>{kAllFile});
    EXPECT_EQ(files.exitCode, 1);

    // A single FILE printer accepted at start-up ends it too, with its own message.
    FakeSpooler one;
    one.AddPrinter("F", kDriver, "FILE:");
    CPrinterListDlg single = ListOn(one, PlatformFamily::Nt);
    FakePrinterListView singleView;
    single.OnInitDialog(singleView);
    EXPECT_EQ(singleView.messages, std::vector<std::string>{kOnlyFile});
    EXPECT_EQ(singleView.exitCode, 1);
    EXPECT_EQ(single.selectedDestination, "FILE:");
}

TEST_F(ListDlgTest, ChoosingAFilePrinterAmongOthersKeepsTheDialogOpen) {
    spooler.AddPrinter("A", kDriver, "FILE:");
    spooler.AddPrinter("B", kDriver, "LPT1:");
    dlg.initialised = true;
    dlg.selectedName = "B";
    dlg.selectedDestination = "LPT1:";
    Init();
    view.selected = 0;
    dlg.OnOk(view);
    EXPECT_EQ(view.messages, std::vector<std::string>{kChooseAnother});
    EXPECT_EQ(view.icons[0], MsgIcon::Information);
    EXPECT_EQ(view.endResult, 0);
    EXPECT_EQ(dlg.selectedName, "A");  // taken before the check
    EXPECT_EQ(dlg.selectedDestination, "FILE:");

    view.selected = 1;
    dlg.OnDoubleClick(view);
    EXPECT_EQ(view.endResult, kDialogOk);
    EXPECT_EQ(dlg.selectedName, "B");
}

TEST_F(ListDlgTest, OkWithoutSelectionAsksForOneAndDoubleClickIgnoresIt) {
    spooler.AddPrinter("A", kDriver, "LPT1:");
    spooler.AddPrinter("B", kDriver, "LPT2:");
    Init();
    view.selected = -1;
    dlg.OnDoubleClick(view);
    EXPECT_TRUE(view.messages.empty());
    dlg.OnOk(view);
    EXPECT_EQ(view.messages, std::vector<std::string>{
                                 "プリンタが選択されていません。\nプリンタを選択してください。"});
    EXPECT_EQ(view.endResult, 0);

    dlg.OnCancel(view);
    EXPECT_EQ(view.endResult, kDialogCancel);
}

TEST_F(ListDlgTest, AnUnallocatableListIsReportedBeforeTheNoPrinterMessage) {
    spooler.AddPrinter("A", kDriver, "LPT1:");
    spooler.level4NoMemory = true;
    Init(PlatformFamily::Nt);
    ASSERT_EQ(view.messages.size(), 2u);
    EXPECT_EQ(view.messages[0], "メモリが不足しているため、プリンタの一覧を取得できませんでした。");
    EXPECT_EQ(view.messages[1], kNoPrinter);
    EXPECT_EQ(view.exitCode, 1);
}

}  // namespace
}  // namespace vx
