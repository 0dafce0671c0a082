// Settings files through the main dialog: open, save, load by name, drop.
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

const char kOpenQuestion[] =
    "設定が変更されています。\nコマンドを続行すると設定の変更は破棄されます。";
const char kLoadQuestion[] =
    "設定が変更されています。\n読み込みを続行すると現在の設定内容は破棄されます。";
const char kNotSettingsFile[] = "このファイルは設定ファイルではありません。";
const char kNotValid[] = "このファイルは有効な設定ファイルではありません。";
const char kWriteFailed[] = "設定ファイルの書き込みに失敗しました。";

SwitchBlock Changed(int sw = 1) {
    SwitchBlock b = FactoryDefaults;
    SetSwitch(b, 2, sw, true);
    return b;
}

std::vector<std::uint8_t> FileOf(const SwitchBlock& b) {
    std::vector<std::uint8_t> f(kSettingsFileHeader.begin(), kSettingsFileHeader.end());
    f.insert(f.end(), b.bytes.begin(), b.bytes.end());
    return f;
}

struct FilesTest : ::testing::Test, MainDlgRig {
    void SetUp() override {
        dlg.OnInitDialog();
        dlg.initialised = true;
    }
};

TEST_F(FilesTest, OpenLoadsTheBlockSilentlyAndLeavesTheSentCopy) {
    const SwitchBlock fromFile = Changed();
    std::vector<std::uint8_t> longer = FileOf(fromFile);
    longer.insert(longer.end(), {'t', 'a', 'i', 'l'});
    files.files["C:\\d\\a.dat"] = longer;
    view.openAnswers = {"C:\\d\\a.dat"};

    dlg.OnOpenSettingsFile();

    ASSERT_EQ(view.openDialogs.size(), 1u);
    EXPECT_EQ(view.openDialogs[0].filter, "VX設定ファイル (*.dat)|*.dat||");
    EXPECT_EQ(view.openDialogs[0].defaultExtension, "dat");
    EXPECT_EQ(view.openDialogs[0].fileName, "*.dat");
    EXPECT_EQ(view.openDialogs[0].folder, "C:\\Veltrix\\");
    EXPECT_TRUE(view.messages.empty());  // no question without changes, no message on success
    EXPECT_EQ(dlg.copies.workingBlock, fromFile);
    EXPECT_EQ(dlg.copies.savedBlock, fromFile);
    EXPECT_EQ(dlg.copies.sentBlock, FactoryDefaults);
    EXPECT_EQ(Pages(), fromFile);
    EXPECT_TRUE(view.enabled[IDM_SEND_SETTINGS]);
}

TEST_F(FilesTest, OpenAsksAboutUnsentChangesOnceInitialised) {
    files.files["a.dat"] = FileOf(Changed(3));
    dlg.ApplyBlock(Changed());  // the user changed a setting

    view.answers = {MsgAnswer::No};
    dlg.OnOpenSettingsFile();
    EXPECT_EQ(view.Texts(), std::vector<std::string>{kOpenQuestion});
    EXPECT_EQ(view.messages[0].icon, MsgIcon::Warning);
    EXPECT_EQ(view.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_TRUE(view.openDialogs.empty());
    EXPECT_EQ(dlg.copies.workingBlock, Changed());

    view.answers = {MsgAnswer::Yes};
    view.openAnswers = {""};  // the dialog is cancelled
    dlg.OnOpenSettingsFile();
    EXPECT_EQ(view.openDialogs.size(), 1u);
    EXPECT_EQ(dlg.copies.savedBlock, FactoryDefaults);

    dlg.initialised = false;  // during start-up: neither collected nor asked
    view.messages.clear();
    view.openAnswers = {"a.dat"};
    dlg.OnOpenSettingsFile();
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(dlg.copies.workingBlock, Changed(3));
}

TEST_F(FilesTest, ABadHeaderIsRejectedByEachFlowWithItsOwnMessage) {
    std::vector<std::vector<std::uint8_t>> bad;
    for (std::size_t at : {0u, 4u, 15u, 16u}) {
        std::vector<std::uint8_t> f = FileOf(Changed());
        f[at] = at == 4 ? 'q' : 'X';
        bad.push_back(f);
    }
    const std::vector<std::uint8_t> good = FileOf(Changed());
    bad.emplace_back(good.begin(), good.begin() + 16);  // shorter than the header
    bad.emplace_back(good.begin(), good.begin() + 40);  // a good header, a short block

    for (const auto& f : bad) {
        files.files["bad.dat"] = f;
        view.messages.clear();
        view.openAnswers = {"bad.dat"};
        dlg.OnOpenSettingsFile();
        EXPECT_EQ(view.Texts(), std::vector<std::string>{kNotSettingsFile});
        EXPECT_EQ(dlg.LoadSettingsFileByName("bad.dat"), 1);
        EXPECT_EQ(view.Texts(), (std::vector<std::string>{kNotSettingsFile, kNotValid}));
        EXPECT_EQ(dlg.copies.workingBlock, FactoryDefaults);
        EXPECT_EQ(Pages(), FactoryDefaults);
    }
    view.messages.clear();
    EXPECT_EQ(dlg.LoadSettingsFileByName("missing.dat"), 1);
    EXPECT_EQ(view.Texts(), std::vector<std::string>{kNotValid});
    // A name too long for the open dialog names no file that can be opened.
    view.messages.clear();
    view.openAnswers = {std::string(260, 'x')};
    dlg.OnOpenSettingsFile();
    EXPECT_EQ(view.Texts(), std::vector<std::string>{kNotSettingsFile});
}

TEST_F(FilesTest, LoadByNameConfirmsWithTheBareNameAndReturnsWhetherItWentAhead) {
    EXPECT_EQ(dlg.LoadSettingsFileByName(""), 0);
    EXPECT_TRUE(view.messages.empty());

    files.files["C:\\x\\y\\set.dat"] = FileOf(Changed());
    files.files["rel.dat"] = FileOf(Changed(3));
    EXPECT_EQ(dlg.LoadSettingsFileByName("C:\\x\\y\\set.dat"), 1);
    EXPECT_EQ(view.messages.back().text, "設定ファイル [set.dat] を読み込みました。");
    EXPECT_EQ(view.messages.back().icon, MsgIcon::Information);
    EXPECT_EQ(dlg.copies.savedBlock, Changed());

    dlg.ApplyBlock(Changed(5));  // differs from the sent copy: asked
    view.answers = {MsgAnswer::No};
    EXPECT_EQ(dlg.LoadSettingsFileByName("rel.dat"), 0);
    EXPECT_EQ(view.messages.back().text, kLoadQuestion);
    view.answers = {MsgAnswer::Yes};
    EXPECT_EQ(dlg.LoadSettingsFileByName("rel.dat"), 1);
    EXPECT_EQ(view.messages.back().text, "設定ファイル [rel.dat] を読み込みました。");
    EXPECT_EQ(dlg.copies.workingBlock, Changed(3));

    // Of three dropped files only the first is loaded.
    view.messages.clear();
    view.answers = {MsgAnswer::Yes};
    dlg.OnDropFiles({"C:\\x\\y\\set.dat", "rel.dat", "missing.dat"});
    EXPECT_EQ(view.Texts(), (std::vector<std::string>{
                                kLoadQuestion, "設定ファイル [set.dat] を読み込みました。"}));
    dlg.OnDropFiles({});
    EXPECT_EQ(view.messages.size(), 2u);
}

TEST_F(FilesTest, SaveWritesHeaderAndBlockOverTheFileStart) {
    dlg.ApplyBlock(Changed());
    files.files["old.dat"] = std::vector<std::uint8_t>(60, 0xEE);
    view.saveAnswers = {"old.dat"};
    dlg.OnSaveSettingsFile();

    std::vector<std::uint8_t> expected = FileOf(Changed());
    expected.resize(60, 0xEE);  // the tail of a longer file stays
    EXPECT_EQ(files.files["old.dat"], expected);
    EXPECT_EQ(dlg.copies.savedBlock, Changed());
    EXPECT_EQ(dlg.copies.sentBlock, FactoryDefaults);
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(view.saveDialogs[0].folder, "C:\\Veltrix\\");
    view.answers = {MsgAnswer::Yes};  // not sent yet: the load asks first
    EXPECT_EQ(dlg.LoadSettingsFileByName("old.dat"), 1);
    EXPECT_EQ(dlg.copies.workingBlock, Changed());

    view.saveAnswers = {""};
    dlg.ApplyBlock(Changed(3));
    dlg.OnSaveSettingsFile();
    EXPECT_EQ(dlg.copies.savedBlock, Changed());
}

TEST_F(FilesTest, DialogsOpenInDocumentsWhenTheProgramFolderCannotBeWritten) {
    files.readOnlyFolders = {"C:\\Veltrix\\"};
    view.openAnswers = {""};
    view.saveAnswers = {""};
    dlg.OnOpenSettingsFile();
    dlg.OnSaveSettingsFile();
    ASSERT_EQ(view.openDialogs.size(), 1u);
    ASSERT_EQ(view.saveDialogs.size(), 1u);
    EXPECT_EQ(view.openDialogs[0].folder, "C:\\users\\me\\Documents\\");
    EXPECT_EQ(view.saveDialogs[0].folder, "C:\\users\\me\\Documents\\");
}

TEST_F(FilesTest, SaveFailures) {
    const char kNoPermission[] =
        "このディレクトリに保存するアクセス許可がありません。\n"
        "管理者に問い合わせてアクセス許可を取得してください。\n\n"
        "設定ファイルの保存先を変更してやり直してください。";
    dlg.ApplyBlock(Changed());
    files.accessDenied = {"C:\\a.dat", "C:\\b.dat"};

    // NT: access denied brings the dialog back as often as needed.
    view.family = PlatformFamily::Nt;
    view.saveAnswers = {"C:\\a.dat", "C:\\b.dat", "D:\\ok.dat"};
    dlg.OnSaveSettingsFile();
    EXPECT_EQ(view.Texts(), (std::vector<std::string>{kNoPermission, kNoPermission}));
    EXPECT_EQ(view.saveDialogs.size(), 3u);
    EXPECT_EQ(files.files["D:\\ok.dat"], FileOf(Changed()));
    EXPECT_EQ(dlg.copies.savedBlock, Changed());

    view.messages.clear();
    view.saveAnswers = {"C:\\a.dat", ""};
    dlg.OnSaveSettingsFile();
    EXPECT_EQ(view.Texts(), std::vector<std::string>{kNoPermission});

    // 9x: access denied is a plain failure; so is any other error, and a failed write.
    dlg.ApplyBlock(Changed(3));
    view.family = PlatformFamily::Win9x;
    files.broken = {"C:\\c.dat"};
    for (const char* path : {"C:\\a.dat", "C:\\c.dat", "C:\\d.dat"}) {
        files.failWrites = std::string(path) == "C:\\d.dat";
        view.messages.clear();
        view.saveAnswers = {path};
        dlg.OnSaveSettingsFile();
        EXPECT_EQ(view.Texts(), std::vector<std::string>{kWriteFailed});
        EXPECT_EQ(view.messages[0].icon, MsgIcon::Error);
        EXPECT_EQ(dlg.copies.savedBlock, Changed());
    }

    // A name too long for the dialog: on either family the user is told, and the dialog
    // comes back as for access denied.
    files.failWrites = false;
    for (PlatformFamily family : {PlatformFamily::Nt, PlatformFamily::Win9x}) {
        view.family = family;
        view.messages.clear();
        view.saveDialogs.clear();
        dlg.ApplyBlock(Changed(family == PlatformFamily::Nt ? 4 : 5));
        view.saveAnswers = {std::string(260, 'x'), std::string(300, 'y'), "D:\\long.dat"};
        dlg.OnSaveSettingsFile();
        EXPECT_EQ(view.Texts(), (std::vector<std::string>{kWriteFailed, kWriteFailed}));
        EXPECT_EQ(view.messages[0].icon, MsgIcon::Error);
        EXPECT_EQ(view.saveDialogs.size(), 3u);
        EXPECT_EQ(files.files["D:\\long.dat"], FileOf(dlg.copies.workingBlock));
        EXPECT_EQ(dlg.copies.savedBlock, dlg.copies.workingBlock);
    }
    view.messages.clear();
    view.saveAnswers = {std::string(260, 'x'), ""};
    dlg.ApplyBlock(Changed(6));
    dlg.OnSaveSettingsFile();
    EXPECT_EQ(view.Texts(), std::vector<std::string>{kWriteFailed});
    EXPECT_NE(dlg.copies.savedBlock, Changed(6));
}

}  // namespace
}  // namespace vx
