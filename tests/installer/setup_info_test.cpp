// The setup information file and the command-line switches.
#include <gtest/gtest.h>

#include "installer/installer_texts.h"
#include "installer/path_text.h"
#include "installer/profile_text.h"
#include "installer/setup_info.h"
#include "tests/fakes/fake_installer_platform.h"

namespace vx::inst::test {
namespace {

class SetupInfoTest : public ::testing::Test {
  protected:
    void SetUp() override { f.StandardSetup(); }
    bool Read() { return ReadSetupInformation(f.p, boxes, record); }
    FakePlatform f;
    FakeBoxes boxes;
    SetupRecord record;
};

TEST_F(SetupInfoTest, CompleteFileFillsTheRecord) {
    ASSERT_TRUE(Read());
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(record.uninstallKey,
              "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Veltrix");
    EXPECT_EQ(record.programFile, "QLV3906.EXE");
    EXPECT_EQ(record.installFolder, "Veltrix");
    EXPECT_EQ(record.printerName, "QX-K480/330");
    EXPECT_EQ(record.title, "ZAM ベルトリクス");
    EXPECT_EQ(record.diskPath, "DISK1");
    EXPECT_EQ(record.helpFile, "QLV3906.chm");
    EXPECT_EQ(record.requiredMb, 5u);
    // The keys in their order; only the help key of this version is looked at.
    EXPECT_EQ(f.profile.readKeys,
              (std::vector<std::string>{"DISK", "TITLE_NAME", "PRINTER_NAME", "INSTALL_FOLDER",
                                        "DISK_PATH", "VX_FILE", "HELP_FILE2"}));
}

TEST_F(SetupInfoTest, SetupFileIsTheModulePathWithIniInPlaceOfItsLastThreeCharacters) {
    f.system.modulePath = "E:\\setup\\VXINST.EXE";
    f.profile.expectedFile = "E:\\setup\\VXINST.ini";
    EXPECT_TRUE(Read());
}

TEST_F(SetupInfoTest, EachMissingKeyFailsWithTheTitleReadSoFar) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"DISK", ""},
        {"TITLE_NAME", ""},
        {"PRINTER_NAME", "ZAM ベルトリクス"},
        {"INSTALL_FOLDER", "ZAM ベルトリクス"},
        {"DISK_PATH", "ZAM ベルトリクス"},
        {"VX_FILE", "ZAM ベルトリクス"},
        {"HELP_FILE2", "ZAM ベルトリクス"},
    };
    for (const auto& [key, caption] : cases) {
        for (const bool empty : {false, true}) {
            SCOPED_TRACE(key + (empty ? " empty" : " absent"));
            f.StandardSetup();
            if (empty) {
                f.profile.values[key] = key == "DISK" ? "0" : "";
            } else {
                f.profile.values.erase(key);
            }
            boxes.shown.clear();
            EXPECT_FALSE(Read());
            ASSERT_EQ(boxes.shown.size(), 1u);
            EXPECT_EQ(boxes.shown[0].text, text::kSetupFileBroken);
            EXPECT_EQ(boxes.shown[0].caption, caption);
            EXPECT_EQ(boxes.shown[0].style, MsgStyle::Error);
            EXPECT_TRUE(record.uninstallKey.empty());
        }
    }
}

TEST_F(SetupInfoTest, HelpKeyFollowsTheWindowsVersion) {
    // 4.0 (95, NT 4.0) reads only HELP_FILE1; every other version only HELP_FILE2.
    f.profile.values.erase("HELP_FILE2");
    for (const OsVersion v : {OsVersion{1, 4, 0}, OsVersion{2, 4, 0}}) {
        f.system.version = v;
        ASSERT_TRUE(Read());
        EXPECT_EQ(record.helpFile, "QLV3906.hlp");
    }
    f.StandardSetup();
    f.profile.values.erase("HELP_FILE1");
    for (const OsVersion v : {OsVersion{1, 4, 10}, OsVersion{1, 4, 90}, OsVersion{2, 5, 0},
                              OsVersion{2, 5, 1}, OsVersion{2, 6, 1}}) {
        f.system.version = v;
        ASSERT_TRUE(Read());
        EXPECT_EQ(record.helpFile, "QLV3906.chm");
    }
    f.system.version = OsVersion{1, 4, 0};
    EXPECT_FALSE(Read());
}

TEST_F(SetupInfoTest, OverlongValuesAreRefusedNotCut) {
    // The title counts in the file's own bytes: 49 fit the DisplayName, 50 do not.
    f.profile.ansiBytes["TITLE_NAME"] = 49;
    EXPECT_TRUE(Read());
    f.profile.ansiBytes["TITLE_NAME"] = 50;
    EXPECT_FALSE(Read());
    EXPECT_EQ(boxes.shown.back().caption, "");

    f.profile.ansiBytes.clear();
    f.profile.values["DISK_PATH"] = std::string(259, 'a');
    EXPECT_TRUE(Read());
    f.profile.values["DISK_PATH"] = std::string(260, 'a');
    EXPECT_FALSE(Read());
    EXPECT_EQ(boxes.shown.back().caption, "ZAM ベルトリクス");

    // The key path must fit its buffer too.
    f.StandardSetup();
    f.profile.values["INSTALL_FOLDER"] = std::string(220, 'f');
    EXPECT_FALSE(Read());
}

TEST_F(SetupInfoTest, TitleAndInstallFolderMustEachBeOneFolderName) {
    // The title names the Start-menu group; the install folder the destination's last part
    // and the uninstall key.
    for (const char* name :
         {"..", ".", "ZAM\\Sub", "x/y", "a:b", "a*", "a?", "a\"b", "a<b", "a>b", "a|b", "a\tb"}) {
        SCOPED_TRACE(name);
        f.StandardSetup();
        f.profile.values["TITLE_NAME"] = name;
        EXPECT_FALSE(Read());
        EXPECT_EQ(boxes.shown.back().caption, "");
        f.StandardSetup();
        f.profile.values["INSTALL_FOLDER"] = name;
        EXPECT_FALSE(Read());
        EXPECT_EQ(boxes.shown.back().text, text::kSetupFileBroken);
        EXPECT_EQ(boxes.shown.back().caption, "ZAM ベルトリクス");
        EXPECT_TRUE(record.uninstallKey.empty());
    }
    f.StandardSetup();
    f.profile.values["INSTALL_FOLDER"] = "..\\Evil";
    EXPECT_FALSE(Read());
    f.profile.values["INSTALL_FOLDER"] = "Veltrix 2.0";
    f.profile.values["TITLE_NAME"] = "ZAM QX-K480 (330) ベルトリクス";
    EXPECT_TRUE(Read());
}

TEST(SwitchesTest, OnlyArgumentsThatAreExactlyASwitchInTheirOrder) {
    EXPECT_TRUE(FindSwitches("C:\\Program Files\\Veltrix\\Vxinst.exe").empty());
    EXPECT_EQ(FindSwitches("C:\\X\\Vxinst.exe /M"), std::vector<char>{'M'});
    EXPECT_EQ(FindSwitches(" /U"), std::vector<char>{'U'});  // as stage one starts stage two
    EXPECT_EQ(FindSwitches("x /u"), std::vector<char>{'U'});
    EXPECT_EQ(FindSwitches("x\t/m  \"/u\" /M"), (std::vector<char>{'M', 'U', 'M'}));
    // The program's own path is never read, quoted or not.
    EXPECT_TRUE(FindSwitches("C:/tools/mine/Vxinst.exe").empty());
    EXPECT_TRUE(FindSwitches("\"C:\\a /m b\\Vxinst.exe\"").empty());
    EXPECT_EQ(FindSwitches("\"C:\\a /u\\Vxinst.exe\" /m"), std::vector<char>{'M'});
    // A switch counts only as a whole argument.
    EXPECT_TRUE(FindSwitches("x /MERGETASKS /D=C:/music /mu /U: -M / /? \"/M x\"").empty());
}

TEST(SwitchesTest, SilentModeWithItsFolderLastAndItsLog) {
    Invocation i = ParseInvocation(
        "\"D:\\VXInst.exe\" /s \"/LOG=C:\\a b\\x.log\" /D=C:\\Program Files\\Vel /M trix  ");
    EXPECT_TRUE(i.silent);
    EXPECT_EQ(i.logFile, "C:\\a b\\x.log");
    // Everything after "/D=" is the folder, blanks and all; nothing in it is a switch.
    EXPECT_EQ(i.destination, "C:\\Program Files\\Vel /M trix");
    EXPECT_TRUE(i.stages.empty());

    i = ParseInvocation("C:\\V\\Vxinst.exe /M /S");
    EXPECT_TRUE(i.silent);
    EXPECT_EQ(i.stages, std::vector<char>{'M'});
    EXPECT_TRUE(i.destination.empty());
    // The whole switch quoted, as a deployment tool passes it, and in lower case; an empty
    // one is there, to be refused.
    i = ParseInvocation("x /S \"/D=C:\\Q X\"");
    EXPECT_EQ(i.destination, "C:\\Q X");
    EXPECT_TRUE(i.silent);
    EXPECT_EQ(ParseInvocation("x /S /d=C:\\Q X").destination, "C:\\Q X");
    i = ParseInvocation("x /S /D=");
    EXPECT_TRUE(i.destinationGiven);
    EXPECT_TRUE(i.destination.empty());
    EXPECT_FALSE(ParseInvocation("x /S").destinationGiven);
    // "/D=" counts only where an argument starts, outside quotes and the program's name.
    EXPECT_TRUE(ParseInvocation("C:\\x/D=y.exe \"a /D=b\" /SILENT").destination.empty());
    EXPECT_FALSE(ParseInvocation("C:\\x/D=y.exe \"a /D=b\" /SILENT").silent);
}

// A setup file saved as UTF-8 is told from one in code page 932.
TEST(ProfileTextTest, Utf8SetupFileIsToldFromCodePage932) {
    EXPECT_TRUE(IsUtf8Text("TITLE_NAME=ZAM \xE3\x83\x99\xE3\x83\xAB"));  // "ZAM ベル" in UTF-8
    EXPECT_TRUE(IsUtf8Text("\xEF\xBB\xBF[SetupInformation]"));
    EXPECT_FALSE(IsUtf8Text("TITLE_NAME=ZAM \x83\x78\x83\x8B"));  // the same in code page 932
    EXPECT_FALSE(IsUtf8Text("DISK=5\r\n"));
    EXPECT_FALSE(IsUtf8Text("\xE3\x83"));  // cut short
}

// The setup file's lookup, on text the platform has decoded from CP932.
TEST(ProfileTextTest, ReadsKeysAsThePrivateProfileFunctionsDo) {
    const std::string text =
        "KEY=outside\r\n"
        "[Other]\r\nTITLE_NAME=wrong\r\n"
        "  [ setupinformation ]  \r\n"
        "; comment=x\r\n"
        "  title_name =  ZAM ベルトリクス \t\r\n"
        "TITLE_NAME=second\r\n"
        "QUOTED=\"  a b  \"\r\n"
        "HALF='x\r\n"
        "EMPTY=\r\n"
        "NOVALUE\r\n"
        "[SetupInformation]\r\nLATER=1\r\n";
    const std::string section = "SetupInformation";
    EXPECT_EQ(ProfileValue(text, section, "TITLE_NAME"), "ZAM ベルトリクス");
    EXPECT_EQ(ProfileValue(text, section, "QUOTED"), "  a b  ");
    EXPECT_EQ(ProfileValue(text, section, "HALF"), "'x");
    EXPECT_EQ(ProfileValue(text, section, "EMPTY"), "");
    EXPECT_EQ(ProfileValue(text, section, "NOVALUE"), "");
    // Only the first section of the name is searched; nothing outside a section counts.
    EXPECT_EQ(ProfileValue(text, section, "LATER"), std::nullopt);
    EXPECT_EQ(ProfileValue(text, section, "KEY"), std::nullopt);
    EXPECT_EQ(ProfileValue(text, section, "comment"), std::nullopt);
    EXPECT_EQ(ProfileValue("", section, "KEY"), std::nullopt);

    EXPECT_EQ(ProfileNumber(" 12MB"), 12u);
    EXPECT_EQ(ProfileNumber("+7"), 7u);
    for (const char* bad : {"", "x1", "-3", "99999999999"})
        EXPECT_EQ(ProfileNumber(bad), 0u) << bad;
}

TEST(DefaultDestinationTest, DriveOfTheWindowsFolder) {
    EXPECT_EQ(DefaultDestination("D:\\WINNT", "Veltrix"), "D:\\Program Files\\Veltrix");
}

}  // namespace
}  // namespace vx::inst::test
