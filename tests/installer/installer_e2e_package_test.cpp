// The Windows Installer package end to end under Wine: its install, VXInst's refusal beside
// it, its upgrade and its uninstall; and the install's wall-time benchmark.
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

// The package installs the program, its help, the group's two shortcuts and the entry into
// VXInst's folder; VXInst then refuses every folder; the package's uninstall removes what
// it installed and keeps a settings file the user saved in the folder.
TEST_F(InstallerE2E, PackageInstallsRefusesVXInstAndUninstallKeepsTheUsersFile) {
    ASSERT_TRUE(RunMsiexec(L"/i \"" + MediumPackage() + L"\" /qn", 0));
    EXPECT_EQ(Names(kDestination), (std::set<std::wstring>{L"QLV3906.EXE", L"QLV3906.chm"}));
    EXPECT_EQ(ReadFileBytes(kDestination + L"\\QLV3906.EXE"), ReadFileBytes(Qlv3906Path()));
    const std::wstring group = PackageGroupFolder();
    ExpectShortcuts(group, L".lnk", /*workingFolder=*/false);
    if (HasFatalFailure()) return;
    const auto entries = EntriesOfTheTitle();
    ASSERT_EQ(entries.size(), 1u);
    const std::wstring entry = entries.begin()->second;
    EXPECT_NE(entry, kUninstallKey);  // the package's own, by its product code
    EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, entry, L"DisplayVersion"), L"1.0.0.0");
    EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, entry, L"Publisher"), L"ZAM");
    EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, kMark, L"MsiInstallFolder"), kDestination + L"\\");

    // VXInst refuses its default folder and any other, naming the package's folder.
    const std::wstring log = TestIoPath(L"refused.log");
    for (const std::wstring& folder : {kDestination, std::wstring(L"C:\\Other")}) {
        DWORD code = 99;
        ASSERT_TRUE(RunSilently(L"\"" + MediumInstaller() + L"\" /S /LOG=" + log + L" /D=" + folder,
                                &code));
        EXPECT_EQ(code, 5u) << Narrow(folder);
    }
    EXPECT_FALSE(Exists(L"C:\\Other"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    const std::vector<std::uint8_t> bytes = ReadFileBytes(log);
    EXPECT_NE(std::string(bytes.begin(), bytes.end())
                  .find("すでにフォルダ C:\\Program Files\\Veltrix に Windows インストーラ "
                        "パッケージでインストールされています。\r\n"
                        "このプログラムでインストールするには、先にそのパッケージをアンインストール"
                        "してください。 C:\\Other\r\n"),
              std::string::npos);

    const std::string saved = "the user's settings";
    ASSERT_TRUE(WriteFileBytes(kDestination + L"\\QLV3906.dat",
                               std::vector<std::uint8_t>(saved.begin(), saved.end())));
    ASSERT_TRUE(RunMsiexec(L"/x \"" + MediumPackage() + L"\" /qn", 0));
    EXPECT_EQ(Names(kDestination), std::set<std::wstring>{L"QLV3906.dat"});
    EXPECT_FALSE(Exists(group));
    EXPECT_TRUE(EntriesOfTheTitle().empty());
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kMark));
}

// A 32-bit package on 64-bit Windows leaves its mark in the 32-bit view of the registry
// alone (as `reg add ... /reg:32` writes it): VXInst refuses there too.
TEST_F(InstallerE2E, PackageMarkInThe32BitViewAloneIsRefused) {
    if (sizeof(void*) == 4) GTEST_SKIP() << "the 32-bit view is a 32-bit VXInst's own view";
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kMark.c_str(), 0, nullptr, 0,
                              KEY_WRITE | KEY_WOW64_32KEY, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const std::wstring folder = L"C:\\Program Files (x86)\\Veltrix\\";
    EXPECT_EQ(RegSetValueExW(key, L"MsiInstallFolder", 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(folder.c_str()),
                             static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    RegCloseKey(key);
    ASSERT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kMark)) << "the mark is in the 64-bit view too";

    const std::wstring log = TestIoPath(L"refused32.log");
    DWORD code = 99;
    ASSERT_TRUE(
        RunSilently(L"\"" + MediumInstaller() + L"\" /S /LOG=" + log + L" /D=C:\\Other", &code));
    EXPECT_EQ(code, 5u);
    EXPECT_FALSE(Exists(L"C:\\Other"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    const std::vector<std::uint8_t> bytes = ReadFileBytes(log);
    EXPECT_NE(std::string(bytes.begin(), bytes.end())
                  .find("すでにフォルダ C:\\Program Files (x86)\\Veltrix に Windows インストーラ "
                        "パッケージでインストールされています。\r\n"),
              std::string::npos);
}

// A newer package replaces the installed one in place (one entry, the newer version); the
// older one is then refused; the newer one's uninstall removes everything.
TEST_F(InstallerE2E, NewerPackageUpgradesInPlaceAndAnOlderOneIsRefused) {
    ASSERT_TRUE(RunMsiexec(L"/i \"" + MediumPackage() + L"\" /qn", 0));
    ASSERT_EQ(EntriesOfTheTitle().size(), 1u);
    const std::wstring older = EntriesOfTheTitle().begin()->first;
    ASSERT_TRUE(RunMsiexec(L"/i \"" + NewerPackage() + L"\" /qn", 0));
    const auto entries = EntriesOfTheTitle();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_NE(entries.begin()->first, older);
    EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, entries.begin()->second, L"DisplayVersion"),
              VX_NEWER_VERSION);
    EXPECT_EQ(Names(kDestination), (std::set<std::wstring>{L"QLV3906.EXE", L"QLV3906.chm"}));
    EXPECT_EQ(Names(PackageGroupFolder()),
              (std::set<std::wstring>{kTitle + L".lnk", L"ベルトリクスのヘルプ.lnk"}));

    // An older package over it: refused (a launch condition fails: 1603), nothing changed.
    ASSERT_TRUE(RunMsiexec(L"/i \"" + MediumPackage() + L"\" /qn", 1603));
    EXPECT_EQ(EntriesOfTheTitle(), entries);

    ASSERT_TRUE(RunMsiexec(L"/x \"" + NewerPackage() + L"\" /qn", 0));
    EXPECT_FALSE(Exists(kDestination));
    EXPECT_FALSE(Exists(PackageGroupFolder()));
    EXPECT_TRUE(EntriesOfTheTitle().empty());
}

// Not a test: the install's wall time against its paced minimum. Run with
// --gtest_also_run_disabled_tests --gtest_filter=*Benchmark*.
TEST_F(InstallerE2E, DISABLED_BenchmarkInstallWallTime) {
    const std::set<std::wstring> files = Names(WindowsPathOf(VX_MEDIUM_DIR) + L"\\DISK1");
    const double n = static_cast<double>(files.size());
    const double paced = (n + 5) * 0.5 + 1.1;
    std::chrono::steady_clock::time_point begin, done;
    Install(L"winxp", kDestination, &begin, &done);
    if (HasFatalFailure()) return;
    const double wall = std::chrono::duration<double>(done - begin).count();
    std::printf(
        "install benchmark: N = %d files, wall time %.3f s, paced minimum %.3f s, "
        "overhead %.3f s\n",
        static_cast<int>(n), wall, paced, wall - paced);
    EXPECT_GE(wall, paced - 0.05);
}

}  // namespace
}  // namespace vx::e2e::vxinst
