// The two uninstall stages, the uninstall worker's messages, and the guard that
// keeps the deletion inside the install folder.
#include <gtest/gtest.h>

#include "installer/installer_texts.h"
#include "tests/installer/fake_platform.h"

namespace vx::inst::test {
namespace {

constexpr char kInstall[] = "C:\\Program Files\\Veltrix";
constexpr char kPrograms[] = "C:\\Programs";
constexpr char kGroup[] = "C:\\Programs\\ZAM ベルトリクス";

class UninstallTest : public ::testing::Test {
  protected:
    void SetUp() override {
        f.StandardSetup();
        f.system.modulePath = "C:\\TEMP\\Vxinst.exe";
        f.profile.expectedFile = "C:\\TEMP\\Vxinst.ini";
        ASSERT_TRUE(ReadSetupInformation(f.p, boxes, record));
        // An installed system.
        f.files.AddFile(std::string(kInstall) + "\\VXINST.EXE", "installer");
        f.files.AddFile(std::string(kInstall) + "\\VXINST.INI", "setup");
        f.files.AddFile(std::string(kInstall) + "\\QLV3906.EXE", "program", /*readOnly=*/true);
        f.files.AddFile(std::string(kInstall) + "\\SUB\\DEEP\\A.TXT", "a");
        f.files.AddFile(std::string(kGroup) + "\\x.LNK", "link");
        f.files.AddFolder("C:\\TEMP");
        f.registry.keys[FakeRegistry::Path(RegRoot::LocalMachine, text::kShellFoldersHklm)] = {
            {"Common Programs", kPrograms}};
        f.registry.keys[EntryPath()] = {{"InstallPath", kInstall}, {"DisplayName", "x"}};
    }
    std::string EntryPath() {
        return FakeRegistry::Path(RegRoot::LocalMachine, record.uninstallKey);
    }
    bool EntryThere() { return f.registry.keys.count(EntryPath()) > 0; }
    FakePlatform f;
    FakeBoxes boxes;
    SetupRecord record;
};

TEST_F(UninstallTest, StageOneCopiesRegistersAndStartsTheCopy) {
    f.files.AddFile("C:\\TEMP\\Vxinst.exe", "leftover", /*readOnly=*/true);
    f.system.startFailures = 2;
    EXPECT_TRUE(UninstallStageOne(f.p, boxes, record));
    EXPECT_EQ(f.files.log[0], "del C:\\TEMP\\Vxinst.exe");  // the leftover goes first
    EXPECT_EQ(f.files.Find("C:\\TEMP\\Vxinst.exe")->data, "installer");
    EXPECT_EQ(f.files.Find("C:\\TEMP\\Vxinst.ini")->data, "setup");
    EXPECT_EQ(f.system.deleteAtRestart, std::vector<std::string>{"C:\\TEMP\\Vxinst.exe"});
    EXPECT_TRUE(f.system.profileWrites.empty());
    EXPECT_EQ(f.system.attempts.size(), 3u);
    EXPECT_EQ(f.system.started[0],
              std::make_pair(std::string("C:\\TEMP\\Vxinst.exe"), std::string(" /U")));
    EXPECT_EQ(f.system.sleeps, (std::vector<unsigned>{100, 100, 100}));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(UninstallTest, StageOneOn9xWritesWininitAndGivesUpAfterFiveAttempts) {
    f.system.version = OsVersion{1, 4, 10};
    f.system.startFailures = 99;
    UninstallStageOne(f.p, boxes, record);
    EXPECT_TRUE(f.system.deleteAtRestart.empty());
    EXPECT_EQ(f.system.profileWrites,
              (std::vector<std::vector<std::string>>{
                  {"C:\\windows\\wininit.ini", "Rename", "NUL", "C:\\TEMP\\Vxinst.exe"}}));
    EXPECT_EQ(f.system.attempts.size(), 5u);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(UninstallTest, StageOneFailures) {
    // The program copy fails: its error number, and stage one goes on.
    f.files.nodes.erase(Key(std::string(kInstall) + "\\VXINST.EXE"));
    EXPECT_TRUE(UninstallStageOne(f.p, boxes, record));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "エラー番号：2");
    EXPECT_EQ(boxes.shown[0].caption, "アンインストーラ起動エラー");
    EXPECT_EQ(boxes.shown[0].style, MsgStyle::PlainOk);
    EXPECT_EQ(f.system.started.size(), 1u);

    // No uninstall key: its message, no copies, nothing started.
    FakePlatform g;
    g.files.AddFolder("C:\\TEMP");
    FakeBoxes b;
    EXPECT_FALSE(UninstallStageOne(g.p, b, record));
    EXPECT_EQ(b.Texts(), std::vector<std::string>{text::kUninstallInfoMissing});
    EXPECT_EQ(b.shown[0].caption, "ZAM ベルトリクス");
    EXPECT_TRUE(g.system.attempts.empty());
    EXPECT_TRUE(g.system.deleteAtRestart.empty());
}

TEST_F(UninstallTest, StageTwoDeclinedRemovesNothing) {
    FakeFolderView view;
    view.confirm = false;
    UninstallStageTwo(f.p, view, record);
    EXPECT_EQ(view.confirmTitles, std::vector<std::string>{"ZAM ベルトリクス"});
    EXPECT_EQ(view.boxes.Texts(), std::vector<std::string>{text::kUninstallCancelled});
    EXPECT_EQ(view.boxes.shown[0].style, MsgStyle::Information);
    EXPECT_TRUE(view.uninstalls.empty());
    EXPECT_TRUE(EntryThere());
    EXPECT_TRUE(f.files.Exists(kGroup));
}

TEST_F(UninstallTest, StageTwoAcceptedRemovesEverythingThenTheSetupCopy) {
    f.files.AddFile("C:\\TEMP\\VxInst.ini", "setup");
    FakeFolderView view;
    view.confirm = true;
    FakeProgress progress;
    std::vector<std::string> events;
    progress.boxes.events = &events;
    view.onUninstall = [&](const SetupRecord& r) {
        RunUninstallWorker(f.p, r, progress);
        events.push_back(f.files.Exists("C:\\TEMP\\VxInst.ini") ? "ini kept" : "ini gone");
    };
    UninstallStageTwo(f.p, view, record);

    EXPECT_FALSE(EntryThere());
    EXPECT_FALSE(f.files.Exists(kInstall));
    EXPECT_FALSE(f.files.Exists(kGroup));
    EXPECT_TRUE(f.files.Exists(kPrograms));
    EXPECT_FALSE(f.files.Exists("C:\\TEMP\\VxInst.ini"));
    EXPECT_EQ(f.files.log.back(), "del C:\\TEMP\\\\VxInst.ini");
    EXPECT_EQ(events,
              (std::vector<std::string>{"box アンインストールが完了しました。", "ini kept"}));
    EXPECT_TRUE(progress.closed);

    // Shortcuts, registry, then one step per file: 4 files + 2.
    EXPECT_EQ(progress.upper, 6u);
    EXPECT_EQ(progress.percents.back(), "100％");
    EXPECT_EQ(progress.statuses[0], text::kUninstallStarting);
    EXPECT_EQ(progress.statuses[1], text::kRemovingShortcuts);
    EXPECT_EQ(progress.statuses[2], text::kRemovingRegistry);
    EXPECT_EQ(progress.statuses.back(), text::kDeletingFiles);
    EXPECT_EQ(f.system.sleeps.back(), 1000u);
}

TEST_F(UninstallTest, WorkerFailureMessages) {
    const std::string hklm = FakeRegistry::Path(RegRoot::LocalMachine, text::kShellFoldersHklm);
    struct Case {
        const char* name;
        std::function<void(FakePlatform&)> breakIt;
        const char* message;
        bool groupGone;
    } cases[] = {
        {"no programs folder", [&](FakePlatform& g) { g.registry.keys.erase(hklm); },
         text::kUninstallInfoMissing, false},
        {"no key", [&](FakePlatform& g) { g.registry.keys.erase(EntryPath()); },
         text::kUninstallInfoMissing, true},
        {"no InstallPath",
         [&](FakePlatform& g) { g.registry.keys[EntryPath()].erase("InstallPath"); },
         text::kInstallPathMissing, true},
        {"key not deletable", [&](FakePlatform& g) { g.registry.failDelete = true; },
         text::kRegistryNotDeleted, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform g;
        g.files = f.files;
        g.registry.keys = f.registry.keys;
        c.breakIt(g);
        FakeProgress progress;
        RunUninstallWorker(g.p, record, progress);
        EXPECT_EQ(progress.boxes.Texts(), std::vector<std::string>{c.message});
        EXPECT_EQ(progress.boxes.shown[0].style, MsgStyle::Error);
        EXPECT_EQ(progress.boxes.shown[0].caption, "ZAM ベルトリクス");
        EXPECT_TRUE(progress.closed);
        EXPECT_EQ(g.files.Exists(kGroup), !c.groupGone);
        EXPECT_TRUE(g.files.Exists(std::string(kInstall) + "\\QLV3906.EXE"));
    }
}

TEST_F(UninstallTest, DeletionStaysInsideTheInstall) {
    EXPECT_TRUE(InstallPathIsSafe(f.files, kInstall));
    EXPECT_TRUE(InstallPathIsSafe(f.files, std::string(kInstall) + "\\"));
    f.files.AddFile("C:\\VXInst.ini", "setup");
    f.files.AddFile("C:\\Other\\file.txt", "keep");
    for (const std::string& bad :
         {std::string(), std::string("C:\\"), std::string("C:"), std::string("\\"),
          std::string("Program Files\\Veltrix"), std::string(kInstall) + "\\SUB\\..",
          std::string("C:\\Other"), std::string("\\\\server\\share"),
          std::string(kInstall) + "\\VXINST.INI"}) {
        EXPECT_FALSE(InstallPathIsSafe(f.files, bad)) << bad;
    }

    // An InstallPath pointing elsewhere is refused before anything of it is deleted,
    // and the key stays so the uninstall can be run again.
    f.registry.keys[EntryPath()]["InstallPath"] = "C:\\Other";
    FakeProgress progress;
    RunUninstallWorker(f.p, record, progress);
    EXPECT_EQ(progress.boxes.Texts(), std::vector<std::string>{text::kInstallPathMissing});
    EXPECT_TRUE(f.files.Exists("C:\\Other\\file.txt"));
    EXPECT_TRUE(EntryThere());

    // A link inside the install is removed, never followed.
    f.files.AddFolder(std::string(kInstall) + "\\LINK");
    f.files.nodes[Key(std::string(kInstall) + "\\LINK")].link = true;
    DeleteTree(f.files, nullptr, kInstall);
    EXPECT_FALSE(f.files.Exists(kInstall));
    EXPECT_TRUE(f.files.Exists("C:\\Other\\file.txt"));
}

TEST_F(UninstallTest, UndeletableFileKeepsItsFolderButTheStepIsCounted) {
    FakeProgress view;
    Progress progress(f.system, view);
    view.SetRange(10);
    f.files.AddFile(std::string(kInstall) + "\\KEEP\\LOCKED.TXT", "x");
    f.files.failDelete.insert(Key(std::string(kInstall) + "\\KEEP\\LOCKED.TXT"));
    DeleteTree(f.files, &progress, kInstall);
    EXPECT_EQ(view.position, 5u);  // four deleted, one not
    EXPECT_TRUE(f.files.Exists(std::string(kInstall) + "\\KEEP"));
    EXPECT_TRUE(f.files.Exists(kInstall));
    EXPECT_FALSE(f.files.Exists(std::string(kInstall) + "\\SUB"));
}

}  // namespace
}  // namespace vx::inst::test
