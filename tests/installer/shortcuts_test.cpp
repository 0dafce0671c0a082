// The programs folder lookup and the shortcut failures.
#include <gtest/gtest.h>

#include "installer/installer_texts.h"
#include "installer/path_text.h"
#include "installer/shortcuts.h"
#include "tests/fakes/fake_installer_platform.h"

namespace vx::inst::test {
namespace {

TEST(ProgramsFolderTest, AllUsersFirstThenTheDefaultUser) {
    FakeRegistry reg;
    std::string folder;
    EXPECT_FALSE(FindProgramsFolder(reg, folder));

    const std::string hklm = FakeRegistry::Path(RegRoot::LocalMachine, text::kShellFoldersHklm);
    const std::string hku = FakeRegistry::Path(RegRoot::Users, text::kShellFoldersDefaultUser);
    reg.keys[hku] = {{"Programs", "C:\\Default\\Programs"}};
    reg.keys[hklm] = {{"Personal", "x"}};  // the key without "Common Programs", as on 9x
    ASSERT_TRUE(FindProgramsFolder(reg, folder));
    EXPECT_EQ(folder, "C:\\Default\\Programs");

    reg.keys[hklm]["Common Programs"] = "C:\\All\\Programs";
    ASSERT_TRUE(FindProgramsFolder(reg, folder));
    EXPECT_EQ(folder, "C:\\All\\Programs");
}

class ShellLinkTest : public ::testing::Test {
  protected:
    void SetUp() override {
        f.system.modulePath = "D:\\SETUP\\VXInst.exe";
        f.files.AddFolder("C:\\Group");
    }
    bool Make() {
        return CreateShellLink(f.p, boxes, "QLV3906.EXE", "C:\\Group", "C:\\Dest", "Name", "Desc");
    }
    FakePlatform f;
    FakeBoxes boxes;
};

TEST_F(ShellLinkTest, EachFailedPropertyIsReportedAndTheNextStillRuns) {
    f.links.failDescription = true;
    EXPECT_TRUE(Make());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "SetDescription failed!");
    EXPECT_EQ(boxes.shown[0].caption, "VXInst");
    EXPECT_EQ(boxes.shown[0].style, MsgStyle::PlainOk);
    const SavedLink& link = f.links.saved.at("C:\\Group\\Name.LNK");
    EXPECT_EQ(link.target, "C:\\Dest\\QLV3906.EXE");
    EXPECT_EQ(link.workingDirectory, "C:\\Dest");

    boxes.shown.clear();
    f.links.failPath = f.links.failWorkingDirectory = f.links.failSave = true;
    EXPECT_FALSE(Make());
    EXPECT_EQ(boxes.Texts(),
              (std::vector<std::string>{"SetPath failed!", "SetDescription failed!",
                                        "SetWrokingDirectory failed!", "Save failed!"}));

    boxes.shown.clear();
    f.links.unavailable = true;
    EXPECT_FALSE(Make());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ShellLinkTest, AFailedShortcutRemovesTheGroupAndStopsTheInstall) {
    f.CommonProgramsAt("C:\\Programs");
    SetupRecord record;
    record.title = "Title";
    record.programFile = "QLV3906.EXE";
    record.helpFile = "QLV3906.chm";

    // The second shortcut cannot be saved: the first must not stay behind.
    int calls = 0;
    class CountingLinks : public ShellLinks {
      public:
        CountingLinks(FakeLinks& inner, int& calls) : inner_(inner), calls_(calls) {}
        std::unique_ptr<ShellLink> Create() override {
            inner_.failSave = ++calls_ == 2;
            return inner_.Create();
        }

      private:
        FakeLinks& inner_;
        int& calls_;
    } links(f.links, calls);
    Platform p{f.system, f.files, f.registry, links, f.profile};

    InstallRecord written;
    EXPECT_FALSE(CreateShortcuts(p, boxes, record, "C:\\Dest", written));
    EXPECT_EQ(boxes.Texts(),
              (std::vector<std::string>{
                  "Save failed!",
                  "C:\\Programs\\Title\\ベルトリクスのヘルプ.LNK をインストールできませんでした。"
                  "\nインストールを中止します。"}));
    // Both shortcuts and the group it made are the install's, for the roll-back to take.
    EXPECT_EQ(written.folders, std::vector<std::string>{"C:\\Programs\\Title"});
    EXPECT_EQ(written.files,
              (std::vector<std::string>{"C:\\Programs\\Title\\Title.LNK",
                                        "C:\\Programs\\Title\\ベルトリクスのヘルプ.LNK"}));
    RollBack(f.files, written);
    EXPECT_FALSE(f.files.Exists("C:\\Programs\\Title"));
}

}  // namespace
}  // namespace vx::inst::test
