// Choosing the printer, sending, printing and receiving through the main dialog.
#include <gtest/gtest.h>

#include "app/main_dlg.h"
#include "resources/resource.h"
#include "settings/settings_file.h"
#include "tests/app/main_dlg_rig.h"
#include "tests/fakes/fake_main_view.h"
#include "tests/fakes/fake_printer_link.h"
#include "tests/fakes/fake_spooler.h"

namespace vx {
namespace {

using namespace test;

const char kDriver[] = "ZAM QX-K480/330(160)";
const char kNtNotice[] =
    "Windows XP/2000/NT 4.0でご利用になる場合、設定値をプリンタから取得することはできません。";
const char kCannotReceive[] = "設定値をプリンタから取得できません。";
const char kDefaultsShown[] = "工場出荷設定値を表示しました。";
const char kNoPrinter[] = "プリンタが選択されていません。\nプリンタを選択してください。";
const char kNotAttached[] =
    "指定されたプリンタは、現在接続されていないか、プリンタ使用権の制限により使用できません。";
const char kSent[] = "プリンタに設定値を送信しました。";
const char kNotReady[] =
    "現在プリンタが印刷中あるいは、エラーが発生しているため、設定値の取得はできません。";
const char kReceived[] = "プリンタから設定値を取得しました。";
const char kSendQuestion[] =
    "設定値が変更されています。\nプリンタを切り替える前に、設定値をプリンタへ送信しますか？";
const char kSaveQuestion[] =
    "設定値が変更されています。\nプリンタを切り替える前に、設定ファイルへ保存しますか？";

SwitchBlock Changed(int sw = 1) {
    SwitchBlock b = FactoryDefaults;
    SetSwitch(b, 3, sw, true);
    return b;
}

// The reply of a printer holding the defaults but MSW1 = 0xA5 and 12 lines.
const std::vector<std::uint8_t> kReply = {0, 0, 12, 1, 0, 0, 1, 0, 0xA5, 0, 0, 0};

struct PrinterFlowTest : ::testing::Test, MainDlgRig {
    void SetUp() override {
        dlg.OnInitDialog();
        dlg.initialised = false;  // the start-up selection comes first
        ports.port.reply = kReply;
    }
    void StartUp() {
        dlg.SelectPrinter();
        dlg.initialised = true;
    }
    // One printer of the model on `port`, taken at start-up, and a changed setting; no
    // message shown yet.
    void StartUpChangedOn(const std::string& port) {
        spooler.AddPrinter("A", kDriver, port);
        StartUp();
        dlg.ApplyBlock(Changed());
        view.messages.clear();
    }
    void Choose(const std::string& name) {
        view.listUser = [name](CPrinterListDlg& d, FakePrinterListView& v) {
            for (int row = 0; row < v.RowCount(); ++row)
                if (v.RowText(row, 0) == name) v.SelectRow(row);
            d.OnOk(v);
        };
    }
    static SwitchBlock Received() {
        SwitchBlock b = FactoryDefaults;
        SpreadSettingsReply(kReply.data(), kReply.size(), b);
        return b;
    }
};

TEST_F(PrinterFlowTest, StartUpOn9xWithOneLpt1PrinterReceivesItsSettings) {
    spooler.AddPrinter("QX", kDriver, "LPT1:");
    StartUp();
    EXPECT_EQ(view.listsWaited, 0);  // accepted without showing the list
    EXPECT_FALSE(view.enabled[IDM_SELECT_PRINTER]);
    EXPECT_TRUE(view.enabled[IDM_RECEIVE_SETTINGS]);
    EXPECT_EQ(view.status[0], "プリンタ名： QX");
    EXPECT_EQ(view.status[1], "接続先： LPT1:");
    EXPECT_EQ(dlg.currentPrinterName, "QX");
    EXPECT_EQ(view.Texts(), std::vector<std::string>{kReceived});
    EXPECT_EQ(dlg.copies.workingBlock, Received());
    EXPECT_EQ(dlg.copies.sentBlock, Received());
    EXPECT_EQ(dlg.copies.savedBlock, Received());
    EXPECT_FALSE(dlg.copies.syncPending);
    EXPECT_FALSE(view.enabled[IDM_SEND_SETTINGS]);
    EXPECT_EQ(view.waitCursor, (std::vector<bool>{true, true, false}));
}

TEST_F(PrinterFlowTest, NtCannotReceiveAndSaysSoOnlyAtStartUp) {
    view.family = PlatformFamily::Nt;
    spooler.AddPrinter("A", kDriver, "LPT1:");
    spooler.AddPrinter("B", kDriver, "COM1:");
    Choose("A");
    StartUp();
    EXPECT_EQ(view.listsWaited, 1);
    EXPECT_TRUE(view.enabled[IDM_SELECT_PRINTER]);
    EXPECT_FALSE(view.enabled[IDM_RECEIVE_SETTINGS]);
    EXPECT_TRUE(view.enabled[IDM_SEND_SETTINGS]);
    EXPECT_EQ(view.Texts(), std::vector<std::string>{kNtNotice});
    EXPECT_EQ(ports.opens, 0);

    // Later: no notice, the defaults are shown and sending is offered.
    view.messages.clear();
    dlg.copies.syncPending = false;
    Choose("B");
    dlg.SelectPrinter();
    EXPECT_EQ(view.Texts(), std::vector<std::string>{kDefaultsShown});
    EXPECT_TRUE(dlg.copies.syncPending);
    EXPECT_EQ(dlg.currentDestination, "COM1:");
    EXPECT_EQ(ports.opens, 0);
    EXPECT_TRUE(ports.linksOpened.empty());
}

TEST_F(PrinterFlowTest, UsbAndRawTcpPrintersAreReadOnBothFamiliesWithoutTheNotice) {
    ports.tcpPorts["IP_127.0.0.2"] = {"", "127.0.0.2", 9100, kTcpProtocolRaw};
    ports.tcpPorts["LPR_1"] = {"", "127.0.0.3", 515, 2};
    spooler.AddPrinter("N", kDriver, "IP_127.0.0.2");
    spooler.AddPrinter("U", kDriver, "USB001");
    spooler.AddPrinter("L", kDriver, "LPR_1");
    view.family = PlatformFamily::Nt;
    Choose("N");
    StartUp();
    EXPECT_EQ(view.Texts(), std::vector<std::string>{kReceived});  // no NT notice
    EXPECT_TRUE(view.enabled[IDM_RECEIVE_SETTINGS]);
    EXPECT_EQ(ports.linksOpened, std::vector<std::string>{"net 127.0.0.2:9100"});
    EXPECT_EQ(ports.port.written, (std::vector<std::uint8_t>{0x1C, 0x6F, 0x33, 0x2E, 0x00}));
    EXPECT_EQ(dlg.copies.workingBlock, Received());
    EXPECT_EQ(view.status[2], "受信 (14:05)");

    // On the 9x family too; a device that cannot be opened (busy spooling) is not ready,
    // opened once, and the defaults are shown.
    view.family = PlatformFamily::Win9x;
    ports.linksOpen = false;
    view.messages.clear();
    Choose("U");
    dlg.SelectPrinter();
    EXPECT_EQ(view.Texts(), (std::vector<std::string>{kNotReady, kDefaultsShown}));
    EXPECT_EQ(ports.linksOpened.back(), "usb USB 1");
    EXPECT_EQ(ports.linksOpened.size(), 2u);
    EXPECT_TRUE(ports.sleeps.empty());
    EXPECT_TRUE(view.enabled[IDM_RECEIVE_SETTINGS]);
    EXPECT_EQ(view.status[2], "工場出荷設定値");

    // An LPR port carries no reply: not readable, as before.
    view.messages.clear();
    view.answers = {MsgAnswer::No, MsgAnswer::No};  // the defaults differ from what was read
    Choose("L");
    dlg.SelectPrinter();
    EXPECT_EQ(view.Texts(), (std::vector<std::string>{kSendQuestion, kSaveQuestion, kCannotReceive,
                                                      kDefaultsShown}));
    EXPECT_FALSE(view.enabled[IDM_RECEIVE_SETTINGS]);
    EXPECT_EQ(ports.linksOpened.size(), 2u);

    // At start-up on the NT family the notice is for a printer that cannot be read only.
    for (const char* chosen : {"U", "L"}) {
        CMainDlg fresh{view, files, spooler, ports};
        fresh.OnInitDialog();
        view.family = PlatformFamily::Nt;
        view.messages.clear();
        Choose(chosen);
        fresh.SelectPrinter();
        EXPECT_EQ(view.Texts().front(), chosen[0] == 'U' ? kNotReady : kNtNotice) << chosen;
    }
}

TEST_F(PrinterFlowTest, TheSourcePaneSaysWhereThePagesValuesCameFrom) {
    EXPECT_EQ(view.status[2], "工場出荷設定値");  // from the initialisation on
    spooler.AddPrinter("QX", kDriver, "LPT1:");
    view.now = {9, 7};
    StartUp();
    EXPECT_EQ(view.status[2], "受信 (09:07)");

    // Every change check says whether the pages still hold what came.
    view.Route(dlg);
    view.Page(2).ClickRadio(IDC_MSW2_SW5_ENABLED, 1, IDC_MSW2_SW5_DISABLED);
    view.Deliver();
    const std::string changed = "受信 (09:07)（変更あり）";
    EXPECT_EQ(view.status[2], changed);

    files.files["C:\\d\\office.dat"] = [] {
        std::vector<std::uint8_t> f(kSettingsFileHeader.begin(), kSettingsFileHeader.end());
        f.insert(f.end(), FactoryDefaults.bytes.begin(), FactoryDefaults.bytes.end());
        return f;
    }();
    view.answers = {MsgAnswer::Yes};
    view.openAnswers = {"C:\\d\\office.dat"};
    dlg.OnOpenSettingsFile();
    EXPECT_EQ(view.status[2], "ファイル： office.dat");
    dlg.ApplyBlock(Changed());
    dlg.UpdateSendState();
    EXPECT_EQ(view.status[2], "ファイル： office.dat（変更あり）");
    dlg.ApplyBlock(FactoryDefaults);  // changed back: as it came
    dlg.UpdateSendState();
    EXPECT_EQ(view.status[2], "ファイル： office.dat");

    view.now = {23, 59};
    view.answers = {MsgAnswer::Yes};  // discard what differs from the last reading
    ASSERT_EQ(dlg.OnReceiveSettings(), 1);
    EXPECT_EQ(view.status[2], "受信 (23:59)");
    dlg.ShowFactoryDefaults();
    EXPECT_EQ(view.status[2], "工場出荷設定値");
    EXPECT_EQ(view.status[0], "プリンタ名： QX");  // the other two parts keep their texts
    EXPECT_EQ(view.status[1], "接続先： LPT1:");
}

TEST_F(PrinterFlowTest, OnlyExactlyLpt1On9xCanReceive) {
    spooler.AddPrinter("A", kDriver, "LPT2:");
    spooler.AddPrinter("B", kDriver, "lpt1:");
    for (const char* name : {"A", "B"}) {
        view.messages.clear();
        Choose(name);
        dlg.SelectPrinter();
        EXPECT_EQ(view.Texts(), std::vector<std::string>{kCannotReceive});
        EXPECT_FALSE(view.enabled[IDM_RECEIVE_SETTINGS]);
        EXPECT_EQ(ports.opens, 0);
    }
}

TEST_F(PrinterFlowTest, TheCommandLineFileIsLoadedOnceInsteadOfReceiving) {
    std::vector<std::uint8_t> f(kSettingsFileHeader.begin(), kSettingsFileHeader.end());
    const SwitchBlock block = Changed();
    f.insert(f.end(), block.bytes.begin(), block.bytes.end());
    files.files["C:\\s\\start.dat"] = f;
    dlg.startupFileName = "C:\\s\\start.dat";
    spooler.AddPrinter("A", kDriver, "LPT1:");
    spooler.AddPrinter("B", kDriver, "LPT2:");
    Choose("A");
    StartUp();
    EXPECT_EQ(view.Texts(),
              std::vector<std::string>{"設定ファイル [start.dat] を読み込みました。"});
    EXPECT_EQ(dlg.copies.workingBlock, Changed());
    EXPECT_TRUE(dlg.startupFileName.empty());
    EXPECT_EQ(ports.opens, 0);

    // The next switch neither loads the file again nor skips the notice.
    view.messages.clear();
    Choose("B");
    view.answers = {MsgAnswer::No};  // send first? (the loaded file was never sent)
    dlg.SelectPrinter();
    EXPECT_EQ(view.Texts(),
              (std::vector<std::string>{kSendQuestion, kCannotReceive, kDefaultsShown}));
}

TEST_F(PrinterFlowTest, CancelEndsTheProgramOnlyBeforeAPrinterWasChosen) {
    spooler.AddPrinter("A", kDriver, "LPT2:");
    spooler.AddPrinter("B", kDriver, "LPT3:");
    StartUp();  // the list is cancelled
    EXPECT_TRUE(view.closed);

    view.closed = false;
    dlg.initialised = false;
    Choose("A");
    StartUp();
    view.messages.clear();
    view.listUser = [](CPrinterListDlg& d, FakePrinterListView& v) { d.OnCancel(v); };
    dlg.SelectPrinter();
    EXPECT_FALSE(view.closed);
    EXPECT_EQ(dlg.currentPrinterName, "A");
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(PrinterFlowTest, NoUsablePrinterEndsWithExitCode1) {
    spooler.AddPrinter("A", "ZAM QX-K480/330(160) ", "LPT1:");
    StartUp();
    EXPECT_EQ(view.listExitCode, 1);
    EXPECT_TRUE(dlg.currentPrinterName.empty());
}

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

struct ReceiveTest : PrinterFlowTest {
    void SetUp() override {
        PrinterFlowTest::SetUp();
        dlg.initialised = true;
        dlg.currentPrinterName = "A";
        dlg.currentDestination = "LPT1:";
    }
};

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
