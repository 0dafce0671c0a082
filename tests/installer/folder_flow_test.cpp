// The folder window: set-up and dispatch, the checks on OK, the browse rules.
#include <gtest/gtest.h>

#include "installer/folder_flow.h"
#include "installer/installer_texts.h"
#include "installer/path_text.h"
#include "tests/fakes/fake_installer_platform.h"

namespace vx::inst::test {
namespace {

class FolderFlowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        f.StandardSetup();
        f.files.freeBytes["C:\\"] = 100ull << 20;
        f.files.AddFolder("C:\\Program Files");
        ASSERT_TRUE(ReadSetupInformation(f.p, view.boxes, record));
        view.boxes.shown.clear();
    }
    void Ok(const std::string& destination) {
        view.destination = destination;
        OnFolderOk(f.p, view, record);
    }
    FakePlatform f;
    FakeFolderView view;
    SetupRecord record;
};

TEST_F(FolderFlowTest, SetUpFillsTitleLabelAndDefaultDestination) {
    SetUpFolderWindow(f.p, view, record);
    EXPECT_TRUE(view.closes.empty());
    EXPECT_TRUE(view.topmost);
    EXPECT_EQ(view.title, "ZAM ベルトリクス");
    EXPECT_EQ(view.label,
              "ZAM ベルトリクスのインストールを行います。\nインストール先を指定してください。");
    EXPECT_EQ(view.destination, "C:\\Program Files\\Veltrix");
}

TEST_F(FolderFlowTest, UnreadableSetupFileClosesTheWindowAndRunsNoSwitch) {
    f.profile.values.erase("VX_FILE");
    f.system.commandLine = "C:\\Veltrix\\Vxinst.exe /M";
    SetUpFolderWindow(f.p, view, record);
    EXPECT_EQ(view.closes, std::vector<bool>{false});
    EXPECT_EQ(view.boxes.Texts(), std::vector<std::string>{text::kSetupFileBroken});
    EXPECT_TRUE(f.system.attempts.empty());
}

TEST_F(FolderFlowTest, DispatchRunsEachSwitchInTurnAndClosesWithCancel) {
    f.registry.keys[FakeRegistry::Path(RegRoot::LocalMachine, record.uninstallKey)] = {
        {"InstallPath", "C:\\Veltrix"}};
    f.files.AddFile("C:\\Veltrix\\VXInst.ini", "setup");
    f.system.commandLine = "C:\\Veltrix\\Vxinst.exe /m /u";
    SetUpFolderWindow(f.p, view, record);
    EXPECT_EQ(f.system.started.size(), 1u);    // stage one started stage two
    EXPECT_EQ(view.confirmTitles.size(), 1u);  // stage two asked
    EXPECT_EQ(view.closes, (std::vector<bool>{false, false}));
    // The uninstall key missing: stage one's message, and the window still closes.
    f.registry.keys.clear();
    view.closes.clear();
    f.system.commandLine = "x /M";
    SetUpFolderWindow(f.p, view, record);
    EXPECT_EQ(view.boxes.shown.back().text, text::kUninstallInfoMissing);
    EXPECT_EQ(view.closes, std::vector<bool>{false});
}

TEST_F(FolderFlowTest, UnknownDriveRestoresTheDefault) {
    Ok("Q:\\Somewhere\\Veltrix");
    EXPECT_EQ(view.boxes.Texts(), std::vector<std::string>{text::kSpecifyDestination});
    EXPECT_EQ(view.boxes.shown[0].style, MsgStyle::Information);
    EXPECT_EQ(view.boxes.shown[0].caption, "ZAM ベルトリクス");
    EXPECT_EQ(view.destination, "C:\\Program Files\\Veltrix");
    EXPECT_EQ(view.enables, (std::vector<bool>{false, true}));
    EXPECT_TRUE(view.jobs.empty());
}

TEST_F(FolderFlowTest, FreeSpaceExactlyEnoughPassesOneByteLessDoesNot) {
    f.files.AddFolder("C:\\Program Files\\Veltrix");
    f.files.freeBytes["C:\\"] = (5ull << 20) - 1;
    Ok("C:\\Program Files\\Veltrix");
    ASSERT_EQ(view.boxes.shown.size(), 1u);
    EXPECT_EQ(view.boxes.shown[0].text,
              "指定されたドライブは、空き容量が不足しているためインストールできません。\n"
              "インストールするドライブを変更するか、5MB以上の空き容量を確保してからやり直してくだ"
              "さい。");
    EXPECT_TRUE(view.jobs.empty());
    EXPECT_EQ(view.enables.back(), true);

    view.boxes.shown.clear();
    f.files.freeBytes["C:\\"] = 5ull << 20;
    Ok("C:\\Program Files\\Veltrix");
    EXPECT_EQ(view.boxes.Texts(), std::vector<std::string>{text::kInstallBegins});
    EXPECT_EQ(view.jobs.size(), 1u);
}

TEST_F(FolderFlowTest, DecliningTheFolderQuestionKeepsTheWindow) {
    view.boxes.answers = {Answer::No};
    Ok("C:\\Program Files\\Veltrix");
    ASSERT_EQ(view.boxes.shown.size(), 2u);
    EXPECT_EQ(view.boxes.shown[0].text,
              "指定されたフォルダ\n   C:\\Program Files\\Veltrix     \nはありません。\n"
              "フォルダを作成してもよろしいですか？");
    EXPECT_EQ(view.boxes.shown[0].style, MsgStyle::YesNoExclamation);
    EXPECT_EQ(view.boxes.shown[1].text, text::kSpecifyDestination);
    EXPECT_FALSE(f.files.Exists("C:\\Program Files\\Veltrix"));
    EXPECT_TRUE(view.jobs.empty());
}

TEST_F(FolderFlowTest, YesCreatesThreeMissingLevelsAndStartsTheInstall) {
    f.system.modulePath = "D:\\MEDIUM\\VXInst.exe";
    Ok("C:\\Program Files\\A\\B\\C");
    EXPECT_TRUE(f.files.IsFolder("C:\\Program Files\\A\\B\\C"));
    ASSERT_EQ(view.jobs.size(), 1u);
    const InstallJob& job = view.jobs[0];
    EXPECT_EQ(job.source, "D:\\MEDIUM\\DISK1");
    EXPECT_EQ(job.destination, "C:\\Program Files\\A\\B\\C");
    EXPECT_EQ(job.record.installFolder, "C:\\Program Files\\A\\B\\C");
    EXPECT_TRUE(job.expand);
    EXPECT_EQ(record.installFolder, "C:\\Program Files\\A\\B\\C");
    // The install owns exactly the folders made here.
    EXPECT_EQ(job.created.folders,
              (std::vector<std::string>{"C:\\Program Files\\A", "C:\\Program Files\\A\\B",
                                        "C:\\Program Files\\A\\B\\C"}));
    EXPECT_EQ(view.closes, std::vector<bool>{true});
    EXPECT_EQ(view.boxes.Texts().back(), text::kInstallBegins);
}

TEST_F(FolderFlowTest, FolderThatCannotBeMadeIsReportedInsteadOfInstalling) {
    f.files.failCreate.insert(Key("C:\\Program Files\\A\\B"));
    Ok("C:\\Program Files\\A\\B\\C");
    EXPECT_EQ(view.boxes.shown.back().text,
              "フォルダ C:\\Program Files\\A\\B\\C を作成できませんでした。");
    EXPECT_EQ(view.boxes.shown.back().style, MsgStyle::Error);
    EXPECT_FALSE(f.files.Exists("C:\\Program Files\\A"));  // the level it could make goes again
    EXPECT_TRUE(view.jobs.empty());
    EXPECT_TRUE(view.closes.empty());
    EXPECT_EQ(view.enables.back(), true);
}

TEST_F(FolderFlowTest, PathLengthCountsUtf16UnitsAndARefusedPathStaysInTheEdit) {
    // 17 + 87 kanji: 104 units (278 bytes of UTF-8).
    std::string kanji;
    for (int i = 0; i < 87; ++i) kanji += "漢";
    f.files.AddFolder("C:\\Program Files\\" + kanji);
    Ok("C:\\Program Files\\" + kanji);
    EXPECT_EQ(view.boxes.Texts(), std::vector<std::string>{text::kInstallBegins});
    ASSERT_EQ(view.jobs.size(), 1u);

    // 259 units fit MAX_PATH with the terminator; 260 do not, and the user is told.
    const std::string longest = "C:\\" + std::string(172, 'a') + kanji.substr(0, 84 * 3);
    ASSERT_EQ(Utf16Length(longest), 259u);
    Ok(longest);
    EXPECT_EQ(view.jobs.size(), 2u);
    view.boxes.shown.clear();
    view.enables.clear();
    Ok(longest + "x");
    ASSERT_EQ(view.boxes.shown.size(), 1u);
    EXPECT_EQ(view.boxes.shown[0].text,
              "指定されたフォルダは、パスが長すぎるためインストールできません。\n"
              "259文字以内で指定してください。");
    EXPECT_EQ(view.boxes.shown[0].style, MsgStyle::Information);
    EXPECT_EQ(view.destination, longest + "x");
    EXPECT_EQ(view.enables, (std::vector<bool>{false, true}));
    EXPECT_EQ(view.jobs.size(), 2u);
}

// The folder window refuses what silent mode refuses, before anything is written, the
// window kept; another folder is refused while an install exists.
TEST_F(FolderFlowTest, RefusesWhatSilentModeRefusesBeforeWritingAnything) {
    f.files.roots.insert("D:\\");
    f.system.modulePath = "D:\\MEDIUM\\VXInst.exe";
    f.files.AddFile("C:\\Veltrix\\VXInst.ini", "setup");
    f.registry.keys[FakeRegistry::Path(RegRoot::LocalMachine, record.uninstallKey)] = {
        {"InstallPath", "C:\\Veltrix"}};
    f.files.AddLink("C:\\Linked");
    const auto before = f.files.nodes.size();
    for (const auto& [destination, message] : std::vector<std::pair<std::string, std::string>>{
             {"C:\\New\\..\\Other", text::kSpecifyDestination},
             {"C:", text::kSpecifyDestination},
             {"C:\\Linked", text::kDestinationIsLink},
             {"D:\\MEDIUM", text::kDestinationHoldsSource},
             {"C:\\Apps", FormatText(text::kInstalledElsewhere, "C:\\Veltrix")}}) {
        view.boxes.shown.clear();
        Ok(destination);
        EXPECT_EQ(view.boxes.Texts(), std::vector<std::string>{message}) << destination;
    }
    EXPECT_TRUE(view.jobs.empty());
    EXPECT_EQ(f.files.nodes.size(), before);
    Ok("c:\\VELTRIX");  // a reinstall
    EXPECT_EQ(view.jobs.size(), 1u);

    // The Windows Installer package's mark (its folder as "[INSTALLDIR]" spells it): every
    // folder refused, that one too; so too where a 32-bit package on 64-bit Windows leaves
    // it, in the 32-bit view alone.
    for (const RegRoot root : {RegRoot::LocalMachine, RegRoot::LocalMachine32}) {
        const std::string mark = FakeRegistry::Path(root, "SOFTWARE\\ZAM\\Veltrix");
        f.registry.keys[mark] = {{"MsiInstallFolder", "C:\\Program Files\\Veltrix\\"}};
        for (const char* destination : {"C:\\Program Files\\Veltrix", "c:\\VELTRIX"}) {
            view.boxes.shown.clear();
            Ok(destination);
            EXPECT_EQ(view.boxes.Texts(), std::vector<std::string>{FormatText(
                                              text::kInstalledByMsi, "C:\\Program Files\\Veltrix")})
                << mark;
        }
        f.registry.keys.erase(mark);
    }
    EXPECT_EQ(view.jobs.size(), 1u);
}

TEST(BrowseRulesTest, InitialPathOkButtonAndResult) {
    FakeFiles files;
    files.AddFolder("C:\\Program Files");
    EXPECT_EQ(BrowseInitialPath(files, "C:\\Program Files\\Veltrix"), "C:\\Program Files");
    files.AddFolder("C:\\Program Files\\Veltrix");
    EXPECT_EQ(BrowseInitialPath(files, "C:\\Program Files\\Veltrix"), "C:\\Program Files\\Veltrix");

    EXPECT_TRUE(BrowseSelectionAllowed(true, true, 0x10, "D:\\Apps"));
    EXPECT_FALSE(BrowseSelectionAllowed(false, true, 0x10, "C:\\Program Files"));
    for (const std::uint32_t refused : {0x1u, 0x2u, 0x4u, 0x100u, 0x800u, 0x1000u}) {
        EXPECT_FALSE(BrowseSelectionAllowed(true, true, 0x10 | refused, "D:\\Apps"));
        EXPECT_TRUE(BrowseSelectionAllowed(true, true, 0x10 | refused, "C:\\Program Files"));
    }
    EXPECT_FALSE(BrowseSelectionAllowed(true, false, 0x20, "D:\\file.txt"));

    EXPECT_EQ(BrowseResult("D:\\", "Veltrix"), "D:\\Veltrix");
    EXPECT_EQ(BrowseResult("D:\\Apps", "Veltrix"), "D:\\Apps\\Veltrix");
}

}  // namespace
}  // namespace vx::inst::test
