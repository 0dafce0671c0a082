#include "cli/win32/win32_cli_platform.h"

#include <windows.h>
#include <winsock2.h>
#include <ws2tcpip.h>

#include "cli/file_writing.h"
#include "common/win32/final_path.h"
#include "common/win32/owned.h"
#include "common/win32/owned_socket.h"
#include "common/win32/utf16.h"
#include "common/win32/windows_version.h"

namespace vx::cli::win32 {

using namespace vx::win32;  // the shared owners and text conversions

namespace {

// A sender that goes quiet this long has finished its job.
constexpr int kIdleSeconds = 10;

std::string SystemMessage(DWORD code) {
    LocalMemory<wchar_t> text;
    FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(text.Put()), 0, nullptr);
    std::wstring message = text ? text.Get() : L"";
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                                message.back() == L' ' || message.back() == L'.'))
        message.pop_back();
    return message.empty() ? "error " + std::to_string(code) : Narrow(message);
}

// The console takes wide characters; a redirected stream gets UTF-8.
void Write(DWORD which, const std::string& text) {
    HANDLE h = GetStdHandle(which);
    if (h == nullptr || h == INVALID_HANDLE_VALUE) return;
    DWORD mode = 0, written = 0;
    if (GetConsoleMode(h, &mode)) {
        const std::wstring wide = Widen(text);
        WriteConsoleW(h, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    } else {
        WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
}

bool WriteAll(HANDLE h, const std::vector<std::uint8_t>& bytes) {
    DWORD written = 0;
    return WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

// The edit lock of a folder's files, and how often a run waiting for it tries again.
const char kLockName[] = ".vxctl-lock";
constexpr DWORD kLockRetryMs = 20;
constexpr DWORD kLockAccessDeniedMs = 2000;
// The attributes a file written anew keeps.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN |
                                  FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

class StandardInput : public File {
  public:
    explicit StandardInput(HANDLE h) : h_(h) {}
    long Read(std::uint8_t* data, std::size_t size) override {
        DWORD got = 0;
        if (ReadFile(h_, data, static_cast<DWORD>(size), &got, nullptr))
            return static_cast<long>(got);
        return GetLastError() == ERROR_BROKEN_PIPE ? 0 : -1;  // a pipe's writer is done
    }
    long Write(const std::uint8_t*, std::size_t) override { return -1; }

  private:
    HANDLE h_;  // the process's; stays open
};

class FolderLock : public OutputFiles::Lock {
  public:
    explicit FolderLock(UniqueHandle h) : h_(std::move(h)) {}

  private:
    UniqueHandle h_;  // the lock file goes with it
};

// What is at `path` with symbolic links followed, and in `target` the file they lead to
// with its attributes.
PathState Look(const std::string& path, std::string& target, DWORD& attributes) {
    target = path;
    attributes = 0;
    PathState state;
    const UniqueHandle h(CreateFileW(Widen(path).c_str(), FILE_READ_ATTRIBUTES,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!h) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return state;
        // There but not to be opened even for its attributes: by them, where they can be read.
        attributes = GetFileAttributesW(Widen(path).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            state.kind = PathState::Other;
        } else {
            state.kind =
                (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathState::Folder : PathState::Regular;
            state.writable = (attributes & FILE_ATTRIBUTE_READONLY) == 0;
        }
        return state;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(h.Get()) != FILE_TYPE_DISK || !GetFileInformationByHandle(h.Get(), &info)) {
        state.kind = PathState::Other;  // a port, a pipe, the console
    } else {
        state.kind = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? PathState::Folder
                                                                        : PathState::Regular;
        state.writable = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) == 0;
        attributes = info.dwFileAttributes;
        state.keepsIdentity = info.nNumberOfLinks > 1;
        // Where its symbolic links lead (Windows Vista and later; XP has none to follow).
        std::wstring name;
        if (FinalPathOf(h.Get(), name)) target = Narrow(name);
    }
    return state;
}

// Overwrites an existing file in place, for a file that a replacement would take from its
// other names (hard links): one write of the few bytes of a settings file, the rest cut off.
bool WriteInPlace(const std::string& target, const std::vector<std::uint8_t>& bytes,
                  std::string& error) {
    const UniqueHandle h(CreateFileW(Widen(target).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    const bool ok =
        h && WriteAll(h.Get(), bytes) && SetEndOfFile(h.Get()) && FlushFileBuffers(h.Get());
    if (!ok) error = SystemMessage(GetLastError());
    return ok;
}

std::string AddressText(const sockaddr* address, int length) {
    char host[NI_MAXHOST] = "?", port[NI_MAXSERV] = "?";
    getnameinfo(address, length, host, sizeof host, port, sizeof port,
                NI_NUMERICHOST | NI_NUMERICSERV);
    const bool v6 = address->sa_family == AF_INET6;
    return (v6 ? "[" : "") + std::string(host) + (v6 ? "]:" : ":") + port;
}

}  // namespace

void Win32Console::Out(const std::string& text) { Write(STD_OUTPUT_HANDLE, text); }
void Win32Console::Err(const std::string& text) { Write(STD_ERROR_HANDLE, text); }

std::unique_ptr<File> Win32CliFileSystem::OpenForReading(const std::string& path) {
    if (!IsStandardStream(path)) return Win32FileSystem::OpenForReading(path);
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    if (in == nullptr || in == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<StandardInput>(in);
}

bool Win32OutputFiles::WriteAtomically(const std::string& path,
                                       const std::vector<std::uint8_t>& bytes, std::string& error) {
    std::string target;
    DWORD attributes = 0;
    const PathState state =
        IsStandardStream(path) ? PathState{PathState::Other} : Look(path, target, attributes);
    return WriteChosenWay(
        state, SystemMessage(ERROR_DIRECTORY), error,
        [&] { return WriteDevice(path, bytes, error); },
        [&] { return WriteInPlace(target, bytes, error); },
        [&] {
            // The new content in a temporary file of the folder first: the file is whole before and
            // after, never half-written.
            const std::string temp = FolderOf(target, true) + "\\" + TemporaryPrefix(target, true);
            std::wstring tempName;
            UniqueHandle h;
            for (unsigned attempt = 0; attempt < 100 && !h; ++attempt) {
                tempName = Widen(temp + std::to_string(GetCurrentProcessId()) + "-" +
                                 std::to_string(GetTickCount() + attempt) + ".tmp");
                h.Reset(CreateFileW(tempName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
                if (!h && GetLastError() != ERROR_FILE_EXISTS) break;
            }
            if (!h) {
                error = SystemMessage(GetLastError());
                return false;
            }
            bool ok = WriteAll(h.Get(), bytes) && FlushFileBuffers(h.Get());
            if (!ok) error = SystemMessage(GetLastError());
            h.Reset();
            // An existing file is replaced keeping its attributes, times of creation and security;
            // a new one is the temporary file renamed.
            const std::wstring wideTarget = Widen(target);
            if (ok && !(state.kind == PathState::Regular
                            ? ReplaceFileW(wideTarget.c_str(), tempName.c_str(), nullptr,
                                           REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                            : MoveFileExW(tempName.c_str(), wideTarget.c_str(),
                                          MOVEFILE_WRITE_THROUGH))) {
                ok = false;
                error = SystemMessage(GetLastError());
            }
            if (!ok) DeleteFileW(tempName.c_str());
            // Its attributes once more where the system's replacement did not keep them (Wine's).
            const DWORD kept = attributes & kKeptAttributes;
            if (ok && state.kind == PathState::Regular &&
                (GetFileAttributesW(wideTarget.c_str()) & kKeptAttributes) != kept)
                SetFileAttributesW(wideTarget.c_str(), kept ? kept : FILE_ATTRIBUTE_NORMAL);
            return ok;
        });
}

bool Win32OutputFiles::WriteDevice(const std::string& path, const std::vector<std::uint8_t>& bytes,
                                   std::string& error) {
    if (IsStandardStream(path)) {
        HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
        if (out != nullptr && out != INVALID_HANDLE_VALUE && WriteAll(out, bytes)) return true;
        error = SystemMessage(GetLastError());
        return false;
    }
    const UniqueHandle h(CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h) {
        error = SystemMessage(GetLastError());
        return false;
    }
    const bool ok = WriteAll(h.Get(), bytes);
    if (!ok) error = SystemMessage(GetLastError());
    return ok;
}

std::unique_ptr<OutputFiles::Lock> Win32OutputFiles::LockFolderOf(const std::string& path) {
    if (IsStandardStream(path)) return nullptr;
    std::string target;
    DWORD attributes = 0;
    if (Look(path, target, attributes).kind == PathState::Other) return nullptr;
    const std::string folder = FolderOf(target, true);
    // Held open by one run at a time and gone when it closes: another run waits for it (a
    // file being deleted refuses too, for a moment).
    const std::wstring name = Widen(folder + "\\" + kLockName);
    UniqueHandle h;
    for (DWORD refused = 0;;) {
        h.Reset(CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        if (h) break;
        const DWORD code = GetLastError();
        if (code == ERROR_ACCESS_DENIED && (refused += kLockRetryMs) > kLockAccessDeniedMs)
            return nullptr;  // a folder nobody may write in: no lock, as on Linux
        if (code != ERROR_SHARING_VIOLATION && code != ERROR_ACCESS_DENIED) return nullptr;
        Sleep(kLockRetryMs);
    }
    // With the lock held no other run writes here: a temporary file for this target is left
    // from a run that was killed.
    const std::string prefix = folder + "\\" + TemporaryPrefix(target, true);
    WIN32_FIND_DATAW found;
    if (const FindHandle search{FindFirstFileW(Widen(prefix + "*").c_str(), &found)}) {
        do DeleteFileW(Widen(folder + "\\" + Narrow(found.cFileName)).c_str());
        while (FindNextFileW(search.Get(), &found));
    }
    return std::make_unique<FolderLock>(std::move(h));
}

std::string Win32OutputFiles::WhyNotReadable(const std::string& path, bool& missing) {
    missing = false;
    const UniqueHandle h(CreateFileW(Widen(path).c_str(), GENERIC_READ,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!h) {
        const DWORD code = GetLastError();
        missing = code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
        return SystemMessage(code);
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool folder = GetFileInformationByHandle(h.Get(), &info) &&
                        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return folder ? SystemMessage(ERROR_DIRECTORY) : std::string();
}

Win32JobSource::Win32JobSource() {
    WSADATA data;
    started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

Win32JobSource::~Win32JobSource() {
    socket_.Reset();  // before Winsock goes
    if (started_) WSACleanup();
}

bool Win32JobSource::Listen(const std::string& host, int port, std::string& bound,
                            std::string& error) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE;
    AddressList found;
    const int r = getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, found.Put());
    if (r != 0) {
        error = SystemMessage(static_cast<DWORD>(r));
        return false;
    }
    for (addrinfo* a = found.Get(); a && !socket_; a = a->ai_next) {
        Socket s(socket(a->ai_family, a->ai_socktype, a->ai_protocol));
        if (!s) continue;
        if (bind(s.Get(), a->ai_addr, static_cast<int>(a->ai_addrlen)) == 0 &&
            listen(s.Get(), 8) == 0) {
            socket_ = std::move(s);
        } else {
            error = SystemMessage(static_cast<DWORD>(WSAGetLastError()));
        }
    }
    if (!socket_) return false;
    sockaddr_storage address{};
    int length = sizeof address;
    getsockname(socket_.Get(), reinterpret_cast<sockaddr*>(&address), &length);
    bound = AddressText(reinterpret_cast<sockaddr*>(&address), length);
    return true;
}

bool Win32JobSource::Next(ReceivedJob& job, std::string& error) {
    sockaddr_storage peer{};
    int length = sizeof peer;
    const Socket c(accept(socket_.Get(), reinterpret_cast<sockaddr*>(&peer), &length));
    if (!c) {
        error = SystemMessage(static_cast<DWORD>(WSAGetLastError()));
        return false;
    }
    job.peer = AddressText(reinterpret_cast<sockaddr*>(&peer), length);
    job.bytes.clear();
    char buffer[4096];
    for (;;) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(c.Get(), &readable);
        timeval idle{kIdleSeconds, 0};
        if (select(0, &readable, nullptr, nullptr, &idle) <= 0) break;
        const int n = recv(c.Get(), buffer, sizeof buffer, 0);
        if (n <= 0) break;
        job.bytes.insert(job.bytes.end(), buffer, buffer + n);
    }
    return true;
}

Language UserLanguage() {
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE ? Language::Japanese
                                                                      : Language::English;
}

PlatformFamily Family() {
    return vx::win32::IsNtPlatform() ? PlatformFamily::Nt : PlatformFamily::Win9x;
}

bool PrinterNameBefore(const std::string& a, const std::string& b) {
    return lstrcmpW(Widen(a).c_str(), Widen(b).c_str()) < 0;
}

}  // namespace vx::cli::win32
