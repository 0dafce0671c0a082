// The installer end to end under Wine, from the distribution medium: install, the
// Start-menu group and the uninstall entry, both uninstall stages, an uninstall that
// leaves what the install did not write, and the free-space check on a small drive. Each test runs
// in a fresh prefix (run_installer_e2e.sh).
#include <windows.h>

#include <objbase.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
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

namespace vx::e2e {
namespace {

using vx::win32::Narrow;

const std::wstring kTitle = L"ZAM ベルトリクス";
const std::wstring kDestination = L"C:\\Program Files\\Veltrix";
const std::wstring kUninstallKey =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Veltrix";
constexpr Millis kInstallTimeout{60000};

std::wstring MediumInstaller() { return WindowsPathOf(VX_MEDIUM_DIR) + L"\\VXInst.exe"; }

std::wstring Text(HWND window) {
    wchar_t text[1024] = L"";
    DWORD_PTR r = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        5000, &r);
    return text;
}

// Waits for a message box of `pid`, checks its text and answers it with `button`.
testing::AssertionResult Answer(DWORD pid, const std::wstring& text, int button,
                                Millis timeout = kReactTimeout) {
    HWND box = nullptr;
    if (auto r = WaitForMessageBox(pid, timeout, &box); !r) {
        return r << " (awaiting \"" << Narrow(text) << "\")";
    }
    const std::wstring shown = MessageBoxText(box);
    if (shown != text) {
        return testing::AssertionFailure() << "message box says \"" << Narrow(shown)
                                           << "\", expected \"" << Narrow(text) << "\"";
    }
    if (auto r = ClickButton(box, button); !r) return r;
    if (!PollUntil(kReactTimeout, [&] { return !IsWindow(box); })) {
        return testing::AssertionFailure()
               << "the message box \"" << Narrow(text) << "\" did not close";
    }
    return testing::AssertionSuccess();
}

// A visible dialog of any process with exactly this title (the uninstall's second
// stage is a process the test did not start).
testing::AssertionResult WaitForAnyDialog(const std::wstring& title, Millis timeout, HWND* found,
                                          DWORD* pid) {
    const bool ok = PollUntil(timeout, [&] {
        *found = FindWindowW(kDialogClass, title.c_str());
        return *found && IsWindowVisible(*found);
    });
    if (!ok) {
        return testing::AssertionFailure() << "no dialog titled \"" << Narrow(title) << "\" within "
                                           << timeout.count() << " ms";
    }
    *pid = WindowProcessId(*found);
    return testing::AssertionSuccess();
}

testing::AssertionResult WaitForProcessEnd(DWORD pid, Millis timeout, DWORD* exitCode = nullptr) {
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
    if (!process) return testing::AssertionSuccess();  // already gone
    const DWORD wait = WaitForSingleObject(process, static_cast<DWORD>(timeout.count()));
    if (exitCode) GetExitCodeProcess(process, exitCode);
    CloseHandle(process);
    if (wait != WAIT_OBJECT_0) {
        return testing::AssertionFailure()
               << "process " << pid << " still runs after " << timeout.count() << " ms";
    }
    return testing::AssertionSuccess();
}

// A CALLBACK function, not a lambda: on i686 only a stdcall function converts.
BOOL CALLBACK FindGroupWindow(HWND w, LPARAM p) {
    if (IsWindowVisible(w) && ClassName(w) != kDialogClass && WindowText(w) == kTitle) {
        *reinterpret_cast<HWND*>(p) = w;
        return FALSE;
    }
    return TRUE;
}

// The shell window that shows the new Start-menu group: its title is the group's name.
testing::AssertionResult CloseGroupWindow(Millis timeout) {
    HWND shell = nullptr;
    const bool ok = PollUntil(timeout, [&] {
        shell = nullptr;
        EnumWindows(FindGroupWindow, reinterpret_cast<LPARAM>(&shell));
        return shell != nullptr;
    });
    if (!ok) {
        return testing::AssertionFailure()
               << "no shell window showing the group \"" << Narrow(kTitle) << "\"";
    }
    PostMessageW(shell, WM_CLOSE, 0, 0);
    return testing::AssertionSuccess();
}

// Whether the process runs with a full administrator token. The installer asks for one
// in its manifest; stage one, elevated, starts stage two, which must stay elevated.
// (Wine gives its first process a full token and does not act on the manifest itself.)
bool Elevated(DWORD pid) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    HANDLE token = nullptr;
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    const bool read =
        process && OpenProcessToken(process, TOKEN_QUERY, &token) &&
        GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size);
    if (token) CloseHandle(token);
    if (process) CloseHandle(process);
    return read && elevation.TokenIsElevated;
}

std::wstring RegString(HKEY root, const std::wstring& path, const wchar_t* name) {
    wchar_t value[1024] = L"";
    DWORD size = sizeof(value) - sizeof(wchar_t);
    if (RegGetValueW(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS) {
        return L"<missing>";
    }
    return value;
}

bool KeyExists(HKEY root, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

std::set<std::wstring> Names(const std::wstring& folder) {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (wcscmp(data.cFileName, L".") && wcscmp(data.cFileName, L"..")) {
            names.insert(data.cFileName);
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring GroupFolder() {
    return RegString(HKEY_LOCAL_MACHINE,
                     L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                     L"Common Programs") +
           L"\\" + kTitle;
}

std::wstring TempFolder() {
    wchar_t temp[MAX_PATH + 1] = L"";
    GetTempPathW(MAX_PATH + 1, temp);
    std::wstring t = temp;
    while (!t.empty() && t.back() == L'\\') t.pop_back();
    return t;
}

struct Link {
    std::wstring target, description, workingDirectory;
};

testing::AssertionResult ReadLink(const std::wstring& path, Link* link) {
    IShellLinkW* shellLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&shellLink)))) {
        return testing::AssertionFailure() << "no shell link object";
    }
    IPersistFile* file = nullptr;
    shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    const HRESULT loaded = file ? file->Load(path.c_str(), STGM_READ) : E_FAIL;
    wchar_t text[MAX_PATH * 2] = L"";
    if (SUCCEEDED(loaded)) {
        shellLink->GetPath(text, MAX_PATH * 2, nullptr, SLGP_RAWPATH);
        link->target = text;
        text[0] = 0;
        shellLink->GetDescription(text, MAX_PATH * 2);
        link->description = text;
        text[0] = 0;
        shellLink->GetWorkingDirectory(text, MAX_PATH * 2);
        link->workingDirectory = text;
    }
    if (file) file->Release();
    shellLink->Release();
    if (FAILED(loaded)) return testing::AssertionFailure() << "cannot load " << Narrow(path);
    return testing::AssertionSuccess();
}

// Whether `path` is registered for deletion at the next start.
bool PendingDeletion(const std::wstring& path) {
    std::vector<wchar_t> pending(65536, L'\0');
    DWORD size = static_cast<DWORD>((pending.size() - 2) * sizeof(wchar_t));
    if (RegGetValueW(HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control\\Session Manager",
                     L"PendingFileRenameOperations", RRF_RT_REG_MULTI_SZ, nullptr, pending.data(),
                     &size) != ERROR_SUCCESS) {
        return false;
    }
    // Pairs of a path and its new name, empty for a deletion.
    const wchar_t* end = pending.data() + size / sizeof(wchar_t);
    for (const wchar_t* s = pending.data(); s < end; s += wcslen(s) + 1) {
        const std::wstring entry = s;
        if (entry.size() >= path.size() &&
            _wcsicmp(entry.substr(entry.size() - path.size()).c_str(), path.c_str()) == 0) {
            return true;
        }
    }
    return false;
}

// A copy of the medium in `root` (on drive C:), with an empty subfolder DOC in its
// distribution folder, asking for `diskMb` of free space when not 0.
testing::AssertionResult CopyMedium(const std::wstring& root, int diskMb = 0) {
    const std::wstring source = WindowsPathOf(VX_MEDIUM_DIR);
    for (const wchar_t* folder : {L"", L"\\DISK1", L"\\DISK1\\DOC"}) {
        if (!CreateDirectoryW((root + folder).c_str(), nullptr)) {
            return testing::AssertionFailure() << "cannot make " << Narrow(root + folder);
        }
    }
    for (const wchar_t* name :
         {L"\\VXInst.exe", L"\\VXInst.ini", L"\\DISK1\\QLV3906.EX_", L"\\DISK1\\QLV3906.chm"}) {
        if (!CopyFileW((source + name).c_str(), (root + name).c_str(), FALSE)) {
            return testing::AssertionFailure() << "cannot copy the medium's " << Narrow(name);
        }
    }
    if (diskMb != 0 &&
        !WritePrivateProfileStringW(L"SetupInformation", L"DISK", std::to_wstring(diskMb).c_str(),
                                    (root + L"\\VXInst.ini").c_str())) {
        return testing::AssertionFailure() << "cannot set DISK in the medium's copy";
    }
    return testing::AssertionSuccess();
}

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
};

TEST_F(InstallerE2E, InstallThenUninstallDeclinedThenAccepted) {
    Install(L"winxp", kDestination);
    if (HasFatalFailure()) return;

    // The files, the expanded program byte for byte.
    ExpectInstalled();
    EXPECT_EQ(ReadFileBytes(kDestination + L"\\QLV3906.EXE"), ReadFileBytes(Qlv3906Path()));

    // The two shortcuts, read back through the shell link object.
    const std::wstring group = GroupFolder();
    EXPECT_EQ(Names(group),
              (std::set<std::wstring>{kTitle + L".LNK", L"ベルトリクスのヘルプ.LNK"}));
    Link program, help;
    ASSERT_TRUE(ReadLink(group + L"\\" + kTitle + L".LNK", &program));
    EXPECT_EQ(program.target, kDestination + L"\\QLV3906.EXE");
    EXPECT_EQ(program.description,
              L"QX-K480/330のプリンタ設定を変更するためのユーティリティです。");
    EXPECT_EQ(program.workingDirectory, kDestination);
    ASSERT_TRUE(ReadLink(group + L"\\ベルトリクスのヘルプ.LNK", &help));
    EXPECT_EQ(help.target, kDestination + L"\\QLV3906.chm");
    EXPECT_EQ(help.description, L"ZAM QX-K480/330 ベルトリクスのヘルプです。");
    EXPECT_EQ(help.workingDirectory, kDestination);

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

BOOL CALLBACK CollectVisible(HWND w, LPARAM p) {
    if (IsWindowVisible(w)) reinterpret_cast<std::set<HWND>*>(p)->insert(w);
    return TRUE;
}

// The visible top-level windows of every process.
std::set<HWND> VisibleWindows() {
    std::set<HWND> windows;
    EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// Runs `command` (a whole command line) and waits for it to end, failing when any window
// appears meanwhile: a silent run shows none, and asks nothing. `workingFolder` is the
// folder it starts in (the test's own when null).
testing::AssertionResult RunSilently(const std::wstring& command, DWORD* exitCode,
                                     const wchar_t* workingFolder = nullptr) {
    const std::set<HWND> before = VisibleWindows();
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring line = command;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, workingFolder,
                        &si, &pi)) {
        return testing::AssertionFailure() << Narrow(command) << ": error " << GetLastError();
    }
    CloseHandle(pi.hThread);
    std::wstring shown;
    const bool ended = PollUntil(kInstallTimeout, [&] {
        for (HWND w : VisibleWindows()) {
            if (!before.count(w) && shown.empty())
                shown = ClassName(w) + L" \"" + WindowText(w) + L"\"";
        }
        return WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0;
    });
    GetExitCodeProcess(pi.hProcess, exitCode);
    if (!ended) TerminateProcess(pi.hProcess, 255);
    CloseHandle(pi.hProcess);
    if (!ended) {
        return testing::AssertionFailure()
               << Narrow(command) << " still runs after " << kInstallTimeout.count() << " ms";
    }
    if (!shown.empty())
        return testing::AssertionFailure() << "a window appeared: " << Narrow(shown);
    return testing::AssertionSuccess();
}

DWORD RegNumber(const std::wstring& path, const wchar_t* name) {
    DWORD value = 0xFFFFFFFF, size = sizeof value;
    RegGetValueW(HKEY_LOCAL_MACHINE, path.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size);
    return value;
}

std::uint64_t SizeOf(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

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

// Every file of a folder with its bytes.
std::map<std::wstring, std::vector<std::uint8_t>> Contents(const std::wstring& folder) {
    std::map<std::wstring, std::vector<std::uint8_t>> contents;
    for (const std::wstring& name : Names(folder))
        contents[name] = ReadFileBytes(folder + L"\\" + name);
    return contents;
}

// Opens a file as a viewer would, without letting it be written, moved or deleted meanwhile.
HANDLE HoldOpen(const std::wstring& path) {
    return CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                       nullptr);
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

// The Windows Installer package of the medium, and (built for the tests only) a newer one
// of the same files.
std::wstring MediumPackage() { return WindowsPathOf(VX_MEDIUM_DIR) + L"\\QLV3906.msi"; }
std::wstring NewerPackage() { return WindowsPathOf(VX_NEWER_PACKAGE); }
const std::wstring kMark = L"SOFTWARE\\ZAM\\Veltrix";

// The package's Start-menu group: Windows Installer puts it in the all-users Programs folder
// (the package is per-machine, ALLUSERS=1, as msiinfo shows), Wine's in the user's own.
std::wstring PackageGroupFolder() {
    if (Exists(GroupFolder())) return GroupFolder();
    wchar_t programs[MAX_PATH] = L"";
    SHGetFolderPathW(nullptr, CSIDL_PROGRAMS, nullptr, 0, programs);
    return std::wstring(programs) + L"\\" + kTitle;
}

testing::AssertionResult RunMsiexec(const std::wstring& arguments, DWORD expected) {
    DWORD code = 99;
    if (auto r = RunSilently(L"msiexec " + arguments, &code); !r) return r;
    if (code != expected) {
        return testing::AssertionFailure()
               << "msiexec " << Narrow(arguments) << ": exit code " << code << ", not " << expected;
    }
    return testing::AssertionSuccess();
}

// The uninstall entries (below the uninstall key) whose DisplayName is the title, by key name.
std::map<std::wstring, std::wstring> EntriesOfTheTitle() {
    const std::wstring root = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
    std::map<std::wstring, std::wstring> found;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, root.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return found;
    }
    wchar_t name[256];
    for (DWORD i = 0, size = 256;
         RegEnumKeyExW(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, size = 256) {
        if (RegString(HKEY_LOCAL_MACHINE, root + L"\\" + name, L"DisplayName") == kTitle) {
            found[name] = root + L"\\" + name;
        }
    }
    RegCloseKey(key);
    return found;
}

// The package installs the program, its help, the group's two shortcuts and the entry into
// VXInst's folder; VXInst then refuses every folder; the package's uninstall removes what
// it installed and keeps a settings file the user saved in the folder.
TEST_F(InstallerE2E, PackageInstallsRefusesVXInstAndUninstallKeepsTheUsersFile) {
    ASSERT_TRUE(RunMsiexec(L"/i \"" + MediumPackage() + L"\" /qn", 0));
    EXPECT_EQ(Names(kDestination), (std::set<std::wstring>{L"QLV3906.EXE", L"QLV3906.chm"}));
    EXPECT_EQ(ReadFileBytes(kDestination + L"\\QLV3906.EXE"), ReadFileBytes(Qlv3906Path()));
    const std::wstring group = PackageGroupFolder();
    EXPECT_EQ(Names(group),
              (std::set<std::wstring>{kTitle + L".lnk", L"ベルトリクスのヘルプ.lnk"}));
    Link program, help;
    ASSERT_TRUE(ReadLink(group + L"\\" + kTitle + L".lnk", &program));
    EXPECT_EQ(program.target, kDestination + L"\\QLV3906.EXE");
    EXPECT_EQ(program.description,
              L"QX-K480/330のプリンタ設定を変更するためのユーティリティです。");
    ASSERT_TRUE(ReadLink(group + L"\\ベルトリクスのヘルプ.lnk", &help));
    EXPECT_EQ(help.target, kDestination + L"\\QLV3906.chm");
    EXPECT_EQ(help.description, L"ZAM QX-K480/330 ベルトリクスのヘルプです。");
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
}  // namespace vx::e2e
