// The helpers of the installer's end-to-end tests.
#include "tests/installer/installer_e2e.h"

#include <shlobj.h>

#include <cwchar>

namespace vx::e2e::vxinst {

namespace {

// A CALLBACK function, not a lambda: on i686 only a stdcall function converts.
BOOL CALLBACK FindGroupWindow(HWND w, LPARAM p) {
    if (IsWindowVisible(w) && ClassName(w) != kDialogClass && WindowText(w) == kTitle) {
        *reinterpret_cast<HWND*>(p) = w;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectVisible(HWND w, LPARAM p) {
    if (IsWindowVisible(w)) reinterpret_cast<std::set<HWND>*>(p)->insert(w);
    return TRUE;
}

}  // namespace

std::wstring Text(HWND window) {
    wchar_t text[1024] = L"";
    DWORD_PTR r = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        5000, &r);
    return text;
}

testing::AssertionResult Answer(DWORD pid, const std::wstring& text, int button, Millis timeout) {
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

testing::AssertionResult WaitForProcessEnd(DWORD pid, Millis timeout, DWORD* exitCode) {
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

testing::AssertionResult CopyMedium(const std::wstring& root, int diskMb) {
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

std::set<HWND> VisibleWindows() {
    std::set<HWND> windows;
    EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

testing::AssertionResult RunSilently(const std::wstring& command, DWORD* exitCode,
                                     const wchar_t* workingFolder) {
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

std::map<std::wstring, std::vector<std::uint8_t>> Contents(const std::wstring& folder) {
    std::map<std::wstring, std::vector<std::uint8_t>> contents;
    for (const std::wstring& name : Names(folder))
        contents[name] = ReadFileBytes(folder + L"\\" + name);
    return contents;
}

HANDLE HoldOpen(const std::wstring& path) {
    return CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                       nullptr);
}

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

}  // namespace vx::e2e::vxinst
