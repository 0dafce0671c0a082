#include "installer/win32/win32_system.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <winsvc.h>

#include "common/win32/module_path.h"
#include "common/win32/owned.h"
#include "common/win32/utf16.h"
#include "common/win32/windows_version.h"

namespace vx::inst::win32 {

using vx::win32::Narrow;
using vx::win32::UniqueHandle;
using vx::win32::Widen;

OsVersion Win32System::Version() {
    const vx::win32::VersionNumbers v = vx::win32::QueryWindowsVersion();
    return OsVersion{v.platformId, v.major, v.minor};
}

std::string Win32System::ModulePath() { return vx::win32::ModulePath(); }

std::string Win32System::CommandLine() { return Narrow(GetCommandLineW()); }

std::string Win32System::WindowsDirectory() {
    wchar_t path[MAX_PATH] = L"";
    GetWindowsDirectoryW(path, MAX_PATH);
    return Narrow(path);
}

std::string Win32System::TempPath() {
    wchar_t path[MAX_PATH + 1] = L"";
    GetTempPathW(MAX_PATH + 1, path);
    return Narrow(path);
}

void Win32System::Sleep(unsigned milliseconds) { ::Sleep(milliseconds); }

void Win32System::ExitProcess(int code) { ::ExitProcess(static_cast<UINT>(code)); }

namespace {

// Starts `program` with `commandLine` and hands out its process handle; empty when it
// could not be started.
UniqueHandle CreateProcessOf(const std::string& program, const std::string& commandLine) {
    std::wstring app = Widen(program), line = Widen(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(app.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return {};
    }
    const UniqueHandle thread(process.hThread);  // closed: only the process is waited for
    return UniqueHandle(process.hProcess);
}

// A service control manager opened with OpenSCManager.
using ServiceHandle = vx::win32::Owned<vx::win32::NullEmpty<SC_HANDLE, &CloseServiceHandle>>;

}  // namespace

bool Win32System::StartProcess(const std::string& program, const std::string& commandLine) {
    return static_cast<bool>(CreateProcessOf(program, commandLine));
}

bool Win32System::RunProcess(const std::string& program, const std::string& commandLine,
                             int& exitCode) {
    UniqueHandle process = CreateProcessOf(program, commandLine);
    if (!process) return false;
    WaitForSingleObject(process.Get(), INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.Get(), &code);
    process.Reset();
    exitCode = static_cast<int>(code);
    return true;
}

bool Win32System::CanManageServices() {
    return static_cast<bool>(ServiceHandle(OpenSCManagerW(nullptr, nullptr, 0xF003F)));
}

std::string Win32System::AnsiText(const std::string& text) {
    const std::wstring wide = Widen(text);
    if (wide.empty()) return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(), n,
                        nullptr, nullptr);
    return bytes;
}

bool Win32System::DeleteAtRestart(const std::string& path) {
    return MoveFileExW(Widen(path).c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
}

void Win32System::SetWorkingFolder(const std::string& folder) {
    SetCurrentDirectoryW(Widen(folder).c_str());
}

void Win32System::InitComForThread() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }

void Win32System::OpenFolderWindow(const std::string& folder) {
    ShellExecuteW(nullptr, L"open", Widen(folder).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void Win32System::OpenDocument(const std::string& path) {
    ShellExecuteW(nullptr, nullptr, Widen(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace vx::inst::win32
