#include "app/startup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vx {
namespace {

TEST(HelpFile, ChosenByPlatformAndVersion) {
    struct Row {
        const char* system;
        unsigned id, major, minor;
        const char* file;
        HelpKind kind;
    } rows[] = {
        {"95", 1, 4, 0, "QLV3906.hlp", HelpKind::WinHelp},
        {"98", 1, 4, 10, "QLV3906.chm", HelpKind::HtmlHelp},
        {"Me", 1, 4, 90, "QLV3906.chm", HelpKind::HtmlHelp},
        {"NT 4.0", 2, 4, 0, "QLV3906.hlp", HelpKind::WinHelp},
        {"2000", 2, 5, 0, "QLV3906.chm", HelpKind::HtmlHelp},
        {"XP", 2, 5, 1, "QLV3906.chm", HelpKind::HtmlHelp},
        {"7", 2, 6, 1, "QLV3906.chm", HelpKind::HtmlHelp},
        {"other platform", 3, 4, 0, "QLV3906.chm", HelpKind::HtmlHelp},
    };
    for (const Row& r : rows) {
        const HelpChoice c = ChooseHelpFile(r.id, r.major, r.minor);
        EXPECT_STREQ(c.fileName, r.file) << r.system;
        EXPECT_EQ(c.kind, r.kind) << r.system;
    }
}

TEST(HelpFile, ProgramFolderKeepsTheBackslash) {
    EXPECT_EQ(ProgramFolder("C:\\Program Files\\VX\\QLV3906.EXE"), "C:\\Program Files\\VX\\");
    EXPECT_EQ(ProgramFolder("QLV3906.EXE"), "");
}

TEST(ProgramPath, ApplicationNameIsTheFileNameWithoutFolderOrExtension) {
    EXPECT_EQ(ApplicationName("C:\\Program Files\\VX\\QLV3906.EXE"), "QLV3906");
    EXPECT_EQ(ApplicationName("D:\\v1.2\\Settings.old.exe"), "Settings.old");
    EXPECT_EQ(ApplicationName("D:\\v1.2\\renamed"), "renamed");
    EXPECT_EQ(ApplicationName("QLV3906.EXE"), "QLV3906");
}

TEST(CommandLine, SwitchesAreSkippedAndTheFirstNameCounts) {
    EXPECT_EQ(ParseCommandLine({}).startupFile, "");
    EXPECT_EQ(ParseCommandLine({"/s", "-x", "a.dat", "b.dat"}).startupFile, "a.dat");
    EXPECT_EQ(ParseCommandLine({"-", "/"}).startupFile, "");
    EXPECT_EQ(ParseCommandLine({"C:\\設定\\a b.dat"}).startupFile, "C:\\設定\\a b.dat");
}

TEST(CommandLine, NamesThatDoNotFitAreRefusedNotCut) {
    const std::string fits(259, 'a');
    const std::string tooLong(260, 'a');
    EXPECT_EQ(ParseCommandLine({fits}).startupFile, fits);
    EXPECT_FALSE(ParseCommandLine({fits}).fileNameTooLong);
    // The limit counts UTF-16 units as the system does: 259 kanji (777 bytes) fit, a
    // character outside the basic plane counts twice.
    std::string kanji;
    for (int i = 0; i < 259; ++i) kanji += "漢";
    EXPECT_EQ(ParseCommandLine({kanji}).startupFile, kanji);
    EXPECT_TRUE(ParseCommandLine({kanji + "a"}).fileNameTooLong);
    EXPECT_EQ(Utf16Length("a\xF0\x9F\x98\x80漢"), 4u);  // a, a surrogate pair, 漢
    EXPECT_TRUE(ParseCommandLine({std::string(258, 'a') + "\xF0\x9F\x98\x80"}).fileNameTooLong);
    const CommandLine refused = ParseCommandLine({tooLong, "short.dat"});
    EXPECT_TRUE(refused.fileNameTooLong);
    EXPECT_EQ(refused.startupFile, "");
}

class FakeInstanceSystem : public InstanceSystem {
  public:
    bool mutexExists = false;
    long long window = 0;
    bool minimised = false;
    std::vector<std::string> calls;

    bool OpenExistingMutex(const std::string& name) override {
        calls.push_back("open " + name);
        return mutexExists;
    }
    void CreateOwnedMutex(const std::string& name) override { calls.push_back("create " + name); }
    long long FindMainWindow(const std::string& title) override {
        calls.push_back("find " + title);
        return window;
    }
    bool IsMinimised(long long) override { return minimised; }
    void Restore(long long) override { calls.push_back("restore"); }
    void BringToForeground(long long) override { calls.push_back("foreground"); }
};

TEST(SingleInstance, TheMutexAloneDecides) {
    FakeInstanceSystem first;
    first.window = 42;  // a window with the same title but no mutex does not stop a start
    EXPECT_TRUE(ClaimSingleInstance(first, "QLV3906"));
    EXPECT_EQ(first.calls, (std::vector<std::string>{"open QLV3906", "create QLV3906"}));
    // A copy renamed by the user is an application of that name.
    FakeInstanceSystem renamed;
    EXPECT_TRUE(ClaimSingleInstance(renamed, ApplicationName("C:\\tools\\Veltrix.exe")));
    EXPECT_EQ(renamed.calls, (std::vector<std::string>{"open Veltrix", "create Veltrix"}));

    FakeInstanceSystem lost;
    lost.mutexExists = true;  // a running copy whose window cannot be found
    EXPECT_FALSE(ClaimSingleInstance(lost, "QLV3906"));
    EXPECT_EQ(lost.calls,
              (std::vector<std::string>{"open QLV3906", "find ZAM QX-K480/330 ベルトリクス"}));
}

TEST(SingleInstance, SecondStartBringsTheRunningWindowBack) {
    FakeInstanceSystem s;
    s.mutexExists = true;
    s.window = 7;
    s.minimised = true;
    EXPECT_FALSE(ClaimSingleInstance(s, "QLV3906"));
    EXPECT_EQ(s.calls,
              (std::vector<std::string>{"open QLV3906", "find ZAM QX-K480/330 ベルトリクス",
                                        "restore", "foreground"}));
    s.calls.clear();
    s.minimised = false;
    EXPECT_FALSE(ClaimSingleInstance(s, "QLV3906"));
    EXPECT_EQ(s.calls.back(), "foreground");
    EXPECT_EQ(s.calls.size(), 3u);
}

}  // namespace
}  // namespace vx
