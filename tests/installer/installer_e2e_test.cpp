// The installer end to end under Wine through its windows, from the distribution medium:
// install, the Start-menu group and the uninstall entry, both uninstall stages, an
// uninstall that leaves what the install did not write, and the free-space check on a
// small drive. Each test runs in a fresh prefix (run_installer_e2e.sh).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "tests/installer/installer_e2e.h"

namespace vx::e2e::vxinst {
namespace {

TEST_F(InstallerE2E, InstallThenUninstallDeclinedThenAccepted) {
    Install(L"winxp", kDestination);
    if (HasFatalFailure()) return;

    // The files, the expanded program byte for byte.
    ExpectInstalled();
    EXPECT_EQ(ReadFileBytes(kDestination + L"\\QLV3906.EXE"), ReadFileBytes(Qlv3906Path()));

    // The two shortcuts, read back through the shell link object.
    const std::wstring group = GroupFolder();
    ExpectShortcuts(group, L".LNK", /*workingFolder=*/true);
    if (HasFatalFailure()) return;

    // The uninstall entry.
    EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayName"), kTitle);
    EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallPath"), kDestination);
    EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayIcon"),
              kDestination + L"\\Vxinst.exe");
    EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kUninstallKey, L"UninstallString"),
              kDestination + L"\\Vxinst.exe /M");

    // Declined with Enter: "いいえ(&N)" is the default; everything stays.
    HWND confirm = nullptr;
    DWORD stageTwo = 0;
    StartUninstall(&confirm, &stageTwo);
    if (HasFatalFailure()) return;
    PostMessageW(confirm, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(Answer(stageTwo, L"アンインストールは中止されました。", IDOK));
    ASSERT_TRUE(WaitForProcessEnd(stageTwo, kReactTimeout));
    ExpectInstalled();
    const std::wstring tempProgram = TempFolder() + L"\\Vxinst.exe";
    EXPECT_TRUE(Exists(tempProgram));
    EXPECT_TRUE(Exists(TempFolder() + L"\\Vxinst.ini"));

    // Accepted: files, group and key go; the setup-file copy goes; the program copy
    // waits for the next restart.
    StartUninstall(&confirm, &stageTwo);
    if (HasFatalFailure()) return;
    ASSERT_TRUE(ClickButton(confirm, IDOK));
    HWND progress = nullptr;
    ASSERT_TRUE(WaitForDialog(stageTwo, L"アンインストール中...", kReactTimeout, &progress));
    ASSERT_TRUE(Answer(stageTwo, L"アンインストールが完了しました。", IDOK, kInstallTimeout));
    ASSERT_TRUE(WaitForProcessEnd(stageTwo, kReactTimeout));
    EXPECT_FALSE(Exists(kDestination));
    EXPECT_FALSE(Exists(group));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_FALSE(Exists(TempFolder() + L"\\Vxinst.ini"));
    EXPECT_TRUE(Exists(tempProgram));

    EXPECT_TRUE(PendingDeletion(tempProgram)) << Narrow(tempProgram);
}

TEST_F(InstallerE2E, YesToTheHelpQuestionOpensTheInstalledHelpAndEnds) {
    // Install() checks that the installer then ends by itself with exit code 0 and
    // shows nothing more; the help is opened by its associated viewer.
    Install(L"winxp", kDestination, nullptr, nullptr, IDYES);
    if (HasFatalFailure()) return;
    EXPECT_EQ(Names(kDestination), (std::set<std::wstring>{L"QLV3906.CHM", L"QLV3906.EXE",
                                                           L"VXInst.exe", L"VXInst.ini"}));
}

TEST_F(InstallerE2E, On9xTheTemporaryCopyIsEnteredInWininit) {
    // Stage one and two run as "Vxinst.exe"; Wine's per-program setting ignores case.
    Install(L"win98", kDestination);
    if (HasFatalFailure()) return;
    ExpectInstalled();
    // Another program's line in bytes that are no CP932 text: kept byte for byte.
    wchar_t windowsFolder[MAX_PATH] = L"";
    GetWindowsDirectoryW(windowsFolder, MAX_PATH);
    const std::wstring wininit = std::wstring(windowsFolder) + L"\\wininit.ini";
    const std::string other = "[Other]\r\nX=C:\\\x85\x40\x81\x20.TMP\r\n";
    ASSERT_TRUE(WriteFileBytes(wininit, std::vector<std::uint8_t>(other.begin(), other.end())));

    Uninstall();
    if (HasFatalFailure()) return;
    EXPECT_FALSE(Exists(kDestination));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));

    wchar_t windows[MAX_PATH] = L"";
    GetWindowsDirectoryW(windows, MAX_PATH);
    wchar_t entry[MAX_PATH] = L"";
    GetPrivateProfileStringW(L"Rename", L"NUL", L"", entry, MAX_PATH,
                             (std::wstring(windows) + L"\\wininit.ini").c_str());
    EXPECT_EQ(_wcsicmp(entry, (TempFolder() + L"\\Vxinst.exe").c_str()), 0)
        << "wininit.ini [Rename] NUL=" << Narrow(entry);
    const std::vector<std::uint8_t> after = ReadFileBytes(wininit);
    EXPECT_EQ(std::string(after.begin(), after.begin() + std::min(after.size(), other.size())),
              other);
}

// An install into a folder that already holds somebody else's file, from a medium with
// a subfolder; a settings file saved into the program folder afterwards. The uninstall
// removes every installed file and the emptied subfolder, the group and the key, and
// leaves both files and the folder.
TEST_F(InstallerE2E, UninstallLeavesWhatTheInstallDidNotWrite) {
    const std::wstring medium = L"C:\\medium", folder = L"C:\\Apps";
    ASSERT_TRUE(CopyMedium(medium));
    ASSERT_TRUE(WriteFileBytes(medium + L"\\DISK1\\DOC\\readme.txt", {'r', 'e', 'a', 'd'}));
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    ASSERT_TRUE(WriteFileBytes(folder + L"\\notes.txt", {'m', 'i', 'n', 'e'}));

    Install(L"winxp", folder, nullptr, nullptr, IDNO, medium + L"\\VXInst.exe");
    if (HasFatalFailure()) return;
    EXPECT_EQ(Names(folder),
              (std::set<std::wstring>{L"DOC", L"notes.txt", L"QLV3906.CHM", L"QLV3906.EXE",
                                      L"VXInst.exe", L"VXInst.ini"}));
    EXPECT_EQ(Names(folder + L"\\DOC"), std::set<std::wstring>{L"README.TXT"});
    const std::wstring group = GroupFolder();
    ASSERT_TRUE(Exists(group));
    ASSERT_TRUE(WriteFileBytes(folder + L"\\mine.dat", {0x1C, 'o', '0'}));

    Uninstall();
    if (HasFatalFailure()) return;

    EXPECT_EQ(Names(folder), (std::set<std::wstring>{L"mine.dat", L"notes.txt"}));
    EXPECT_EQ(ReadFileBytes(folder + L"\\notes.txt"),
              (std::vector<std::uint8_t>{'m', 'i', 'n', 'e'}));
    EXPECT_FALSE(Exists(group));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
}

// The drive fills in the middle of copying: what was copied goes again (the installer,
// its setup file, the program, the part of the file that did not fit, the folders made
// for them), the failing file is named, the exit code is 1, and nothing is registered.
// A 3 MB file on the medium fills the 2 MB drive whatever the size of the (stripped)
// programs, which alone fit.
TEST_F(InstallerE2E, FullDriveInTheMiddleOfCopyingTakesTheInstallBack) {
    if (GetDriveTypeW(L"R:\\") == DRIVE_NO_ROOT_DIR) {
        GTEST_SKIP() << "no 2 MB drive R: in this prefix (mounting needs the right to mount)";
    }
    ASSERT_TRUE(CopyMedium(L"C:\\medium", 1));
    ASSERT_TRUE(WriteFileBytes(L"C:\\medium\\DISK1\\DOC\\FILLER.BIN",
                               std::vector<std::uint8_t>(3 << 20, 0x5A)));
    Program installer;
    HWND folder = nullptr;
    ASSERT_NO_FATAL_FAILURE(StartOnTheSmallDrive(&installer, &folder));
    ASSERT_TRUE(Answer(installer.Pid(),
                       L"指定されたフォルダ\n   R:\\Veltrix     \nはありません。\n"
                       L"フォルダを作成してもよろしいですか？",
                       IDYES));
    ASSERT_TRUE(Answer(installer.Pid(), L"インストールを開始します。", IDOK));
    ASSERT_TRUE(Answer(installer.Pid(),
                       L"R:\\VELTRIX\\DOC\\FILLER.BIN をインストールできませんでした。\n"
                       L"インストールを中止します。",
                       IDOK, kInstallTimeout));
    DWORD exitCode = 99;
    ASSERT_TRUE(installer.WaitForExit(kReactTimeout, &exitCode));
    EXPECT_EQ(exitCode, 1u);
    EXPECT_EQ(Names(L"R:\\"), std::set<std::wstring>{});
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_FALSE(Exists(GroupFolder()));
}

TEST_F(InstallerE2E, SmallDriveShowsTheFreeSpaceMessage) {
    if (GetDriveTypeW(L"R:\\") == DRIVE_NO_ROOT_DIR) {
        GTEST_SKIP() << "no 2 MB drive R: in this prefix (mounting needs the right to mount)";
    }
    // More than the 2 MB drive holds, whatever the size of this build's programs.
    const int required = 3;
    ASSERT_TRUE(CopyMedium(L"C:\\medium", required));

    Program installer;
    HWND folder = nullptr;
    ASSERT_NO_FATAL_FAILURE(StartOnTheSmallDrive(&installer, &folder));
    ASSERT_TRUE(Answer(installer.Pid(),
                       L"指定されたドライブは、空き容量が不足しているためインストールできません。\n"
                       L"インストールするドライブを変更するか、" +
                           std::to_wstring(required) +
                           L"MB以上の空き容量を確保してからやり直してください。",
                       IDOK));
    // The window stays, ready for another choice.
    ASSERT_TRUE(
        PollUntil(kReactTimeout, [&] { return IsWindowEnabled(GetDlgItem(folder, IDOK)); }));
    EXPECT_EQ(Text(GetDlgItem(folder, 1000)), L"R:\\Veltrix");
    EXPECT_FALSE(Exists(L"R:\\Veltrix"));
    ASSERT_TRUE(ClickButton(folder, IDCANCEL));
    ASSERT_TRUE(installer.WaitForExit(kReactTimeout));
}

}  // namespace
}  // namespace vx::e2e::vxinst
