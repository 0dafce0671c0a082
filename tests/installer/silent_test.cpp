// Silent mode over a fake medium: an install and an uninstall with no window and no
// question, their exit codes, and the log that takes the place of the windows.
#include <gtest/gtest.h>

#include "installer/installer_texts.h"
#include "installer/path_text.h"
#include "installer/silent.h"
#include "tests/fakes/fake_installer_platform.h"

namespace vx::inst::test {
namespace {

constexpr char kDest[] = "C:\\Program Files\\Vel trix";
constexpr char kPrograms[] = "C:\\Programs";

struct LineLog : Log {
    std::vector<std::string> lines;
    void Line(const std::string& text) override { lines.push_back(text); }
    bool Has(const std::string& text) const {
        return std::find(lines.begin(), lines.end(), text) != lines.end();
    }
};

class SilentTest : public ::testing::Test {
  protected:
    void SetUp() override {
        f.StandardMedium();
        f.files.AddFolder("C:\\Program Files");
        f.CommonProgramsAt(kPrograms);
        f.files.AddFolder("C:\\TEMP");
        f.files.freeBytes["C:\\"] = 100u << 20;
    }
    // Runs a command line the way the program does: no window, the exit code returned or
    // given to the system by the install worker.
    int Run(const std::string& arguments) {
        f.system.commandLine = "D:\\VXInst.exe " + arguments;
        f.system.exitCode.reset();
        const int code = RunSilent(f.p, ParseInvocation(f.system.commandLine), log);
        return f.system.exitCode.value_or(code);
    }
    std::string Entry() {
        return FakeRegistry::Path(RegRoot::LocalMachine,
                                  std::string(text::kUninstallRoot) + "\\Veltrix");
    }
    FakePlatform f;
    LineLog log;
};

TEST_F(SilentTest, InstallThenUninstallWithoutAWindowOrAQuestion) {
    EXPECT_EQ(Run(std::string("/S /LOG=C:\\i.log /D=") + kDest), kExitDone);
    EXPECT_EQ(f.files.Find(std::string(kDest) + "\\QLV3906.EXE")->data, "program");
    EXPECT_TRUE(
        f.files.Exists(std::string(kPrograms) + "\\ZAM ベルトリクス\\ZAM ベルトリクス.LNK"));
    EXPECT_EQ(f.registry.keys[Entry()]["InstallPath"], kDest);
    // No group window, no help, no pause for the eye.
    EXPECT_TRUE(f.system.openedFolders.empty());
    EXPECT_TRUE(f.system.openedDocuments.empty());
    EXPECT_TRUE(f.system.sleeps.empty());
    // One line per step, the folder made without asking, the end.
    EXPECT_EQ(log.lines.front(), text::kInstallStarting);
    EXPECT_TRUE(log.Has(FormatText(text::kInstallingFile, "QLV3906.EX_")));
    EXPECT_EQ(log.lines.back(), text::kInstallDone);
    EXPECT_FALSE(log.Has(FormatText(text::kShowHelpQuestion, "ZAM ベルトリクス")));

    // The entry's silent uninstall runs the installed copy: it waits for stage two, started
    // with /S and the log, and ends with its exit code. Its own file, which the system keeps
    // while it runs, waits beside the temporary copy meanwhile; it goes back when the
    // uninstall fails, and is deleted at the next start when it went through.
    const std::string quiet = f.registry.keys[Entry()]["QuietUninstallString"];
    EXPECT_EQ(quiet, "\"" + std::string(kDest) + "\\Vxinst.exe\" /M /S");
    EXPECT_EQ(ParseInvocation(quiet).stages, std::vector<char>{'M'});
    EXPECT_TRUE(ParseInvocation(quiet).silent);
    const std::string self = std::string(kDest) + "\\Vxinst.exe";
    f.system.modulePath = self;
    f.profile.expectedFile = std::string(kDest) + "\\Vxinst.ini";
    bool parked = false;
    f.system.runChild = [&] {
        parked = !f.files.Exists(self) && f.files.Exists("C:\\TEMP\\Vxinst.old");
        return 3;
    };
    EXPECT_EQ(Run("/M /S \"/LOG=C:\\a b.log\""), 3);
    EXPECT_TRUE(parked);
    EXPECT_TRUE(f.files.Exists(self));
    ASSERT_EQ(f.system.started.size(), 1u);
    EXPECT_EQ(f.system.started[0], std::make_pair(std::string("C:\\TEMP\\Vxinst.exe"),
                                                  std::string(" /U /S \"/LOG=C:\\a b.log\"")));
    f.system.runChild = [] { return 0; };
    EXPECT_EQ(Run("/M /S"), kExitDone);
    EXPECT_FALSE(f.files.Exists(self));
    EXPECT_EQ(f.system.deleteAtRestart.back(), "C:\\TEMP\\Vxinst.old");
    // Started from another spelling of its folder (another drive letter for it), it knows
    // its own file all the same; a /U after /M is stage one's.
    f.files.Move("C:\\TEMP\\Vxinst.old", self);
    f.files.roots.insert("Z:\\");
    f.files.resolvesTo[Key("Z:\\C")] = "C:";
    f.system.modulePath = "Z:\\C\\Program Files\\Vel trix.\\Vxinst.exe";
    f.profile.expectedFile = "Z:\\C\\Program Files\\Vel trix.\\Vxinst.ini";
    f.files.AddFile(f.profile.expectedFile, "setup");
    EXPECT_EQ(Run("/M /U /S"), kExitDone);
    EXPECT_EQ(f.system.started.size(), 3u);
    EXPECT_FALSE(f.files.Exists(self));

    // Stage two, from the temporary copy, removes everything without asking.
    f.system.modulePath = "C:\\TEMP\\Vxinst.exe";
    f.profile.expectedFile = "C:\\TEMP\\Vxinst.ini";
    log.lines.clear();
    EXPECT_EQ(Run("/U /S"), kExitDone);
    EXPECT_FALSE(f.files.Exists(kDest));
    EXPECT_FALSE(f.files.Exists(std::string(kPrograms) + "\\ZAM ベルトリクス"));
    EXPECT_FALSE(f.registry.keys.count(Entry()));
    EXPECT_EQ(log.lines.back(), text::kUninstallDone);
    // Nothing more to uninstall: a failure, said in the log.
    EXPECT_EQ(Run("/U /S"), kExitFailed);
    EXPECT_EQ(Run("/M /S"), kExitFailed);
    EXPECT_EQ(log.lines.back(), text::kUninstallInfoMissing);
}

TEST_F(SilentTest, EachReasonToStopHasItsExitCodeAndLeavesNothing) {
    f.system.canManageServices = false;
    EXPECT_EQ(Run("/S"), kExitNoRight);
    EXPECT_EQ(log.lines.back(), text::kNoInstallRight);
    f.system.version = OsVersion{1, 4, 10};  // the 9x family has no such check
    EXPECT_EQ(Run("/S /D=C:\\V"), kExitDone);
    f.system.version = OsVersion{};
    f.system.canManageServices = true;

    f.profile.values.erase("VX_FILE");
    EXPECT_EQ(Run("/S /D=C:\\W"), kExitSetupFileBroken);
    EXPECT_EQ(Run("/M /S"), kExitSetupFileBroken);
    EXPECT_EQ(log.lines.back(), text::kSetupFileBroken);
    f.StandardSetup();

    f.files.freeBytes["C:\\"] = 4u << 20;  // the setup file asks for 5 MB
    EXPECT_EQ(Run("/S /D=C:\\V"), kExitNoSpace);
    f.files.freeBytes["C:\\"] = 5u << 20;
    f.files.AddFile("C:\\file", "x");
    f.files.roots.insert("D:\\");
    f.files.AddLink("C:\\Linked");
    for (const char* bad :
         {"relative\\V", "C:\\", "C:", "Q:\\V", "C:\\a\\..\\V", "C:\\V\\..", "C:\\a:b", "C:\\file",
          "\\\\server\\share\\V", "C:\\Linked", "D:\\DISK1\\.", "D:\\DISK1", "D:\\DISK1\\Sub"}) {
        EXPECT_EQ(Run(std::string("/S /D=") + bad), kExitBadDestination) << bad;
    }
    EXPECT_EQ(log.lines.back(), std::string(text::kDestinationHoldsSource) + " D:\\DISK1\\Sub");
    EXPECT_EQ(Run("/S /D="), kExitBadDestination);
    EXPECT_TRUE(f.files.Exists("D:\\DISK1\\QLV3906.chm"));
    EXPECT_FALSE(f.files.Exists("C:\\W"));

    // Another folder while the install in C:\V is there: refused, naming it.
    EXPECT_EQ(Run("/S /D=C:\\New\\Deep"), kExitBadDestination);
    EXPECT_EQ(log.lines.back(), FormatText(text::kInstalledElsewhere, "C:\\V") + " C:\\New\\Deep");
    EXPECT_FALSE(f.files.Exists("C:\\New"));
    // The Windows Installer package's install: refused, naming its folder, with code 5.
    const std::string mark = FakeRegistry::Path(RegRoot::LocalMachine, "SOFTWARE\\ZAM\\Veltrix");
    f.registry.keys[mark] = {{"MsiInstallFolder", "C:\\Pkg\\"}};
    EXPECT_EQ(Run("/S /D=C:\\V"), kExitBadDestination);
    EXPECT_EQ(log.lines.back(), FormatText(text::kInstalledByMsi, "C:\\Pkg") + " C:\\V");
    f.registry.keys.erase(mark);

    // A reinstall that fails once copying began (a viewer holds the help file): every file
    // it replaced is put back, and the entry stays as it was.
    f.files.nodes[Key("C:\\V\\VXInst.exe")].data = "earlier installer";
    f.files.nodes[Key("C:\\V\\QLV3906.EXE")].data = "earlier program";
    f.files.inUse.insert(Key("C:\\V\\QLV3906.CHM"));
    EXPECT_EQ(Run("/S /D=C:\\V"), kExitFailed);
    EXPECT_EQ(log.lines.back(), FormatText(text::kFileNotInstalled, "C:\\V\\QLV3906.CHM"));
    EXPECT_EQ(f.files.Find("C:\\V\\VXInst.exe")->data, "earlier installer");
    EXPECT_EQ(f.files.Find("C:\\V\\QLV3906.EXE")->data, "earlier program");
    EXPECT_EQ(f.files.Below("C:\\V").size(), 4u);  // nothing kept aside is left
    EXPECT_EQ(f.registry.keys[Entry()]["InstallPath"], "C:\\V");
}

}  // namespace
}  // namespace vx::inst::test
