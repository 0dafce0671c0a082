// The install worker over a fake medium: counting, finding, copying with expansion,
// progress arithmetic, shortcuts and the uninstall entry, and every way it stops.
#include <gtest/gtest.h>

#include <functional>

#include "installer/install_flow.h"
#include "installer/install_record.h"
#include "installer/installer_texts.h"
#include "installer/path_text.h"
#include "installer/shortcuts.h"
#include "tests/fakes/fake_installer_platform.h"
#include "vx_version.h"

namespace vx::inst::test {
namespace {

constexpr char kPrograms[] = "C:\\ProgramData\\Start Menu\\Programs";

class InstallTest : public ::testing::Test {
  protected:
    void SetUp() override {
        f.StandardMedium();
        f.files.AddFile("D:\\DISK1\\sub\\readme.txt", "text", /*readOnly=*/true);
        // A linked folder in the medium is neither counted, searched nor copied.
        f.files.AddFile("D:\\DISK1\\linked\\elsewhere.txt", "x");
        f.files.AddLink("D:\\DISK1\\linked");
        f.files.AddFolder(kInstallFolder);
        f.CommonProgramsAt(kPrograms);
        ASSERT_TRUE(ReadSetupInformation(f.p, progress.boxes, job.record));
        job.record.installFolder = kInstallFolder;
        job.source = "D:\\DISK1";
        job.destination = kInstallFolder;
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
    EXPECT_FALSE(FindRequiredFile(f.files, "elsewhere.txt", "D:\\DISK1"));
    EXPECT_EQ(CountFiles(f.files, "D:\\missing"), 0u);
    // A file whose expanded name cannot be had is not the file asked for.
    f.files.failExpandedName.insert(Key("D:\\DISK1\\QLV3906.EX_"));
    EXPECT_FALSE(FindRequiredFile(f.files, "QLV3906.EXE", "D:\\DISK1"));
}

TEST_F(InstallTest, CopyTreeExpandsUpperCasesAndMakesCopiesWritable) {
    Progress steps(f.system, progress);
    progress.SetRange(100);
    InstallRecord written;
    EXPECT_EQ(CopyTree(f.files, steps, "D:\\DISK1", kInstallFolder, true, written), "");
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

    EXPECT_FALSE(f.files.Exists(std::string(kInstallFolder) + "\\LINKED"));
    // What it wrote, in order; the destination was there before.
    EXPECT_EQ(written.files,
              (std::vector<std::string>{"C:\\PROGRAM FILES\\VELTRIX\\QLV3906.CHM",
                                        "C:\\PROGRAM FILES\\VELTRIX\\QLV3906.EXE",
                                        "C:\\PROGRAM FILES\\VELTRIX\\SUB\\README.TXT"}));
    EXPECT_EQ(written.folders, std::vector<std::string>{"C:\\PROGRAM FILES\\VELTRIX\\SUB"});

    // Without expansion the stored file is copied as it is.
    EXPECT_EQ(CopyTree(f.files, steps, "D:\\DISK1", "C:\\Plain", false, written), "");
    EXPECT_TRUE(f.files.Exists("C:\\PLAIN\\QLV3906.EX_"));
}

TEST_F(InstallTest, CompressedFileNotExpandedInFullIsAFailure) {
    Progress steps(f.system, progress);
    progress.SetRange(100);
    // Its expanded name cannot be had: never copied under its stored name.
    f.files.failExpandedName.insert(Key("D:\\DISK1\\QLV3906.EX_"));
    InstallRecord written;
    EXPECT_EQ(
        CopyTree(f.files, steps, "D:\\DISK1", kInstallFolder, true, written),
        "D:\\DISK1\\QLV3906.EX_ をインストールできませんでした。\nインストールを中止します。");
    EXPECT_EQ(f.files.Below(kInstallFolder).size(), 1u);  // QLV3906.CHM only

    // Cut short: it expands to fewer bytes than its header records.
    f.files.failExpandedName.clear();
    f.files.nodes[Key("D:\\DISK1\\QLV3906.EX_")].packed = 8;
    EXPECT_EQ(CopyTree(f.files, steps, "D:\\DISK1", kInstallFolder, true, written),
              "C:\\PROGRAM FILES\\VELTRIX\\QLV3906.EXE をインストールできませんでした。\n"
              "インストールを中止します。");
    EXPECT_EQ(written.files.back(), "C:\\PROGRAM FILES\\VELTRIX\\QLV3906.EXE");  // to be removed

    // The right size but other bytes than the medium records.
    f.files.AddCompressed("D:\\DISK1\\QLV3906.EX_", 'E', "progrXm");
    const Checksums sums = ParseChecksums(f.profile.values["CHECKSUMS"] + ",BAD:12,X.EX_:1234567G");
    EXPECT_EQ(sums.size(), 1u);
    EXPECT_NE(CopyTree(f.files, steps, "D:\\DISK1", kInstallFolder, true, written, sums), "");
    f.files.AddCompressed("D:\\DISK1\\QLV3906.EX_", 'E', "program");
    EXPECT_EQ(CopyTree(f.files, steps, "D:\\DISK1", kInstallFolder, true, written, sums), "");
    EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);

    EXPECT_EQ(ExpandedSizeFromHeader(std::string("SZDD\x88\xF0\x27\x33\x41x\x01\x02\x03\x04", 14)),
              0x04030201u);
    EXPECT_EQ(ExpandedSizeFromHeader(std::string("SZDD\x88\xF0\x27\x33\x41x\x01\x02\x03", 13)),
              std::nullopt);
    EXPECT_EQ(ExpandedSizeFromHeader("KWAJ\x88\xF0\x27\xD1\x41x\x01\x02\x03\x04"), std::nullopt);
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
    EXPECT_EQ(f.files.Find(std::string(kInstallFolder) + "\\VXInst.exe")->data, "installer");
    EXPECT_EQ(f.files.Find(std::string(kInstallFolder) + "\\VXInst.ini")->data, "setup");
    // No installed file keeps the mark that would blank the help viewer.
    for (const auto& [key, node] : f.files.nodes) {
        if (!node.folder && key.rfind(Key(kInstallFolder), 0) == 0) {
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
    EXPECT_EQ(program.target, std::string(kInstallFolder) + "\\QLV3906.EXE");
    EXPECT_EQ(program.workingDirectory, kInstallFolder);
    EXPECT_EQ(program.description, "QX-K480/330のプリンタ設定を変更するためのユーティリティです。");
    const SavedLink& help = f.links.saved.at(group + "\\ベルトリクスのヘルプ.LNK");
    EXPECT_EQ(help.target, std::string(kInstallFolder) + "\\QLV3906.chm");
    EXPECT_EQ(help.description, "ZAM QX-K480/330 ベルトリクスのヘルプです。");

    ASSERT_TRUE(Entry());
    EXPECT_EQ(*Entry(), (FakeRegistry::Values{
                            {"DisplayName", "ZAM ベルトリクス"},
                            {"InstallPath", kInstallFolder},
                            {"DisplayIcon", std::string(kInstallFolder) + "\\Vxinst.exe"},
                            {"UninstallString", std::string(kInstallFolder) + "\\Vxinst.exe /M"},
                            {"DisplayVersion", VX_VERSION_TEXT},
                            {"Publisher", "ZAM"},
                            {"InstallLocation", kInstallFolder},
                            {"QuietUninstallString",
                             "\"" + std::string(kInstallFolder) + "\\Vxinst.exe\" /M /S"}}));
    // The four values first, as they always were; then what today's list of programs reads.
    EXPECT_EQ(f.registry.writes,
              (std::vector<std::string>{
                  "DisplayName", "InstallPath", "DisplayIcon", "UninstallString", "DisplayVersion",
                  "Publisher", "InstallLocation", "EstimatedSize", "NoModify", "NoRepair",
                  "QuietUninstallString", "InstalledFiles", "InstalledFolders"}));
    // Kilobytes, rounded up, of every file written: the installer (9 bytes), its setup file (5),
    // the program (7), the help (3), the readme (4) and the two shortcuts (4 each): 1 KB.
    EXPECT_EQ(
        f.registry.numbers[FakeRegistry::Path(RegRoot::LocalMachine, job.record.uninstallKey)],
        (std::map<std::string, std::uint32_t>{
            {"EstimatedSize", 1}, {"NoModify", 1}, {"NoRepair", 1}}));
    // The record: every file written below the destination; the destination was there before.
    auto& record =
        f.registry.lists[FakeRegistry::Path(RegRoot::LocalMachine, job.record.uninstallKey)];
    EXPECT_EQ(record["InstalledFiles"],
              (std::vector<std::string>{"VXInst.exe", "VXInst.ini", "QLV3906.CHM", "QLV3906.EXE",
                                        "SUB\\README.TXT"}));
    EXPECT_EQ(record["InstalledFolders"], std::vector<std::string>{"SUB"});

    EXPECT_EQ(events, (std::vector<std::string>{
                          "box インストールが完了しました。",
                          "box 今すぐにZAM ベルトリクスのヘルプを表示しますか？", "exit 0"}));
    EXPECT_EQ(progress.boxes.shown[1].style, MsgStyle::YesNoPlain);
    EXPECT_EQ(f.system.openedDocuments,
              std::vector<std::string>{std::string(kInstallFolder) + "\\QLV3906.chm"});
}

TEST(EstimatedSizeTest, KilobytesOfTheRecordedFilesRoundedUp) {
    FakeFiles files;
    files.AddFile("C:\\A\\big", std::string(1024, 'x'));
    files.AddFile("C:\\A\\small", "y");
    InstallRecord written;
    EXPECT_EQ(EstimatedSizeKb(files, written), 0u);
    written.AddFile("C:\\A\\big");
    EXPECT_EQ(EstimatedSizeKb(files, written), 1u);
    written.AddFile("C:\\A\\small");
    written.AddFile("C:\\A\\gone");  // no longer there: counts nothing
    written.AddFolder("C:\\A");
    EXPECT_EQ(EstimatedSizeKb(files, written), 2u);
}

TEST_F(InstallTest, HelpDeclinedOpensNothing) {
    progress.boxes.answers = {Answer::No};
    RunInstallWorker(f.p, job, progress);
    EXPECT_TRUE(f.system.openedDocuments.empty());
    EXPECT_EQ(f.system.exitCode, 0);
}

TEST_F(InstallTest, RequiredFileMissingRemovesOnlyTheFoldersTheInstallMade) {
    f.files.nodes.erase(Key("D:\\DISK1\\QLV3906.chm"));
    RunInstallWorker(f.p, job, progress);
    EXPECT_EQ(progress.boxes.Texts(), std::vector<std::string>{text::kRequiredFileMissing});
    EXPECT_TRUE(f.files.Exists(kInstallFolder));  // it was there before
    EXPECT_EQ(f.system.exitCode, 0);
    EXPECT_EQ(Entry(), nullptr);

    job.created.AddFolder(kInstallFolder);  // made by the folder window
    RunInstallWorker(f.p, job, progress);
    EXPECT_FALSE(f.files.Exists(kInstallFolder));
}

// Whatever fails once copying has begun, what the install wrote goes again, the user is
// told what failed, and the exit code is 1; nothing of the user's is touched.
TEST_F(InstallTest, FailureAfterCopyingBeganRollsBack) {
    const std::string dest = kInstallFolder;
    const std::string group = std::string(kPrograms) + "\\ZAM ベルトリクス";
    const std::string stopped = " をインストールできませんでした。\nインストールを中止します。";
    f.files.AddFile(dest + "\\notes.txt", "the user's");
    struct Case {
        const char* name;
        std::function<void(FakePlatform&)> breakIt;
        std::vector<std::string> messages;
    } cases[] = {
        {"own copy",
         [&](FakePlatform& g) { g.files.failCopy.insert(Key(dest + "\\VXInst.ini")); },
         {dest + "\\VXInst.ini" + stopped}},
        {"expansion",
         [&](FakePlatform& g) { g.files.failExpand.insert(Key(dest + "\\QLV3906.EXE")); },
         {"C:\\PROGRAM FILES\\VELTRIX\\QLV3906.EXE" + stopped}},
        {"disk full in a subfolder",
         [&](FakePlatform& g) { g.files.diskFull.insert(Key(dest + "\\SUB\\README.TXT")); },
         {"C:\\PROGRAM FILES\\VELTRIX\\SUB\\README.TXT" + stopped}},
        {"folder",
         [&](FakePlatform& g) { g.files.failCreate.insert(Key(dest + "\\SUB")); },
         {"フォルダ C:\\PROGRAM FILES\\VELTRIX\\SUB を作成できませんでした。\n"
          "インストールを中止します。"}},
        {"second shortcut",
         [&](FakePlatform& g) {
             g.links.failSaveOf.insert(Key(group + "\\ベルトリクスのヘルプ.LNK"));
         },
         {"Save failed!", group + "\\ベルトリクスのヘルプ.LNK" + stopped}},
        {"no programs folder",
         [&](FakePlatform& g) { g.registry.keys.clear(); },
         {text::kInstallInfoMissing}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform g(f, c.breakIt);
        FakeProgress view;
        RunInstallWorker(g.p, job, view);
        EXPECT_EQ(view.boxes.Texts(), c.messages);
        EXPECT_EQ(g.system.exitCode, 1);
        EXPECT_EQ(g.files.Below(dest), std::vector<std::string>{dest + "\\notes.txt"});
        EXPECT_FALSE(g.files.Exists(group));
        EXPECT_TRUE(g.files.Exists(kPrograms));
        EXPECT_EQ(g.registry.At(RegRoot::LocalMachine, job.record.uninstallKey), nullptr);
    }

    // A destination the folder window made goes too, with the parent it made.
    FakePlatform g(f, [](FakePlatform& copy) {
        copy.files.AddFolder("C:\\New\\Veltrix");
        copy.files.diskFull.insert(Key("C:\\New\\Veltrix\\QLV3906.CHM"));
    });
    InstallJob fresh = job;
    fresh.destination = fresh.record.installFolder = "C:\\New\\Veltrix";
    fresh.created.AddFolder("C:\\New");
    fresh.created.AddFolder("C:\\New\\Veltrix");
    FakeProgress view;
    RunInstallWorker(g.p, fresh, view);
    EXPECT_EQ(g.system.exitCode, 1);
    EXPECT_FALSE(g.files.Exists("C:\\New"));
}

TEST_F(InstallTest, UnwritableUninstallKeyIsReportedAndTheInstallCompletes) {
    f.registry.failCreate = true;
    RunInstallWorker(f.p, job, progress);
    EXPECT_EQ(progress.boxes.Texts()[0], text::kRegistryWriteFailed);
    EXPECT_EQ(progress.boxes.Texts()[1], text::kInstallDone);

    // DisplayName refused: the other three values are not written.
    FakePlatform g(f, [](FakePlatform& copy) { copy.registry.failWrite.insert("DisplayName"); });
    SetupRecord r = job.record;
    FakeBoxes boxes;
    EXPECT_TRUE(WriteUninstallEntry(g.p, boxes, r, kInstallFolder, InstallRecord{}));
    EXPECT_EQ(g.registry.writes, std::vector<std::string>{"DisplayName"});
}

TEST_F(InstallTest, ReinstallIntoTheSameFolderKeepsTheEarlierRecord) {
    const std::string key = FakeRegistry::Path(RegRoot::LocalMachine, job.record.uninstallKey);
    InstallRecord again;
    again.AddFile(std::string(kInstallFolder) + "\\VXInst.exe");
    FakeBoxes boxes;
    for (const std::string earlier : {"C:\\Program Files\\Veltrix\\", "D:\\Elsewhere"}) {
        SCOPED_TRACE(earlier);
        f.registry.keys[key] = {{"InstallPath", earlier}};
        f.registry.lists[key] = {{"InstalledFiles", {"VXINST.EXE", "OLD.TXT"}},
                                 {"InstalledFolders", {".", ".."}}};
        WriteUninstallEntry(f.p, boxes, job.record, kInstallFolder, again);
        const bool same = earlier[0] == 'C';
        EXPECT_EQ(f.registry.lists[key]["InstalledFiles"],
                  (same ? std::vector<std::string>{"VXINST.EXE", "OLD.TXT"}
                        : std::vector<std::string>{"VXInst.exe"}));
        EXPECT_EQ(f.registry.lists[key]["InstalledFolders"],
                  (same ? std::vector<std::string>{".", ".."} : std::vector<std::string>{}));
    }
}

// A reinstall over the running settings program goes through: the running file moves
// aside and waits for the next start, and the entry's record holds it meanwhile. Every
// other earlier file is replaced and gone.
TEST_F(InstallTest, ReinstallOverTheRunningProgramLeavesItsFileForTheNextStart) {
    const std::string running = std::string(kInstallFolder) + "\\QLV3906.EXE";
    f.files.AddFile(running, "earlier program");
    f.files.AddFile(std::string(kInstallFolder) + "\\VXInst.ini", "earlier setup",
                    /*readOnly=*/true);
    f.files.running.insert(Key(running));
    RunInstallWorker(f.p, job, progress);
    EXPECT_EQ(f.system.exitCode, 0);
    EXPECT_EQ(f.files.Find(running)->data, "program");
    EXPECT_EQ(f.files.Find(running + ".VXOLD")->data, "earlier program");
    EXPECT_FALSE(f.files.Exists(std::string(kInstallFolder) + "\\VXInst.ini.VXOLD"));
    EXPECT_EQ(f.system.deleteAtRestart, std::vector<std::string>{UpperAscii(running) + ".VXOLD"});
    const auto& stored =
        f.registry.lists[FakeRegistry::Path(RegRoot::LocalMachine, job.record.uninstallKey)];
    EXPECT_EQ(stored.at("InstalledFiles").back(), "QLV3906.EXE.VXOLD");
}

}  // namespace
}  // namespace vx::inst::test
