// The two uninstall stages, the uninstall worker's messages, the install record and
// the guards that keep the deletion to what the install wrote.
#include <gtest/gtest.h>

#include "installer/install_record.h"
#include "installer/installer_texts.h"
#include "installer/path_text.h"
#include "installer/shortcuts.h"
#include "installer/uninstall_flow.h"
#include "tests/fakes/fake_installer_platform.h"

namespace vx::inst::test {
namespace {

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
        f.files.AddFile(std::string(kInstallFolder) + "\\VXINST.EXE", "installer");
        f.files.AddFile(std::string(kInstallFolder) + "\\VXINST.INI", "setup");
        f.files.AddFile(std::string(kInstallFolder) + "\\QLV3906.EXE", "program",
                        /*readOnly=*/true);
        f.files.AddFile(std::string(kInstallFolder) + "\\SUB\\DEEP\\A.TXT", "a");
        f.files.AddFile(std::string(kGroup) + "\\ZAM ベルトリクス.LNK", "link");
        f.files.AddFile(std::string(kGroup) + "\\ベルトリクスのヘルプ.LNK", "link");
        f.files.AddFolder("C:\\TEMP");
        f.CommonProgramsAt(kPrograms);
        f.registry.keys[EntryPath()] = {{"InstallPath", kInstallFolder}, {"DisplayName", "x"}};
        f.registry.lists[EntryPath()] = {
            {"InstalledFiles", {"VXINST.EXE", "VXINST.INI", "QLV3906.EXE", "SUB\\DEEP\\A.TXT"}},
            {"InstalledFolders", {".", "SUB", "SUB\\DEEP"}}};
    }
    std::string In(const std::string& relative) {
        return std::string(kInstallFolder) + "\\" + relative;
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
    EXPECT_FALSE(f.files.Exists("C:\\windows\\wininit.ini"));
    EXPECT_EQ(f.system.attempts.size(), 3u);
    EXPECT_EQ(f.system.started[0],
              std::make_pair(std::string("C:\\TEMP\\Vxinst.exe"), std::string(" /U")));
    EXPECT_EQ(f.system.sleeps, (std::vector<unsigned>{100, 100, 100}));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(UninstallTest, StageOneOn9xWritesWininitAndGivesUpAfterFiveAttempts) {
    f.system.version = OsVersion{1, 4, 10};
    f.system.startFailures = 99;
    f.files.AddFolder("C:\\windows");
    UninstallStageOne(f.p, boxes, record);
    EXPECT_TRUE(f.system.deleteAtRestart.empty());
    EXPECT_EQ(f.files.Find("C:\\windows\\wininit.ini")->data,
              "[Rename]\r\nNUL=C:\\TEMP\\Vxinst.exe\r\n");
    EXPECT_EQ(f.system.attempts.size(), 5u);
    EXPECT_TRUE(boxes.shown.empty());

    // Another program's pending deletion stays; ours goes beside it, once.
    f.files.AddFile("C:\\windows\\wininit.ini",
                    "[Other]\r\nA=1\r\n[rename]\r\nNUL=C:\\OTHER.TMP\r\n\r\n[Next]\r\nB=2");
    UninstallStageOne(f.p, boxes, record);
    UninstallStageOne(f.p, boxes, record);
    EXPECT_EQ(f.files.Find("C:\\windows\\wininit.ini")->data,
              "[Other]\r\nA=1\r\n[rename]\r\nNUL=C:\\OTHER.TMP\r\nNUL=C:\\TEMP\\Vxinst.exe\r\n\r\n"
              "[Next]\r\nB=2");
    EXPECT_EQ(AddRenameEntry("x=1", "C:\\T"), "x=1\r\n[Rename]\r\nNUL=C:\\T\r\n");
    EXPECT_EQ(AddRenameEntry("[Rename]", "C:\\T"), "[Rename]\r\nNUL=C:\\T\r\n");
}

TEST_F(UninstallTest, StageOneFailures) {
    // The program copy fails: its error number, and stage one goes on.
    f.files.nodes.erase(Key(std::string(kInstallFolder) + "\\VXINST.EXE"));
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

    // An "InstallPath" that is missing, empty or refused: its message, nothing copied (never
    // "\VxInst.exe" of the current drive's root), nothing started.
    for (const char* path :
         std::vector<const char*>{"", "C:\\", "\\\\?\\C:\\Program Files\\Veltrix", nullptr}) {
        SCOPED_TRACE(path ? path : "(missing)");
        FakePlatform h;
        h.files = f.files;
        h.files.AddFile("C:\\VxInst.exe", "somebody's");
        h.files.AddFile("C:\\VxInst.ini", "somebody's");
        h.files.log.clear();
        h.registry.keys = f.registry.keys;
        if (path) {
            h.registry.keys[EntryPath()]["InstallPath"] = path;
        } else {
            h.registry.keys[EntryPath()].erase("InstallPath");
        }
        FakeBoxes b2;
        EXPECT_FALSE(UninstallStageOne(h.p, b2, record));
        EXPECT_EQ(b2.Texts(), std::vector<std::string>{text::kInstallPathMissing});
        for (const std::string& line : h.files.log) EXPECT_NE(line.rfind("copy ", 0), 0u) << line;
        EXPECT_TRUE(h.system.attempts.empty());
    }
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
    EXPECT_FALSE(f.files.Exists(kInstallFolder));
    EXPECT_FALSE(f.files.Exists(kGroup));
    EXPECT_TRUE(f.files.Exists(kPrograms));
    EXPECT_TRUE(f.registry.lists.empty());
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
        FakePlatform g(f, c.breakIt);
        FakeProgress progress;
        RunUninstallWorker(g.p, record, progress);
        EXPECT_EQ(progress.boxes.Texts(), std::vector<std::string>{c.message});
        EXPECT_EQ(progress.boxes.shown[0].style, MsgStyle::Error);
        EXPECT_EQ(progress.boxes.shown[0].caption, "ZAM ベルトリクス");
        EXPECT_TRUE(progress.closed);
        EXPECT_EQ(g.files.Exists(kGroup), !c.groupGone);
        EXPECT_TRUE(g.files.Exists(std::string(kInstallFolder) + "\\QLV3906.EXE"));
    }
}

TEST_F(UninstallTest, OnlyWhatTheInstallWroteGoesFilesFirstThenFoldersDeepestFirst) {
    // The user's: a settings file saved into the program folder, a file in a subfolder, an
    // item of their own in the Start-menu group.
    f.files.AddFile(In("MINE.DAT"), "settings");
    f.files.AddFile(In("SUB\\NOTES.TXT"), "notes");
    f.files.AddFile(std::string(kGroup) + "\\Other.LNK", "link");
    FakeProgress progress;
    RunUninstallWorker(f.p, record, progress);

    EXPECT_EQ(progress.boxes.Texts(), std::vector<std::string>{text::kUninstallDone});
    EXPECT_EQ(f.files.Below(kInstallFolder),
              (std::vector<std::string>{In("MINE.DAT"), In("SUB"), In("SUB\\NOTES.TXT")}));
    EXPECT_EQ(f.files.Below(kGroup), std::vector<std::string>{std::string(kGroup) + "\\Other.LNK"});
    EXPECT_FALSE(EntryThere());
    // The steps counted before are the steps done: shortcuts, registry, four files.
    EXPECT_EQ(progress.upper, 6u);
    EXPECT_EQ(progress.position, 6u);

    // Every file before any folder; the deepest folder first.
    std::vector<std::string> removals;
    for (const std::string& line : f.files.log) {
        if (line.find(kInstallFolder) != std::string::npos && line.rfind("del ", 0) == 0) {
            removals.push_back(line);
        }
        if (line.find(kInstallFolder) != std::string::npos && line.rfind("rmdir ", 0) == 0) {
            removals.push_back(line);
        }
    }
    EXPECT_EQ(removals,
              (std::vector<std::string>{"del " + In("VXINST.EXE"), "del " + In("VXINST.INI"),
                                        "del " + In("QLV3906.EXE"), "del " + In("SUB\\DEEP\\A.TXT"),
                                        "rmdir " + In("SUB\\DEEP"), "rmdir " + In("SUB"),
                                        "rmdir " + std::string(kInstallFolder)}));
}

TEST_F(UninstallTest, WithoutARecordNothingInTheFolderIsDeleted) {
    const std::vector<std::string> before = f.files.Below(kInstallFolder);
    for (const std::string damaged : {"", "..\\..\\WINDOWS\\WIN.INI", "C:\\X", "SUB\\..\\..\\X"}) {
        SCOPED_TRACE(damaged);
        FakePlatform g(f, [&](FakePlatform& copy) {
            if (damaged.empty()) return;
            copy.registry.lists[EntryPath()] = f.registry.lists[EntryPath()];
            copy.registry.lists[EntryPath()]["InstalledFiles"].push_back(damaged);
        });
        FakeProgress progress;
        RunUninstallWorker(g.p, record, progress);
        EXPECT_EQ(progress.boxes.Texts(),
                  std::vector<std::string>{
                      "アンインストールが完了しました。\nインストールの記録がないため、フォルダ "
                      "C:\\Program Files\\Veltrix の中のファイルは削除されませんでした。"});
        EXPECT_EQ(progress.boxes.shown[0].style, MsgStyle::Information);
        EXPECT_EQ(g.files.Below(kInstallFolder), before);
        EXPECT_FALSE(g.files.Exists(kGroup));
        EXPECT_FALSE(g.registry.keys.count(EntryPath()));
        EXPECT_EQ(progress.upper, 2u);
        EXPECT_EQ(progress.position, 2u);
    }
}

TEST_F(UninstallTest, RecordKeepsPathsRelativeToTheInstallFolder) {
    InstallRecord written;
    written.AddFolder("C:\\Apps");  // a parent the folder window made
    written.AddFolder("C:\\Apps\\Veltrix");
    written.AddFile("C:\\APPS\\VELTRIX\\VXInst.exe");
    written.AddFolder("C:\\APPS\\VELTRIX\\DOC");
    written.AddFile("C:\\APPS\\VELTRIX\\DOC\\A.TXT");
    written.AddFile("C:\\Programs\\Group\\x.LNK");  // found by name, not kept
    written.AddFolder("C:\\Programs\\Group");
    const StoredRecord stored = StoreRecord(written, "C:\\Apps\\Veltrix\\");
    EXPECT_EQ(stored.files, (std::vector<std::string>{"VXInst.exe", "DOC\\A.TXT"}));
    EXPECT_EQ(stored.folders, (std::vector<std::string>{"..", ".", "DOC"}));

    InstallRecord loaded;
    ASSERT_TRUE(LoadRecord(stored, "C:\\Apps\\Veltrix", loaded));
    EXPECT_EQ(loaded.files, (std::vector<std::string>{"C:\\Apps\\Veltrix\\VXInst.exe",
                                                      "C:\\Apps\\Veltrix\\DOC\\A.TXT"}));
    EXPECT_EQ(loaded.folders, (std::vector<std::string>{"C:\\Apps", "C:\\Apps\\Veltrix",
                                                        "C:\\Apps\\Veltrix\\DOC"}));
    // Never a drive or a share, never a path out of the folder.
    for (const char* folder : {"..\\..", "a\\..\\..", "\\x", "C:", "x:y", "", "a\\\\b"}) {
        EXPECT_FALSE(LoadRecord(StoredRecord{{}, {folder}}, "C:\\Apps\\Veltrix", loaded)) << folder;
        EXPECT_TRUE(loaded.folders.empty());
    }
    EXPECT_FALSE(LoadRecord(StoredRecord{{"."}, {}}, "C:\\Apps\\Veltrix", loaded));
    EXPECT_FALSE(LoadRecord(StoredRecord{{}, {".."}}, "\\\\server\\share\\Veltrix", loaded));
}

TEST_F(UninstallTest, DeletionStaysInsideTheInstall) {
    EXPECT_TRUE(InstallPathIsSafe(f.files, kInstallFolder));
    EXPECT_TRUE(InstallPathIsSafe(f.files, std::string(kInstallFolder) + "\\"));
    f.files.AddFile("C:\\VXInst.ini", "setup");
    f.files.AddFile("C:\\Other\\file.txt", "keep");
    for (const std::string& bad :
         {std::string(), std::string("C:\\"), std::string("C:"), std::string("\\"),
          std::string("Program Files\\Veltrix"), std::string(kInstallFolder) + "\\SUB\\..",
          std::string("C:\\Other"), std::string("\\\\server\\share"),
          std::string(kInstallFolder) + "\\VXINST.INI", "\\\\?\\" + std::string(kInstallFolder),
          "\\\\.\\" + std::string(kInstallFolder),
          std::string("\\\\?\\UNC\\server\\share\\Veltrix"),
          std::string("\\\\?\\GLOBALROOT\\Device\\HarddiskVolume1\\Veltrix"),
          "//?/" + std::string(kInstallFolder), "\\??\\" + std::string(kInstallFolder)}) {
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

    // So is an install folder that is itself a link.
    f.registry.keys[EntryPath()]["InstallPath"] = kInstallFolder;
    f.files.nodes[Key(kInstallFolder)].link = true;
    EXPECT_FALSE(InstallPathIsSafe(f.files, kInstallFolder));
    f.files.nodes[Key(kInstallFolder)].link = false;

    // A recorded file reached through a link inside the install is left where it is.
    f.files.AddFile("C:\\Other\\DEEP\\A.TXT", "somebody's");
    f.files.nodes.erase(Key(In("SUB\\DEEP\\A.TXT")));
    f.files.AddLink(In("SUB\\DEEP"));
    InstallRecord written;
    ASSERT_TRUE(LoadRecord(StoredRecord{{"SUB\\DEEP\\A.TXT"}, {"SUB\\DEEP", "SUB"}}, kInstallFolder,
                           written));
    RemoveRecorded(f.files, nullptr, written, kInstallFolder);
    EXPECT_TRUE(f.files.Exists(In("SUB\\DEEP")));
    EXPECT_EQ(f.files.log.end()[-1], "rmdir " + In("SUB"));  // not the link
    EXPECT_TRUE(f.files.Exists("C:\\Other\\DEEP\\A.TXT"));
}

// A file a program holds, and the folder it keeps, go at the next start and the uninstall
// says so; when even that cannot be arranged it names the file and fails.
TEST_F(UninstallTest, FileInUseIsDeletedAtRestartOrTheUninstallFails) {
    f.files.inUse.insert(Key(In("QLV3906.EXE")));
    FakePlatform g(f, [&](FakePlatform& copy) {
        copy.registry.lists = f.registry.lists;
        copy.system.failDeleteAtRestart = true;
    });
    FakeProgress progress, failed;
    EXPECT_TRUE(RunUninstallWorker(f.p, record, progress));
    EXPECT_EQ(progress.boxes.Texts(), std::vector<std::string>{text::kUninstallDoneAtRestart});
    EXPECT_EQ(f.system.deleteAtRestart,
              (std::vector<std::string>{In("QLV3906.EXE"), kInstallFolder}));
    EXPECT_FALSE(RunUninstallWorker(g.p, record, failed));
    EXPECT_EQ(failed.boxes.Texts(),
              std::vector<std::string>{FormatText(text::kFileInUse, In("QLV3906.EXE"))});
}

// Stage one leaves the install folder before stage two starts; an installed copy in another
// folder than the entry's does not uninstall that other install.
TEST_F(UninstallTest, StageOneLeavesTheFolderAndKeepsToItsOwnInstall) {
    f.system.modulePath = In("VXINST.EXE");
    EXPECT_TRUE(UninstallStageOne(f.p, boxes, record));
    EXPECT_EQ(f.system.workingFolder, "C:\\TEMP");

    f.files.AddFile("C:\\Other\\VXInst.ini", "setup");
    f.files.AddFile("C:\\Other\\QLV3906.EXE", "program");
    f.system.modulePath = "C:\\Other\\VXInst.exe";
    EXPECT_FALSE(UninstallStageOne(f.p, boxes, record));
    EXPECT_EQ(boxes.Texts().back(), FormatText(text::kOtherInstall, kInstallFolder));
    EXPECT_EQ(f.system.started.size(), 1u);
}

TEST_F(UninstallTest, UndeletableFileKeepsItsFolderButTheStepIsCounted) {
    FakeProgress view;
    Progress progress(f.system, view);
    view.SetRange(10);
    f.files.AddFile(In("KEEP\\LOCKED.TXT"), "x");
    f.files.failDelete.insert(Key(In("KEEP\\LOCKED.TXT")));
    InstallRecord written;
    ASSERT_TRUE(LoadRecord(StoredRecord{{"VXINST.EXE", "VXINST.INI", "QLV3906.EXE",
                                         "SUB\\DEEP\\A.TXT", "KEEP\\LOCKED.TXT"},
                                        {".", "SUB", "SUB\\DEEP", "KEEP"}},
                           kInstallFolder, written));
    RemoveRecorded(f.files, &progress, written, kInstallFolder);
    EXPECT_EQ(view.position, 5u);  // four deleted, one not
    EXPECT_TRUE(f.files.Exists(In("KEEP")));
    EXPECT_TRUE(f.files.Exists(kInstallFolder));
    EXPECT_FALSE(f.files.Exists(In("SUB")));
}

}  // namespace
}  // namespace vx::inst::test
