// The install worker over a fake medium: counting, finding, copying with expansion,
// progress arithmetic, shortcuts and the uninstall entry, and every way it stops.
#include <gtest/gtest.h>

#include "installer/installer_texts.h"
#include "tests/installer/fake_platform.h"

namespace vx::inst::test {
namespace {

constexpr char kDest[] = "C:\\Program Files\\Veltrix";
constexpr char kPrograms[] = "C:\\ProgramData\\Start Menu\\Programs";

class InstallTest : public ::testing::Test {
  protected:
    void SetUp() override {
        f.StandardSetup();
        f.files.AddFile("D:\\VXInst.exe", "installer");
        f.files.AddFile("D:\\VXInst.ini", "setup");
        f.files.AddCompressed("D:\\DISK1\\QLV3906.EX_", 'E', "program");
        f.files.AddFile("D:\\DISK1\\QLV3906.chm", "chm");
        f.files.AddFile("D:\\DISK1\\sub\\readme.txt", "text", /*readOnly=*/true);
        f.files.AddFolder(kDest);
        f.files.AddFolder(kPrograms);
        f.registry.keys[FakeRegistry::Path(RegRoot::LocalMachine, text::kShellFoldersHklm)] = {
            {"Common Programs", kPrograms}};
        ASSERT_TRUE(ReadSetupInformation(f.p, progress.boxes, job.record));
        job.record.installFolder = kDest;
        job.source = "D:\\DISK1";
        job.destination = kDest;
    }
    FakeRegistry::Values* Entry() {
        return f.registry.At(RegRoot::LocalMachine, job.record.uninstallKey);
    }
    FakePlatform f;
    FakeProgress progress;
    InstallJob job;
};

TEST(ProgressTest, TenFilesFirstStepSixPerCentLastStepHundred) {
    FakeSystem system;
    FakeProgress view;
    Progress progress(system, view);
    progress.Start(10 + 5, "start");
    EXPECT_EQ(view.percents, std::vector<std::string>{"0％"});
    for (int i = 0; i < 15; ++i) progress.Step("s");
    EXPECT_EQ(view.percents[1], "6％");   // 1 * 100 / 15, truncated
    EXPECT_EQ(view.percents[2], "13％");  // 2 * 100 / 15
    EXPECT_EQ(view.percents.back(), "100％");
    EXPECT_EQ(system.sleeps, std::vector<unsigned>(15, 500));
    EXPECT_EQ(system.comInits, 15);

    // A count beyond the bar's 16-bit range is held at its largest value.
    progress.Start(70000, "start");
    EXPECT_EQ(view.upper, 0xFFFFu);
    progress.Step("s");
    EXPECT_EQ(view.percents.back(), "0％");
}

TEST_F(InstallTest, CountAndFindLookIntoSubfoldersByExpandedNameIgnoringCase) {
    EXPECT_EQ(CountFiles(f.files, "D:\\DISK1"), 3u);
    EXPECT_TRUE(FindRequiredFile(f.files, "qlv3906.exe", "D:\\DISK1"));
    EXPECT_FALSE(FindRequiredFile(f.files, "QLV3906.EX_", "D:\\DISK1"));
    EXPECT_TRUE(FindRequiredFile(f.files, "README.TXT", "D:\\DISK1"));
    EXPECT_FALSE(FindRequiredFile(f.files, "sub", "D:\\DISK1"));
    EXPECT_EQ(CountFiles(f.files, "D:\\missing"), 0u);
}

TEST_F(InstallTest, CopyTreeExpandsUpperCasesAndMakesCopiesWritable) {
    Progress steps(f.system, progress);
    progress.SetRange(100);
    EXPECT_EQ(CopyTree(f.files, steps, "D:\\DISK1", kDest, true), "");
    const auto* exe = f.files.Find("C:\\Program Files\\Veltrix\\QLV3906.EXE");
    ASSERT_TRUE(exe);
    EXPECT_EQ(exe->path, "C:\\PROGRAM FILES\\VELTRIX\\QLV3906.EXE");
    EXPECT_EQ(exe->data, "program");
    EXPECT_FALSE(f.files.Exists("C:\\Program Files\\Veltrix\\QLV3906.EX_"));
    EXPECT_EQ(f.files.Find("C:\\Program Files\\Veltrix\\QLV3906.chm")->path,
              "C:\\PROGRAM FILES\\VELTRIX\\QLV3906.CHM");
    const auto* readme = f.files.Find("C:\\Program Files\\Veltrix\\sub\\readme.txt");
    ASSERT_TRUE(readme);
    EXPECT_EQ(readme->path, "C:\\PROGRAM FILES\\VELTRIX\\SUB\\README.TXT");
    EXPECT_FALSE(readme->readOnly);
    // Step texts name the files as the medium lists them.
    EXPECT_EQ(progress.statuses,
              (std::vector<std::string>{"QLV3906.chm をインストールしています.....",
                                        "QLV3906.EX_ をインストールしています.....",
                                        "readme.txt をインストールしています....."}));

    // Without expansion the stored file is copied as it is.
    EXPECT_EQ(CopyTree(f.files, steps, "D:\\DISK1", "C:\\Plain", false), "");
    EXPECT_TRUE(f.files.Exists("C:\\PLAIN\\QLV3906.EX_"));
}

TEST_F(InstallTest, FullInstallCopiesRegistersAndAsksForHelp) {
    std::vector<std::string> events;
    f.system.events = &events;
    progress.boxes.events = &events;
    for (auto& [key, node] : f.files.nodes) node.downloadMark = true;  // a downloaded medium
    RunInstallWorker(f.p, job, progress);

    EXPECT_EQ(f.system.exitCode, 0);
    EXPECT_EQ(progress.upper, 3u + 5u);
    EXPECT_EQ(progress.position, 8u);
    EXPECT_EQ(progress.percents.back(), "100％");
    EXPECT_EQ(progress.statuses.front(), text::kInstallStarting);
    EXPECT_EQ(progress.statuses[1], text::kInstallingInstaller);
    EXPECT_EQ(progress.statuses[2], text::kInstallingSetupFile);
    EXPECT_EQ(progress.statuses.back(), text::kInstallDoneStep);
    EXPECT_EQ(f.files.Find(std::string(kDest) + "\\VXInst.exe")->data, "installer");
    EXPECT_EQ(f.files.Find(std::string(kDest) + "\\VXInst.ini")->data, "setup");
    // No installed file keeps the mark that would blank the help viewer.
    for (const auto& [key, node] : f.files.nodes) {
        if (!node.folder && key.rfind(Key(kDest), 0) == 0) {
            EXPECT_FALSE(node.downloadMark) << key;
        }
    }
    EXPECT_TRUE(progress.foreground);
    // 100 ms after the start text, 500 ms per step, 1000 ms before the last step.
    EXPECT_EQ(f.system.sleeps.front(), 100u);
    EXPECT_EQ(f.system.sleeps[f.system.sleeps.size() - 2], 1000u);

    const std::string group = std::string(kPrograms) + "\\ZAM ベルトリクス";
    EXPECT_EQ(f.system.openedFolders, std::vector<std::string>{group});
    ASSERT_EQ(f.links.saved.size(), 2u);
    const SavedLink& program = f.links.saved.at(group + "\\ZAM ベルトリクス.LNK");
    EXPECT_EQ(program.target, std::string(kDest) + "\\QLV3906.EXE");
    EXPECT_EQ(program.workingDirectory, kDest);
    EXPECT_EQ(program.description, "QX-K480/330のプリンタ設定を変更するためのユーティリティです。");
    const SavedLink& help = f.links.saved.at(group + "\\ベルトリクスのヘルプ.LNK");
    EXPECT_EQ(help.target, std::string(kDest) + "\\QLV3906.chm");
    EXPECT_EQ(help.description, "ZAM QX-K480/330 ベルトリクスのヘルプです。");

    ASSERT_TRUE(Entry());
    EXPECT_EQ(*Entry(),
              (FakeRegistry::Values{{"DisplayName", "ZAM ベルトリクス"},
                                    {"InstallPath", kDest},
                                    {"DisplayIcon", std::string(kDest) + "\\Vxinst.exe"},
                                    {"UninstallString", std::string(kDest) + "\\Vxinst.exe /M"}}));
    EXPECT_EQ(f.registry.writes, (std::vector<std::string>{"DisplayName", "InstallPath",
                                                           "DisplayIcon", "UninstallString"}));

    EXPECT_EQ(events, (std::vector<std::string>{
                          "box インストールが完了しました。",
                          "box 今すぐにZAM ベルトリクスのヘルプを表示しますか？", "exit 0"}));
    EXPECT_EQ(progress.boxes.shown[1].style, MsgStyle::YesNoPlain);
    EXPECT_EQ(f.system.openedDocuments,
              std::vector<std::string>{std::string(kDest) + "\\QLV3906.chm"});
}

TEST_F(InstallTest, HelpDeclinedOpensNothing) {
    progress.boxes.answers = {Answer::No};
    RunInstallWorker(f.p, job, progress);
    EXPECT_TRUE(f.system.openedDocuments.empty());
    EXPECT_EQ(f.system.exitCode, 0);
}

TEST_F(InstallTest, RequiredFileMissingRemovesTheEmptyDestination) {
    f.files.nodes.erase(Key("D:\\DISK1\\QLV3906.chm"));
    RunInstallWorker(f.p, job, progress);
    EXPECT_EQ(progress.boxes.Texts(), std::vector<std::string>{text::kRequiredFileMissing});
    EXPECT_FALSE(f.files.Exists(kDest));
    EXPECT_EQ(f.system.exitCode, 0);
    EXPECT_EQ(Entry(), nullptr);
}

TEST_F(InstallTest, FailedCopyOrExpansionNamesTheFileAndRegistersNothing) {
    struct Case {
        const char* failing;
        bool expand;
        std::string message;
    } cases[] = {
        {"C:\\Program Files\\Veltrix\\VXInst.ini", false,
         "C:\\Program Files\\Veltrix\\VXInst.ini "
         "をインストールできませんでした。\nインストールを中止します。"},
        {"C:\\PROGRAM FILES\\VELTRIX\\QLV3906.EXE", true,
         "C:\\PROGRAM FILES\\VELTRIX\\QLV3906.EXE "
         "をインストールできませんでした。\nインストールを中止します。"},
        {"C:\\PROGRAM FILES\\VELTRIX\\SUB\\README.TXT", false,
         "C:\\PROGRAM FILES\\VELTRIX\\SUB\\README.TXT "
         "をインストールできませんでした。\nインストールを中止します。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.failing);
        FakePlatform g;
        g.files = f.files;
        g.registry.keys = f.registry.keys;
        (c.expand ? g.files.failExpand : g.files.failCopy).insert(Key(c.failing));
        FakeProgress view;
        RunInstallWorker(g.p, job, view);
        EXPECT_EQ(view.boxes.Texts(), std::vector<std::string>{c.message});
        EXPECT_EQ(g.system.exitCode, 1);
        EXPECT_TRUE(g.links.saved.empty());
        EXPECT_EQ(g.registry.At(RegRoot::LocalMachine, job.record.uninstallKey), nullptr);
    }

    // A subfolder that cannot be made.
    f.files.failCreate.insert(Key("C:\\Program Files\\Veltrix\\SUB"));
    RunInstallWorker(f.p, job, progress);
    EXPECT_EQ(
        progress.boxes.Texts(),
        std::vector<std::string>{"フォルダ C:\\PROGRAM FILES\\VELTRIX\\SUB を作成できませんでした。"
                                 "\nインストールを中止します。"});
    EXPECT_EQ(Entry(), nullptr);
}

TEST_F(InstallTest, NoProgramsFolderStopsBeforeTheRegistry) {
    f.registry.keys.clear();
    RunInstallWorker(f.p, job, progress);
    EXPECT_EQ(progress.boxes.Texts(), std::vector<std::string>{text::kInstallInfoMissing});
    EXPECT_EQ(f.system.exitCode, 0);
    EXPECT_EQ(Entry(), nullptr);
}

TEST_F(InstallTest, UnwritableUninstallKeyIsReportedAndTheInstallCompletes) {
    f.registry.failCreate = true;
    RunInstallWorker(f.p, job, progress);
    EXPECT_EQ(progress.boxes.Texts()[0], text::kRegistryWriteFailed);
    EXPECT_EQ(progress.boxes.Texts()[1], text::kInstallDone);

    // DisplayName refused: the other three values are not written.
    FakePlatform g;
    g.files = f.files;
    g.registry.keys = f.registry.keys;
    g.registry.failWrite.insert("DisplayName");
    SetupRecord r = job.record;
    FakeBoxes boxes;
    EXPECT_TRUE(WriteUninstallEntry(g.p, boxes, r, kDest));
    EXPECT_EQ(g.registry.writes, std::vector<std::string>{"DisplayName"});
}

}  // namespace
}  // namespace vx::inst::test
