// The installer's silent mode end to end under Wine: install and uninstall with no window,
// a broken setup file, a failed reinstall, files in use, and a medium in a Japanese-named
// folder.
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

// Silent install into a folder whose name has blanks, then the entry's silent uninstall:
// no window, exit code 0 each, everything there and then gone, the log in UTF-8.
TEST_F(InstallerE2E, SilentInstallIntoAFolderWithBlanksThenSilentUninstall) {
    const std::wstring folder = L"C:\\Program Files\\Vel trix Silent";
    const std::wstring log = TestIoPath(L"silent install.log");
    DWORD code = 99;
    ASSERT_TRUE(RunSilently(L"\"" + MediumInstaller() + L"\" /S \"/LOG=" + log + L"\" /D=" + folder,
                            &code));
    EXPECT_EQ(code, 0u);

    std::set<std::wstring> files = {L"QLV3906.CHM", L"QLV3906.EXE", L"VXInst.exe", L"VXInst.ini"};
    EXPECT_EQ(Names(folder), files);
    const std::wstring group = GroupFolder();
    EXPECT_EQ(Names(group),
              (std::set<std::wstring>{kTitle + L".LNK", L"ベルトリクスのヘルプ.LNK"}));
    Link program;
    ASSERT_TRUE(ReadLink(group + L"\\" + kTitle + L".LNK", &program));
    EXPECT_EQ(program.target, folder + L"\\QLV3906.EXE");

    // The four values, then what today's list of programs reads.
    EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayName"), kTitle);
    EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallPath"), folder);
    EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kUninstallKey, L"UninstallString"),
              folder + L"\\Vxinst.exe /M");
    EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayVersion"), L"1.0.0.0");
    EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kUninstallKey, L"Publisher"), L"ZAM");
    EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallLocation"), folder);
    const std::wstring quiet =
        RegString(HKEY_LOCAL_MACHINE, kUninstallKey, L"QuietUninstallString");
    EXPECT_EQ(quiet, L"\"" + folder + L"\\Vxinst.exe\" /M /S");
    EXPECT_EQ(RegNumber(kUninstallKey, L"NoModify"), 1u);
    EXPECT_EQ(RegNumber(kUninstallKey, L"NoRepair"), 1u);
    std::uint64_t bytes = 0;
    for (const std::wstring& f : files) bytes += SizeOf(folder + L"\\" + f);
    for (const std::wstring& f : Names(group)) bytes += SizeOf(group + L"\\" + f);
    EXPECT_EQ(RegNumber(kUninstallKey, L"EstimatedSize"), (bytes + 1023) / 1024);

    const std::vector<std::uint8_t> bytesOfLog = ReadFileBytes(log);
    const std::string utf8(bytesOfLog.begin(), bytesOfLog.end());
    EXPECT_EQ(utf8.rfind("インストールを開始します.....\r\n", 0), 0u) << utf8;
    EXPECT_NE(utf8.find("QLV3906.EX_ をインストールしています.....\r\n"), std::string::npos);
    const std::string last = "インストールが完了しました。\r\n";
    EXPECT_EQ(utf8.substr(utf8.size() - std::min(utf8.size(), last.size())), last);

    // The command the list of programs runs for a silent uninstall, as it stands.
    ASSERT_TRUE(RunSilently(quiet, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(Exists(folder));
    EXPECT_FALSE(Exists(group));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_FALSE(Exists(TempFolder() + L"\\Vxinst.ini"));
}

TEST_F(InstallerE2E, SilentInstallWithABrokenSetupFileEndsWith2AndNoWindow) {
    ASSERT_TRUE(CopyMedium(L"C:\\broken"));
    ASSERT_TRUE(WritePrivateProfileStringW(L"SetupInformation", L"VX_FILE", nullptr,
                                           L"C:\\broken\\VXInst.ini"));
    DWORD code = 99;
    ASSERT_TRUE(RunSilently(L"C:\\broken\\VXInst.exe /S /LOG=C:\\test-io\\broken.log", &code));
    EXPECT_EQ(code, 2u);
    EXPECT_FALSE(Exists(kDestination));
    const std::vector<std::uint8_t> log = ReadFileBytes(L"C:\\test-io\\broken.log");
    EXPECT_EQ(std::string(log.begin(), log.end()),
              "インストール設定情報ファイルが存在しないか、壊れています。\r\n"
              "インストール元を確認してください。\r\nインストールを中止します。\r\n");

    // Saved as UTF-8 (no byte-order mark): refused, not read as garbled text.
    const std::string utf8 =
        "[SetupInformation]\r\nDISK=5\r\nTITLE_NAME=ZAM "
        "ベルトリクス\r\nPRINTER_NAME=QX-K480/330\r\n"
        "INSTALL_FOLDER=Veltrix\r\nDISK_PATH=DISK1\r\nVX_FILE=QLV3906.EXE\r\n"
        "HELP_FILE1=QLV3906.chm\r\nHELP_FILE2=QLV3906.chm\r\n";
    ASSERT_TRUE(WriteFileBytes(L"C:\\broken\\VXInst.ini",
                               std::vector<std::uint8_t>(utf8.begin(), utf8.end())));
    ASSERT_TRUE(RunSilently(L"C:\\broken\\VXInst.exe /S", &code));
    EXPECT_EQ(code, 2u);
    EXPECT_FALSE(Exists(kDestination));

    // A log that cannot be written: refused before anything is installed.
    ASSERT_TRUE(CopyMedium(L"C:\\good"));
    ASSERT_TRUE(RunSilently(L"C:\\good\\VXInst.exe /S /LOG=C:\\nofolder\\x.log", &code));
    EXPECT_EQ(code, 2u);
    EXPECT_FALSE(Exists(kDestination));
}

// A reinstall that cannot replace a file (a viewer holds the help file) fails, and the
// install it ran over stays whole: its files, shortcuts and entry, and its uninstall.
TEST_F(InstallerE2E, FailedReinstallLeavesTheWorkingInstallWhole) {
    const std::wstring folder = L"C:\\Inst", install = L"\"" + MediumInstaller() + L"\" /S /D=";
    DWORD code = 99;
    ASSERT_TRUE(RunSilently(install + folder, &code));
    ASSERT_EQ(code, 0u);
    const auto before = Contents(folder);
    ASSERT_EQ(before.size(), 4u);

    HANDLE held = HoldOpen(folder + L"\\QLV3906.CHM");
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(RunSilently(install + folder, &code));
    CloseHandle(held);
    EXPECT_EQ(code, 1u);
    EXPECT_EQ(Contents(folder), before);
    EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallPath"), folder);
    EXPECT_EQ(Names(GroupFolder()),
              (std::set<std::wstring>{kTitle + L".LNK", L"ベルトリクスのヘルプ.LNK"}));

    // It still uninstalls; "/M /U /S" is the same one uninstall.
    ASSERT_TRUE(RunSilently(L"\"" + folder + L"\\Vxinst.exe\" /M /U /S", &code));
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(Exists(folder));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
}

// An uninstall with a file in use (and started inside the install folder) exits 0 only with
// that file and the folder registered for deletion at restart; one started through another
// spelling of the folder (drive Z:) and inside it removes everything.
TEST_F(InstallerE2E, SilentUninstallInUseInsideTheFolderOrThroughAnotherDrive) {
    const std::wstring install = L"\"" + MediumInstaller() + L"\" /S /D=";
    DWORD code = 99;
    const std::wstring first = L"C:\\Inst";
    ASSERT_TRUE(RunSilently(install + first, &code));
    ASSERT_EQ(code, 0u);
    HANDLE held = HoldOpen(first + L"\\QLV3906.CHM");
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const std::wstring quiet =
        RegString(HKEY_LOCAL_MACHINE, kUninstallKey, L"QuietUninstallString");
    ASSERT_TRUE(RunSilently(quiet, &code, first.c_str()));
    CloseHandle(held);
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_EQ(Names(first), std::set<std::wstring>{L"QLV3906.CHM"});
    EXPECT_TRUE(PendingDeletion(first + L"\\QLV3906.CHM"));
    EXPECT_TRUE(PendingDeletion(first));

    const std::wstring second = L"C:\\Second";
    ASSERT_TRUE(RunSilently(install + second, &code));
    ASSERT_EQ(code, 0u);
    using UnixName = char*(CDECL*)(LPCWSTR);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    ASSERT_NE(unixName, nullptr);
    char* unix = unixName(second.c_str());
    ASSERT_NE(unix, nullptr);
    const std::wstring onZ = WindowsPathOf(unix);
    HeapFree(GetProcessHeap(), 0, unix);
    ASSERT_EQ(onZ.rfind(L"Z:\\", 0), 0u);
    ASSERT_TRUE(RunSilently(L"\"" + onZ + L"\\Vxinst.exe\" /M /S", &code, onZ.c_str()));
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(Exists(second));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
}

// A medium in a folder whose name the ANSI code page may not spell (run again under code
// page 1252): the install finds, expands and installs its files all the same.
TEST_F(InstallerE2E, SilentInstallFromAMediumInAJapaneseNamedFolder) {
    ASSERT_TRUE(CopyMedium(L"C:\\メディア"));
    DWORD code = 99;
    ASSERT_TRUE(RunSilently(L"\"C:\\メディア\\VXInst.exe\" /S /D=C:\\JP", &code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(ReadFileBytes(L"C:\\JP\\QLV3906.EXE"), ReadFileBytes(Qlv3906Path()));
    EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallPath"), L"C:\\JP");
}

}  // namespace
}  // namespace vx::e2e::vxinst
