#include "installer/win32/win32_files.h"

#include <lzexpand.h>

#include "common/win32/file_bytes.h"
#include "common/win32/final_path.h"
#include "common/win32/owned.h"
#include "common/win32/utf16.h"

namespace vx::inst::win32 {

using namespace vx::win32;  // the shared owners and text conversions

bool Win32Files::List(const std::string& folder, std::vector<DirEntry>& entries) {
    entries.clear();
    WIN32_FIND_DATAW data;
    const FindHandle find(FindFirstFileW(Widen(folder + "\\*.*").c_str(), &data));
    if (!find) return false;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        DirEntry e;
        e.name = Narrow(name);
        e.isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        e.isLink = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        entries.push_back(e);
    } while (FindNextFileW(find.Get(), &data));
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
    // Systems before Vista lack the final path; their long-name form will do.
    if (!FinalPathFunction()) {
        const DWORD n = GetLongPathNameW(path.c_str(), nullptr, 0);
        if (n == 0) return false;
        resolved.assign(n, L'\0');
        resolved.resize(GetLongPathNameW(path.c_str(), resolved.data(), n));
        return !resolved.empty();
    }
    const UniqueHandle h(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return h && FinalPathOf(h.Get(), resolved);
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
    LzFile source(LZOpenFileW(wfrom.data(), &readInfo, OF_READ));
    if (!source) return -1;
    // The target is opened by its wide name rather than through OpenFile, which takes no
    // more than 127 bytes of path and may create another name in its place: so it is
    // exactly the requested file, at any length the system allows.
    UniqueHandle target(CreateFileW(Widen(to).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!target) return -1;
    // The LZ interface writes to a plain file handle as OpenFile would have returned it.
    const LONG copied =
        LZCopy(source.Get(), static_cast<HFILE>(reinterpret_cast<INT_PTR>(target.Get())));
    source.Reset();
    target.Reset();
    return copied < 0 ? -1 : copied;
}

std::string Win32Files::ReadHead(const std::string& path, std::size_t count) {
    UniqueHandle file(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    std::string head(count, '\0');
    DWORD read = 0;
    if (!ReadFile(file.Get(), head.data(), static_cast<DWORD>(count), &read, nullptr)) read = 0;
    file.Reset();
    head.resize(read);
    return head;
}

bool Win32Files::ReadBytes(const std::string& path, std::string& bytes) {
    UniqueHandle file(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    bytes.clear();
    char chunk[4096];
    DWORD read = 0;
    bool ok = true;
    while ((ok = ReadFile(file.Get(), chunk, sizeof(chunk), &read, nullptr) != 0) && read > 0) {
        bytes.append(chunk, read);
    }
    file.Reset();
    return ok;
}

bool Win32Files::WriteBytes(const std::string& path, const std::string& bytes) {
    return WriteWholeFile(Widen(path), bytes.data(), bytes.size());
}

}  // namespace vx::inst::win32
