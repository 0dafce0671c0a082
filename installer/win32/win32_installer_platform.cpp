#include "installer/win32/win32_installer_platform.h"

#include <lzexpand.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <winsvc.h>

#include "common/win32/file_bytes.h"
#include "common/win32/message_box.h"
#include "common/win32/utf16.h"
#include "installer/profile_text.h"

namespace vx::inst::win32 {

using vx::win32::Narrow;
using vx::win32::Widen;
using vx::win32::WriteWholeFile;

// --- Message boxes -------------------------------------------------------------

Answer Win32MessageBoxes::Show(const std::string& text, const std::string& caption,
                               MsgStyle style) {
    return vx::win32::ShowMessageBox(owner_, text, caption, style.icon, style.buttons);
}

// --- Files ---------------------------------------------------------------------

bool Win32Files::List(const std::string& folder, std::vector<DirEntry>& entries) {
    entries.clear();
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(Widen(folder + "\\*.*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return false;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        DirEntry e;
        e.name = Narrow(name);
        e.isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        e.isLink = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        entries.push_back(e);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return true;
}

bool Win32Files::Exists(const std::string& path) {
    return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32Files::IsFolder(const std::string& path) {
    const DWORD a = GetFileAttributesW(Widen(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Files::IsLink(const std::string& path) {
    const DWORD a = GetFileAttributesW(Widen(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_REPARSE_POINT);
}

namespace {

// The final path of an existing file or folder as the system resolves it (links followed,
// the volume's drive letter), without the "\\?\" prefix. False when it cannot be had.
bool FinalPath(const std::wstring& path, std::wstring& resolved) {
    using FinalPathByHandle = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    // Looked up at run time: systems before Vista lack it; their long-name form will do.
    auto final = kernel ? reinterpret_cast<FinalPathByHandle>(reinterpret_cast<void*>(
                              GetProcAddress(kernel, "GetFinalPathNameByHandleW")))
                        : nullptr;
    if (!final) {
        const DWORD n = GetLongPathNameW(path.c_str(), nullptr, 0);
        if (n == 0) return false;
        resolved.assign(n, L'\0');
        resolved.resize(GetLongPathNameW(path.c_str(), resolved.data(), n));
        return !resolved.empty();
    }
    HANDLE h = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    std::wstring buffer(1024, L'\0');
    const DWORD n = final(h, buffer.data(), static_cast<DWORD>(buffer.size()), 0);
    CloseHandle(h);
    if (n == 0 || n >= buffer.size()) return false;
    buffer.resize(n);
    if (buffer.rfind(L"\\\\?\\UNC\\", 0) == 0) {
        resolved = L"\\\\" + buffer.substr(8);
    } else if (buffer.rfind(L"\\\\?\\", 0) == 0) {
        resolved = buffer.substr(4);
    } else {
        resolved = buffer;
    }
    return true;
}

}  // namespace

std::string Win32Files::FullPath(const std::string& path) {
    const std::wstring wide = Widen(path);
    const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::wstring full(size, L'\0');
    full.resize(GetFullPathNameW(wide.c_str(), size, full.data(), nullptr));
    // The deepest existing part resolved, the rest (not there yet) appended as it stands.
    std::wstring head = full, rest;
    while (!head.empty()) {
        std::wstring resolved;
        if (FinalPath(head, resolved)) {
            if (!resolved.empty() && resolved.back() == L'\\' && !rest.empty()) resolved.pop_back();
            return Narrow(resolved + rest);
        }
        const auto cut = head.find_last_of(L'\\');
        if (cut == std::wstring::npos || cut + 1 >= head.size()) break;
        rest = head.substr(cut) + rest;
        head.resize(cut < 3 ? cut + 1 : cut);  // "C:\" keeps its backslash
    }
    return Narrow(full);
}

bool Win32Files::DriveRootExists(const std::string& root) {
    return GetDriveTypeW(Widen(root).c_str()) != DRIVE_NO_ROOT_DIR;
}

std::uint64_t Win32Files::FreeBytes(const std::string& root) {
    using FreeSpaceEx = BOOL(WINAPI*)(LPCWSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
    const std::wstring wroot = Widen(root);
    // Looked up at run time: the first systems of the 9x family lack it.
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    auto ex = kernel ? reinterpret_cast<FreeSpaceEx>(
                           reinterpret_cast<void*>(GetProcAddress(kernel, "GetDiskFreeSpaceExW")))
                     : nullptr;
    if (ex) {
        ULARGE_INTEGER available, total, free;
        if (!ex(wroot.c_str(), &available, &total, &free)) return 0;
        return free.QuadPart;  // the volume's free bytes, not the caller's quota
    }
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    if (!GetDiskFreeSpaceW(wroot.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                           &clusters)) {
        return 0;
    }
    return std::uint64_t{freeClusters} * bytesPerSector * sectorsPerCluster;
}

FolderResult Win32Files::CreateFolder(const std::string& path) {
    if (CreateDirectoryW(Widen(path).c_str(), nullptr)) return FolderResult::Created;
    const DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS && IsFolder(path)) return FolderResult::AlreadyThere;
    if (error == ERROR_PATH_NOT_FOUND) return FolderResult::PathNotFound;
    return FolderResult::Failed;
}

bool Win32Files::RemoveFolder(const std::string& path) {
    return RemoveDirectoryW(Widen(path).c_str()) != 0;
}

void Win32Files::SetNormalAttributes(const std::string& path) {
    SetFileAttributesW(Widen(path).c_str(), FILE_ATTRIBUTE_NORMAL);
}

unsigned Win32Files::Copy(const std::string& from, const std::string& to) {
    if (CopyFileW(Widen(from).c_str(), Widen(to).c_str(), FALSE)) return 0;
    const DWORD error = GetLastError();
    return error ? error : ERROR_GEN_FAILURE;
}

bool Win32Files::Delete(const std::string& path) { return DeleteFileW(Widen(path).c_str()) != 0; }

bool Win32Files::Move(const std::string& from, const std::string& to) {
    return MoveFileExW(Widen(from).c_str(), Widen(to).c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

std::optional<std::uint64_t> Win32Files::FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return std::nullopt;
    }
    return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

void Win32Files::RemoveDownloadMark(const std::string& path) {
    DeleteFileW(Widen(path + ":Zone.Identifier").c_str());  // fails harmlessly when absent
}

namespace {

// A path the LZ interface can open: it works in the ANSI code page, so a path that code
// page cannot spell (a medium in a Japanese-named folder on a Western system) goes by its
// short name, which it can.
std::wstring LzPath(const std::string& path) {
    std::wstring wide = Widen(path);
    BOOL lossy = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, nullptr, 0, nullptr,
                        &lossy);
    if (!lossy) return wide;
    const DWORD n = GetShortPathNameW(wide.c_str(), nullptr, 0);
    if (n == 0) return wide;
    std::wstring brief(n, L'\0');
    brief.resize(GetShortPathNameW(wide.c_str(), brief.data(), n));
    return brief.empty() ? wide : brief;
}

}  // namespace

std::optional<std::string> Win32Files::ExpandedName(const std::string& path) {
    std::wstring source = LzPath(path);
    std::wstring buffer(MAX_PATH * 2, L'\0');
    if (GetExpandedNameW(source.data(), buffer.data()) != 1) return std::nullopt;
    buffer.resize(wcslen(buffer.c_str()));
    // Told in the path as given: unchanged for a plain file, its last character restored for
    // a compressed one.
    if (buffer == source) return path;
    if (buffer.size() == source.size() &&
        buffer.compare(0, buffer.size() - 1, source, 0, source.size() - 1) == 0) {
        std::string expanded = path;
        expanded.back() = static_cast<char>(buffer.back() < 0x80 ? buffer.back() : '_');
        return expanded;
    }
    const std::string name = Narrow(buffer.substr(buffer.find_last_of(L'\\') + 1));
    return path.substr(0, path.find_last_of('\\') + 1) + name;
}

std::int64_t Win32Files::Expand(const std::string& from, const std::string& to) {
    std::wstring wfrom = LzPath(from);
    OFSTRUCT readInfo{};
    const INT source = LZOpenFileW(wfrom.data(), &readInfo, OF_READ);
    if (source < 0) return -1;
    // The target is opened by its wide name rather than through OpenFile, which takes no
    // more than 127 bytes of path and may create another name in its place: so it is
    // exactly the requested file, at any length the system allows.
    HANDLE target = CreateFileW(Widen(to).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (target == INVALID_HANDLE_VALUE) {
        LZClose(source);
        return -1;
    }
    // The LZ interface writes to a plain file handle as OpenFile would have returned it.
    const LONG copied = LZCopy(source, static_cast<HFILE>(reinterpret_cast<INT_PTR>(target)));
    LZClose(source);
    CloseHandle(target);
    return copied < 0 ? -1 : copied;
}

std::string Win32Files::ReadHead(const std::string& path, std::size_t count) {
    HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string head(count, '\0');
    DWORD read = 0;
    if (!ReadFile(file, head.data(), static_cast<DWORD>(count), &read, nullptr)) read = 0;
    CloseHandle(file);
    head.resize(read);
    return head;
}

bool Win32Files::ReadBytes(const std::string& path, std::string& bytes) {
    HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bytes.clear();
    char chunk[4096];
    DWORD read = 0;
    bool ok = true;
    while ((ok = ReadFile(file, chunk, sizeof(chunk), &read, nullptr) != 0) && read > 0) {
        bytes.append(chunk, read);
    }
    CloseHandle(file);
    return ok;
}

bool Win32Files::WriteBytes(const std::string& path, const std::string& bytes) {
    return WriteWholeFile(Widen(path), bytes.data(), bytes.size());
}

// --- Registry ------------------------------------------------------------------

namespace {

HKEY RootKey(RegRoot root) { return root == RegRoot::Users ? HKEY_USERS : HKEY_LOCAL_MACHINE; }

// Full access, in the 32-bit programs' view where asked (a 32-bit program's own view).
REGSAM Access(RegRoot root) {
    return root == RegRoot::LocalMachine32 ? KEY_ALL_ACCESS | KEY_WOW64_32KEY : KEY_ALL_ACCESS;
}

class Win32Key : public RegKey {
  public:
    explicit Win32Key(HKEY key) : key_(key) {}
    ~Win32Key() override { RegCloseKey(key_); }
    bool ReadString(const std::string& name, std::string& value) override {
        wchar_t buffer[MAX_PATH + 1] = L"";
        DWORD type = 0, size = sizeof(buffer) - sizeof(wchar_t);
        if (RegQueryValueExW(key_, Widen(name).c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ)) {
            return false;
        }
        buffer[size / sizeof(wchar_t)] = L'\0';
        value = Narrow(buffer);
        return true;
    }
    bool WriteString(const std::string& name, const std::string& value) override {
        const std::wstring w = Widen(value);
        return RegSetValueExW(
                   key_, Widen(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(w.c_str()),
                   static_cast<DWORD>((w.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    }
    bool ReadStrings(const std::string& name, std::vector<std::string>& values) override {
        const std::wstring wname = Widen(name);
        DWORD type = 0, size = 0;
        if (RegQueryValueExW(key_, wname.c_str(), nullptr, &type, nullptr, &size) !=
                ERROR_SUCCESS ||
            type != REG_MULTI_SZ) {
            return false;
        }
        std::wstring data(size / sizeof(wchar_t) + 2, L'\0');  // room for missing ends
        if (RegQueryValueExW(key_, wname.c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS) {
            return false;
        }
        values.clear();
        for (std::size_t at = 0; at < data.size() && data[at] != L'\0';) {
            const std::size_t end = data.find(L'\0', at);
            values.push_back(Narrow(data.substr(at, end - at)));
            at = end + 1;
        }
        return true;
    }
    bool WriteStrings(const std::string& name, const std::vector<std::string>& values) override {
        std::wstring data;
        for (const std::string& v : values) data += Widen(v) + L'\0';
        data += L'\0';
        return RegSetValueExW(key_, Widen(name).c_str(), 0, REG_MULTI_SZ,
                              reinterpret_cast<const BYTE*>(data.data()),
                              static_cast<DWORD>(data.size() * sizeof(wchar_t))) == ERROR_SUCCESS;
    }
    bool WriteNumber(const std::string& name, std::uint32_t value) override {
        const DWORD number = value;
        return RegSetValueExW(key_, Widen(name).c_str(), 0, REG_DWORD,
                              reinterpret_cast<const BYTE*>(&number),
                              sizeof number) == ERROR_SUCCESS;
    }
    bool DeleteSelf() override { return RegDeleteKeyW(key_, L"") == ERROR_SUCCESS; }

  private:
    HKEY key_;
};

}  // namespace

std::unique_ptr<RegKey> Win32Registry::Open(RegRoot root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(RootKey(root), Widen(path).c_str(), 0, Access(root), &key) != ERROR_SUCCESS) {
        return nullptr;
    }
    return std::make_unique<Win32Key>(key);
}

std::unique_ptr<RegKey> Win32Registry::Create(RegRoot root, const std::string& path) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    wchar_t emptyClass[] = L"";
    if (RegCreateKeyExW(RootKey(root), Widen(path).c_str(), 0, emptyClass, REG_OPTION_NON_VOLATILE,
                        Access(root), nullptr, &key, &disposition) != ERROR_SUCCESS) {
        return nullptr;
    }
    return std::make_unique<Win32Key>(key);
}

// --- Shell links ---------------------------------------------------------------

namespace {

class Win32Link : public ShellLink {
  public:
    Win32Link(IShellLinkW* link, IPersistFile* file) : link_(link), file_(file) {}
    ~Win32Link() override {
        file_->Release();
        link_->Release();
    }
    // SetPath answers S_FALSE while the target does not exist yet: only failures count.
    bool SetPath(const std::string& t) override {
        return !FAILED(link_->SetPath(Widen(t).c_str()));
    }
    bool SetDescription(const std::string& d) override {
        return !FAILED(link_->SetDescription(Widen(d).c_str()));
    }
    bool SetWorkingDirectory(const std::string& w) override {
        return !FAILED(link_->SetWorkingDirectory(Widen(w).c_str()));
    }
    bool Save(const std::string& path) override {
        return !FAILED(file_->Save(Widen(path).c_str(), TRUE));
    }

  private:
    IShellLinkW* link_;
    IPersistFile* file_;
};

}  // namespace

std::unique_ptr<ShellLink> Win32ShellLinks::Create() {
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link)))) {
        return nullptr;
    }
    IPersistFile* file = nullptr;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        link->Release();
        return nullptr;
    }
    return std::make_unique<Win32Link>(link, file);
}

// --- System --------------------------------------------------------------------

OsVersion Win32System::Version() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    GetVersionExW(&info);
    return OsVersion{static_cast<unsigned>(info.dwPlatformId),
                     static_cast<unsigned>(info.dwMajorVersion),
                     static_cast<unsigned>(info.dwMinorVersion)};
}

std::string Win32System::ModulePath() {
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return Narrow(path);
}

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

// Starts `program` with `commandLine`; the process handle is the caller's to close.
bool CreateProcessOf(const std::string& program, const std::string& commandLine,
                     PROCESS_INFORMATION& process) {
    std::wstring app = Widen(program), line = Widen(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    process = PROCESS_INFORMATION{};
    if (!CreateProcessW(app.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    return true;
}

}  // namespace

bool Win32System::StartProcess(const std::string& program, const std::string& commandLine) {
    PROCESS_INFORMATION process;
    if (!CreateProcessOf(program, commandLine, process)) return false;
    CloseHandle(process.hProcess);
    return true;
}

bool Win32System::RunProcess(const std::string& program, const std::string& commandLine,
                             int& exitCode) {
    PROCESS_INFORMATION process;
    if (!CreateProcessOf(program, commandLine, process)) return false;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    exitCode = static_cast<int>(code);
    return true;
}

bool Win32System::CanManageServices() {
    SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, 0xF003F);
    if (!manager) return false;
    CloseServiceHandle(manager);
    return true;
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

// --- Setup information file ----------------------------------------------------

namespace {

// The setup file is CP932 by definition: decoded as such whatever the system's
// code page, so a Western system reads the same Japanese title as a Japanese one.
constexpr UINT kSetupCodePage = 932;

// The whole file decoded to UTF-8; empty when it cannot be read.
std::string ReadSetupText(const std::string& file) {
    HANDLE h = CreateFileW(Widen(file).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return {};
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    // A setup file is a few hundred bytes; a megabyte is more than any could need.
    while (bytes.size() < (1u << 20) && ReadFile(h, chunk, sizeof chunk, &got, nullptr) && got) {
        bytes.append(chunk, got);
    }
    CloseHandle(h);
    // Text that is not code page 932 reads as no text: a missing setup file, not garbled one.
    if (bytes.empty() || IsUtf8Text(bytes)) return {};
    const int n = MultiByteToWideChar(kSetupCodePage, MB_ERR_INVALID_CHARS, bytes.data(),
                                      static_cast<int>(bytes.size()), nullptr, 0);
    if (n <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(kSetupCodePage, 0, bytes.data(), static_cast<int>(bytes.size()),
                        wide.data(), n);
    return Narrow(wide);
}

}  // namespace

unsigned Win32Profile::ReadInt(const std::string& file, const std::string& section,
                               const std::string& key) {
    const auto value = ProfileValue(ReadSetupText(file), section, key);
    return value ? ProfileNumber(*value) : 0;
}

std::string Win32Profile::ReadText(const std::string& file, const std::string& section,
                                   const std::string& key, std::size_t& ansiBytes) {
    const std::string value = ProfileValue(ReadSetupText(file), section, key).value_or("");
    // The length the value has in the file's own bytes.
    const std::wstring wide = Widen(value);
    ansiBytes = wide.empty() ? 0
                             : static_cast<std::size_t>(WideCharToMultiByte(
                                   kSetupCodePage, 0, wide.data(), static_cast<int>(wide.size()),
                                   nullptr, 0, nullptr, nullptr));
    return value;
}

// --- The log of a silent run --------------------------------------------------

bool Win32Log::Writable() {
    HANDLE h =
        CreateFileW(Widen(file_).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    return true;
}

void Win32Log::Line(const std::string& text) {
    if (file_.empty()) return;
    std::string line;
    for (const char c : text) {
        if (c == '\n') line += '\r';
        line += c;
    }
    line += "\r\n";
    HANDLE h =
        CreateFileW(Widen(file_).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(h, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(h);
}

}  // namespace vx::inst::win32
