// Choosing the printer through the main dialog: at start-up and by hand.
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

}  // namespace
}  // namespace vx
