// Sending, printing and receiving through the main dialog.
#include <gtest/gtest.h>

#include "app/main_dlg.h"
#include "resources/resource.h"
#include "settings/settings_file.h"
#include "tests/app/printer_flow_rig.h"
#include "tests/fakes/fake_main_view.h"
#include "tests/fakes/fake_printer_link.h"
#include "tests/fakes/fake_spooler.h"

namespace vx {
namespace {

using namespace test;

TEST_F(PrinterFlowTest, SwitchingAsksToSendThenToSave) {
    spooler.AddPrinter("A", kDriver, "LPT2:");
    spooler.AddPrinter("B", kDriver, "LPT3:");
    Choose("A");
    StartUp();
    dlg.ApplyBlock(Changed());

    view.messages.clear();
    view.answers = {MsgAnswer::Cancel};
    dlg.SelectPrinter();
    EXPECT_EQ(view.Texts(), std::vector<std::string>{kSendQuestion});
    EXPECT_EQ(view.messages[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(view.listsRun, 1);

    view.messages.clear();
    view.answers = {MsgAnswer::No, MsgAnswer::Cancel};
    dlg.SelectPrinter();
    EXPECT_EQ(view.Texts(), (std::vector<std::string>{kSendQuestion, kSaveQuestion}));
    EXPECT_EQ(view.listsRun, 1);

    // Yes to both: the block is sent and saved before the list opens.
    view.messages.clear();
    view.answers = {MsgAnswer::Yes, MsgAnswer::Yes};
    view.saveAnswers = {"s.dat"};
    Choose("B");
    dlg.SelectPrinter();
    ASSERT_EQ(spooler.jobs.size(), 1u);
    EXPECT_EQ(spooler.jobs[0].printer, "A");
    EXPECT_EQ(files.files["s.dat"].size(), kSettingsFileSize);
    EXPECT_EQ(view.listsRun, 2);
    EXPECT_EQ(dlg.currentPrinterName, "B");
}

TEST_F(PrinterFlowTest, SendWritesTheBlockAsOneJobAndDisablesSending) {
    StartUpChangedOn("file:");  // only "FILE:" exactly is refused
    dlg.OnSendSettings();
    ASSERT_EQ(spooler.jobs.size(), 1u);
    EXPECT_EQ(spooler.jobs[0].document, "Veltrix Status Write");
    const SwitchBlock sent = Changed();
    EXPECT_EQ(spooler.jobs[0].bytes,
              std::vector<std::uint8_t>(sent.bytes.begin(), sent.bytes.end()));
    EXPECT_EQ(view.Texts(), std::vector<std::string>{kSent});
    EXPECT_EQ(dlg.copies.sentBlock, Changed());
    EXPECT_EQ(dlg.copies.savedBlock, FactoryDefaults);
    EXPECT_FALSE(dlg.copies.syncPending);
    EXPECT_FALSE(view.enabled[IDM_SEND_SETTINGS]);
    dlg.UpdateSendState();
    EXPECT_FALSE(view.enabled[IDM_SEND_SETTINGS]);
}

TEST_F(PrinterFlowTest, SendAndPrintRefuseFileWithTheirOwnTexts) {
    dlg.initialised = true;
    dlg.currentPrinterName = "F";
    dlg.currentDestination = "FILE:";
    dlg.OnSendSettings();
    dlg.OnPrintSettings();
    EXPECT_EQ(view.Texts(), (std::vector<std::string>{"接続先がFILEのため設定値を送信できません。",
                                                      "接続先がFILEのため実行できません。"}));
    EXPECT_EQ(view.messages[0].icon, MsgIcon::Information);
    EXPECT_TRUE(spooler.calls.empty());
}

TEST_F(PrinterFlowTest, WithoutAPrinterSendSelectsOneFirst) {
    spooler.AddPrinter("A", kDriver, "LPT2:");
    dlg.initialised = true;
    Choose("A");
    dlg.OnSendSettings();
    EXPECT_EQ(view.messages.front().text, kNoPrinter);
    EXPECT_EQ(view.listsWaited, 1);  // a single printer is shown once initialised
    ASSERT_EQ(spooler.jobs.size(), 1u);
    EXPECT_EQ(spooler.jobs[0].printer, "A");
    EXPECT_EQ(view.messages.back().text, kSent);

    // Cancelled: nothing is sent.
    CMainDlg other{view, files, spooler, ports};
    other.OnInitDialog();
    other.initialised = true;
    view.listUser = [](CPrinterListDlg& d, FakePrinterListView& v) { d.OnCancel(v); };
    other.OnPrintSettings();
    EXPECT_EQ(spooler.jobs.size(), 1u);
}

TEST_F(PrinterFlowTest, AFailedJobReportsTheAttachmentAndSelectsAgain) {
    spooler.AddPrinter("A", kDriver, "LPT2:");
    spooler.AddPrinter("B", kDriver, "LPT3:");
    Choose("A");
    StartUp();
    dlg.copies.syncPending = false;
    dlg.copies.sentBlock = Changed(2);
    view.answers = {MsgAnswer::No, MsgAnswer::No, MsgAnswer::No, MsgAnswer::No};
    for (int failure = 0; failure < 3; ++failure) {
        spooler.openFails.clear();
        spooler.startDocFails = failure == 1;
        spooler.writeFails = failure == 2;
        if (failure == 0) spooler.openFails.insert("A");
        view.messages.clear();
        view.listUser = [](CPrinterListDlg& d, FakePrinterListView& v) { d.OnCancel(v); };
        const int listsBefore = view.listsRun;
        dlg.OnSendSettings();
        EXPECT_EQ(view.messages[0].text, kNotAttached);
        EXPECT_EQ(view.messages[0].icon, MsgIcon::Warning);
        EXPECT_EQ(view.listsRun, listsBefore + 1);
        EXPECT_EQ(dlg.copies.sentBlock, Changed(2));
        EXPECT_FALSE(dlg.copies.syncPending);
        EXPECT_EQ(spooler.openHandles, 0);
    }
    // 9x: a printer waiting for the user is not written to.
    spooler.writeFails = false;
    spooler.statuses["A"] = kPrinterStatusUserIntervention;
    const std::size_t jobsBefore = spooler.jobs.size();
    view.messages.clear();
    dlg.OnPrintSettings();
    EXPECT_EQ(view.messages[0].text, kNotAttached);
    EXPECT_EQ(spooler.jobs.size(), jobsBefore);
}

TEST_F(PrinterFlowTest, PrintSendsTheFourBytesAndChangesNoCopy) {
    StartUpChangedOn("LPT2:");
    dlg.OnPrintSettings();
    ASSERT_EQ(spooler.jobs.size(), 1u);
    EXPECT_EQ(spooler.jobs[0].document, "Veltrix Print Setting");
    EXPECT_EQ(spooler.jobs[0].bytes, (std::vector<std::uint8_t>{0x1C, 0x6F, 0x32, 0x2E}));
    EXPECT_EQ(view.Texts(), std::vector<std::string>{"プリンタの現在の設定値を印刷しました。"});
    EXPECT_EQ(dlg.copies.workingBlock, Changed());
    EXPECT_EQ(dlg.copies.sentBlock, FactoryDefaults);
    EXPECT_TRUE(dlg.copies.syncPending);
}

TEST_F(ReceiveTest, AnUnopenablePortTakesThreeSecondsAndReportsNotReady) {
    ports.failingOpens = 3;
    EXPECT_EQ(dlg.OnReceiveSettings(), 0);
    EXPECT_EQ(ports.sleeps, (std::vector<unsigned>{1000, 1000, 1000}));
    EXPECT_EQ(view.Texts(), std::vector<std::string>{kNotReady});
    EXPECT_EQ(view.waitCursor, (std::vector<bool>{true, false}));
    EXPECT_EQ(dlg.copies.workingBlock, FactoryDefaults);
}

TEST_F(ReceiveTest, UnsentChangesAreConfirmedFirst) {
    dlg.ApplyBlock(Changed());
    view.answers = {MsgAnswer::No};
    EXPECT_EQ(dlg.OnReceiveSettings(), 0);
    EXPECT_EQ(ports.opens, 0);
    view.answers = {MsgAnswer::Yes};
    EXPECT_EQ(dlg.OnReceiveSettings(), 1);
    EXPECT_EQ(dlg.copies.workingBlock, Received());
}

TEST_F(ReceiveTest, EveryExchangeFailureHasItsMessageAndChangesNothing) {
    // Time-outs that cannot be set for the exchange.
    ports.port.lastError = 1167;
    ports.port.failSetTimeoutsCall = 3;  // the first set after the status query
    EXPECT_EQ(dlg.OnReceiveSettings(), 1);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, "Not Set Timeout2");
    EXPECT_EQ(view.messages[0].caption, "1167");
    EXPECT_EQ(view.messages[0].icon, MsgIcon::None);
    EXPECT_TRUE(ports.port.timeoutsSet.back().readIntervalTimeout ==
                ports.port.own.readIntervalTimeout);

    ports.port.failSetTimeoutsCall = 0;
    ports.port.writeResult = 4;
    EXPECT_EQ(dlg.OnReceiveSettings(), 1);
    ports.port.writeResult = -2;
    ports.port.readResult = -1;
    EXPECT_EQ(dlg.OnReceiveSettings(), 1);
    EXPECT_EQ(view.appMessages,
              (std::vector<std::string>{"プリンタに送信できませんでした。",
                                        "プリンタから設定値を取得できませんでした。"}));
    EXPECT_EQ(view.appIcons[0], MsgIcon::Error);

    // A reply of any other length than 12 bytes, a silent printer included, is no success:
    // the settings could not be obtained, and nothing changes.
    for (std::size_t count : {0u, 11u, 13u, 29u}) {
        SCOPED_TRACE(count);
        ports.port.readResult = -2;
        ports.port.reply = kReply;
        ports.port.reply.resize(count, 0x01);
        view.messages.clear();
        EXPECT_EQ(dlg.OnReceiveSettings(), 1);
        ASSERT_EQ(view.messages.size(), 1u);
        EXPECT_EQ(view.messages[0].text, "プリンタから設定値を取得できませんでした。");
        EXPECT_EQ(view.messages[0].caption, "Veltrix");
        EXPECT_EQ(view.messages[0].icon, MsgIcon::Warning);
        EXPECT_EQ(view.messages[0].buttons, MsgButtons::Ok);
        EXPECT_EQ(dlg.copies.workingBlock, FactoryDefaults);
        EXPECT_EQ(Pages(), FactoryDefaults);
        EXPECT_TRUE(dlg.copies.syncPending);
    }
}

TEST_F(ReceiveTest, TimeoutsThatCannotBeReadUseTheErrorNumberAsCaption) {
    // The status query reads the time-outs first, so a port whose time-outs cannot be read
    // is never ready; the message shows when they fail only for the exchange itself.
    struct FlakyOpener : PortOpener {
        FakePortOpener& inner;
        explicit FlakyOpener(FakePortOpener& i) : inner(i) {}
        std::unique_ptr<PrinterLink> OpenLpt1() override {
            auto port = inner.OpenLpt1();
            struct Port : PrinterLink {
                std::unique_ptr<PrinterLink> p;
                int gets = 0;
                bool GetTimeouts(PortTimeouts& t) override {
                    return ++gets == 1 && p->GetTimeouts(t);
                }
                bool SetTimeouts(const PortTimeouts& t) override { return p->SetTimeouts(t); }
                bool GetDeviceId(std::uint8_t* o, std::size_t s) override {
                    return p->GetDeviceId(o, s);
                }
                long Write(const std::uint8_t* d, std::size_t s) override { return p->Write(d, s); }
                long Read(std::uint8_t* d, std::size_t s) override { return p->Read(d, s); }
                unsigned long LastError() const override { return 5; }
            };
            auto wrapped = std::make_unique<Port>();
            wrapped->p = std::move(port);
            return wrapped;
        }
        void Sleep(unsigned ms) override { inner.Sleep(ms); }
    } flaky(ports);
    CMainDlg other{view, files, spooler, flaky};
    other.OnInitDialog();
    other.initialised = true;
    EXPECT_EQ(other.OnReceiveSettings(), 1);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, "Not Set Timeout");
    EXPECT_EQ(view.messages[0].caption, "5");
}

}  // namespace
}  // namespace vx
