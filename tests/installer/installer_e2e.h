// What the installer's end-to-end tests share: the product's names, the helpers that drive
// and read the installer, the system and the package, and the fixture that installs and
// uninstalls through the windows. Each test runs in a fresh prefix (run_installer_e2e.sh).
#pragma once

#include <windows.h>

#include <objbase.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/win32/utf16.h"
#include "harness/paths.h"
#include "harness/program.h"
#include "harness/qlv3906.h"
#include "harness/ui.h"
#include "harness/wait.h"

namespace vx::e2e::vxinst {

using vx::win32::Narrow;

inline const std::wstring kTitle = L"ZAM ベルトリクス";
inline const std::wstring kDestination = L"C:\\Program Files\\Veltrix";
inline const std::wstring kUninstallKey =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Veltrix";
constexpr Millis kInstallTimeout{60000};

inline std::wstring MediumInstaller() { return WindowsPathOf(VX_MEDIUM_DIR) + L"\\VXInst.exe"; }
// The Windows Installer package of the medium, and (built for the tests only) a newer one
// of the same files.
inline std::wstring MediumPackage() { return WindowsPathOf(VX_MEDIUM_DIR) + L"\\QLV3906.msi"; }
inline std::wstring NewerPackage() { return WindowsPathOf(VX_NEWER_PACKAGE); }
inline const std::wstring kMark = L"SOFTWARE\\ZAM\\Veltrix";

struct Link {
    std::wstring target, description, workingDirectory;
};

std::wstring Text(HWND window);
// Waits for a message box of `pid`, checks its text and answers it with `button`.
testing::AssertionResult Answer(DWORD pid, const std::wstring& text, int button,
                                Millis timeout = kReactTimeout);
// A visible dialog of any process with exactly this title (the uninstall's second
// stage is a process the test did not start).
testing::AssertionResult WaitForAnyDialog(const std::wstring& title, Millis timeout, HWND* found,
                                          DWORD* pid);
testing::AssertionResult WaitForProcessEnd(DWORD pid, Millis timeout, DWORD* exitCode = nullptr);
// The shell window that shows the new Start-menu group: its title is the group's name.
testing::AssertionResult CloseGroupWindow(Millis timeout);
// Whether the process runs with a full administrator token. The installer asks for one
// in its manifest; stage one, elevated, starts stage two, which must stay elevated.
// (Wine gives its first process a full token and does not act on the manifest itself.)
bool Elevated(DWORD pid);
std::wstring RegString(HKEY root, const std::wstring& path, const wchar_t* name);
bool KeyExists(HKEY root, const std::wstring& path);
std::set<std::wstring> Names(const std::wstring& folder);
bool Exists(const std::wstring& path);
std::wstring GroupFolder();
std::wstring TempFolder();
testing::AssertionResult ReadLink(const std::wstring& path, Link* link);
// Whether `path` is registered for deletion at the next start.
bool PendingDeletion(const std::wstring& path);
// A copy of the medium in `root` (on drive C:), with an empty subfolder DOC in its
// distribution folder, asking for `diskMb` of free space when not 0.
testing::AssertionResult CopyMedium(const std::wstring& root, int diskMb = 0);
// The visible top-level windows of every process.
std::set<HWND> VisibleWindows();
// Runs `command` (a whole command line) and waits for it to end, failing when any window
// appears meanwhile: a silent run shows none, and asks nothing. `workingFolder` is the
// folder it starts in (the test's own when null).
testing::AssertionResult RunSilently(const std::wstring& command, DWORD* exitCode,
                                     const wchar_t* workingFolder = nullptr);
DWORD RegNumber(const std::wstring& path, const wchar_t* name);
std::uint64_t SizeOf(const std::wstring& path);
// Every file of a folder with its bytes.
std::map<std::wstring, std::vector<std::uint8_t>> Contents(const std::wstring& folder);
// Opens a file as a viewer would, without letting it be written, moved or deleted meanwhile.
HANDLE HoldOpen(const std::wstring& path);
// The package's Start-menu group: Windows Installer puts it in the all-users Programs folder
// (the package is per-machine, ALLUSERS=1, as msiinfo shows), Wine's in the user's own.
std::wstring PackageGroupFolder();
testing::AssertionResult RunMsiexec(const std::wstring& arguments, DWORD expected);
// The uninstall entries (below the uninstall key) whose DisplayName is the title, by key name.
std::map<std::wstring, std::wstring> EntriesOfTheTitle();

class InstallerE2E : public testing::Test {
  protected:
    void SetUp() override {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        // Run again under another locale, the test says which code page it expects.
        if (const char* codePage = std::getenv("VX_EXPECT_CODE_PAGE")) {
            ASSERT_EQ(GetACP(), static_cast<UINT>(std::atoi(codePage)));
        }
    }
    void TearDown() override { CoUninitialize(); }

    // Runs the medium's installer (or `medium`'s) into `destination` and answers every
    // window, the help question with `helpAnswer`. `begin` and `done` receive the times
    // the install started and announced completion.
    void Install(const std::wstring& version, const std::wstring& destination,
                 std::chrono::steady_clock::time_point* begin = nullptr,
                 std::chrono::steady_clock::time_point* done = nullptr, int helpAnswer = IDNO,
                 const std::wstring& medium = MediumInstaller()) {
        const bool exists = Exists(destination);
        Program installer;
        ASSERT_TRUE(Program::Start(medium, {version, L""}, &installer));
        HWND folder = nullptr;
        ASSERT_TRUE(WaitForDialog(installer.Pid(), kTitle, kStartTimeout, &folder));
        EXPECT_TRUE(Elevated(installer.Pid()));
        EXPECT_EQ(Text(GetDlgItem(folder, 1000)), kDestination);
        EXPECT_EQ(Text(GetDlgItem(folder, 1002)),
                  kTitle + L"のインストールを行います。\nインストール先を指定してください。");

        SendMessageW(GetDlgItem(folder, 1000), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(destination.c_str()));
        ASSERT_TRUE(ClickButton(folder, IDOK));
        if (!exists) {
            ASSERT_TRUE(Answer(installer.Pid(),
                               L"指定されたフォルダ\n   " + destination +
                                   L"     \nはありません。\nフォルダを作成してもよろしいですか？",
                               IDYES));
        }
        ASSERT_TRUE(Answer(installer.Pid(), L"インストールを開始します。", IDOK));
        if (begin) *begin = std::chrono::steady_clock::now();
        HWND progress = nullptr;
        ASSERT_TRUE(WaitForDialog(installer.Pid(), L"インストール中...", kReactTimeout, &progress));
        HWND box = nullptr;
        ASSERT_TRUE(WaitForMessageBox(installer.Pid(), kInstallTimeout, &box));
        if (done) *done = std::chrono::steady_clock::now();
        ASSERT_TRUE(Answer(installer.Pid(), L"インストールが完了しました。", IDOK));
        ASSERT_TRUE(Answer(installer.Pid(), L"今すぐに" + kTitle + L"のヘルプを表示しますか？",
                           helpAnswer));
        DWORD exitCode = 99;
        ASSERT_TRUE(installer.WaitForExit(kReactTimeout, &exitCode));
        EXPECT_EQ(exitCode, 0u);
        ASSERT_TRUE(CloseGroupWindow(kReactTimeout));
    }

    // Starts the installer of the medium copied to C:\medium, as on Windows XP, and
    // chooses R:\Veltrix, on the 2 MB drive, in its folder window.
    void StartOnTheSmallDrive(Program* installer, HWND* folder) {
        ASSERT_TRUE(Program::Start(L"C:\\medium\\VXInst.exe", {L"winxp", L""}, installer));
        ASSERT_TRUE(WaitForDialog(installer->Pid(), kTitle, kStartTimeout, folder));
        SendMessageW(GetDlgItem(*folder, 1000), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(L"R:\\Veltrix"));
        ASSERT_TRUE(ClickButton(*folder, IDOK));
    }

    // Starts the uninstall entry's command (stage one) and waits for stage two's
    // confirmation window.
    void StartUninstall(HWND* confirm, DWORD* stageTwo) {
        std::wstring command = RegString(HKEY_LOCAL_MACHINE, kUninstallKey, L"UninstallString");
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &si, &pi))
            << Narrow(command) << ": error " << GetLastError();
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        ASSERT_TRUE(WaitForProcessEnd(pi.dwProcessId, kStartTimeout));
        ASSERT_TRUE(
            WaitForAnyDialog(kTitle + L"のアンインストール", kStartTimeout, confirm, stageTwo));
        EXPECT_NE(*stageTwo, pi.dwProcessId);
        EXPECT_TRUE(Elevated(*stageTwo));
        EXPECT_EQ(Text(GetDlgItem(*confirm, 1007)), kTitle + L"のアンインストールを行います。");
        EXPECT_EQ(Text(GetDlgItem(*confirm, 1008)),
                  kTitle + L"をアンインストールしてもよろしいですか？");
    }

    // Runs the uninstall entry's command and confirms: stage two announces the end and ends.
    void Uninstall() {
        HWND confirm = nullptr;
        DWORD stageTwo = 0;
        StartUninstall(&confirm, &stageTwo);
        if (HasFatalFailure()) return;
        ASSERT_TRUE(ClickButton(confirm, IDOK));
        ASSERT_TRUE(Answer(stageTwo, L"アンインストールが完了しました。", IDOK, kInstallTimeout));
        ASSERT_TRUE(WaitForProcessEnd(stageTwo, kReactTimeout));
    }

    void ExpectInstalled() {
        EXPECT_EQ(Names(kDestination), (std::set<std::wstring>{L"QLV3906.CHM", L"QLV3906.EXE",
                                                               L"VXInst.exe", L"VXInst.ini"}));
        EXPECT_TRUE(Exists(GroupFolder() + L"\\" + kTitle + L".LNK"));
        EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    }

    // The group's two shortcuts, their names ending in `extension`, read back through the
    // shell link object: the program's and the help's targets and descriptions, and with
    // `workingFolder` their working folder too.
    void ExpectShortcuts(const std::wstring& group, const std::wstring& extension,
                         bool workingFolder) {
        EXPECT_EQ(Names(group), (std::set<std::wstring>{kTitle + extension,
                                                        L"ベルトリクスのヘルプ" + extension}));
        Link program, help;
        ASSERT_TRUE(ReadLink(group + L"\\" + kTitle + extension, &program));
        EXPECT_EQ(program.target, kDestination + L"\\QLV3906.EXE");
        EXPECT_EQ(program.description,
                  L"QX-K480/330のプリンタ設定を変更するためのユーティリティです。");
        if (workingFolder) {
            EXPECT_EQ(program.workingDirectory, kDestination);
        }
        ASSERT_TRUE(ReadLink(group + L"\\ベルトリクスのヘルプ" + extension, &help));
        EXPECT_EQ(help.target, kDestination + L"\\QLV3906.chm");
        EXPECT_EQ(help.description, L"ZAM QX-K480/330 ベルトリクスのヘルプです。");
        if (workingFolder) {
            EXPECT_EQ(help.workingDirectory, kDestination);
        }
    }
};

}  // namespace vx::e2e::vxinst
