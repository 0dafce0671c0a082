// The main dialog at start-up with one printer model on the fake spooler and a port that
// answers the settings request: what the printer flow tests start from.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/main_dlg.h"
#include "printer/settings_reply.h"
#include "settings/settings_file.h"
#include "tests/app/main_dlg_rig.h"
#include "tests/fakes/fake_main_view.h"

namespace vx::test {

inline constexpr char kDriver[] = "ZAM QX-K480/330(160)";
inline constexpr char kNtNotice[] =
    "Windows XP/2000/NT 4.0でご利用になる場合、設定値をプリンタから取得することはできません。";
inline constexpr char kCannotReceive[] = "設定値をプリンタから取得できません。";
inline constexpr char kDefaultsShown[] = "工場出荷設定値を表示しました。";
inline constexpr char kNoPrinter[] = "プリンタが選択されていません。\nプリンタを選択してください。";
inline constexpr char kNotAttached[] =
    "指定されたプリンタは、現在接続されていないか、プリンタ使用権の制限により使用できません。";
inline constexpr char kSent[] = "プリンタに設定値を送信しました。";
inline constexpr char kNotReady[] =
    "現在プリンタが印刷中あるいは、エラーが発生しているため、設定値の取得はできません。";
inline constexpr char kReceived[] = "プリンタから設定値を取得しました。";
inline constexpr char kSendQuestion[] =
    "設定値が変更されています。\nプリンタを切り替える前に、設定値をプリンタへ送信しますか？";
inline constexpr char kSaveQuestion[] =
    "設定値が変更されています。\nプリンタを切り替える前に、設定ファイルへ保存しますか？";

inline SwitchBlock Changed(int sw = 1) {
    SwitchBlock b = FactoryDefaults;
    SetSwitch(b, 3, sw, true);
    return b;
}

// The reply of a printer holding the defaults but MSW1 = 0xA5 and 12 lines.
inline const std::vector<std::uint8_t> kReply = {0, 0, 12, 1, 0, 0, 1, 0, 0xA5, 0, 0, 0};

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

struct ReceiveTest : PrinterFlowTest {
    void SetUp() override {
        PrinterFlowTest::SetUp();
        dlg.initialised = true;
        dlg.currentPrinterName = "A";
        dlg.currentDestination = "LPT1:";
    }
};

}  // namespace vx::test
