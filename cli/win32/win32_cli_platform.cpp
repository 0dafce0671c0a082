#include "cli/win32/win32_cli_platform.h"

#include <windows.h>
#include <winsock2.h>
#include <ws2tcpip.h>

#include "common/win32/utf16.h"
#include "common/win32/windows_version.h"

namespace vx::cli::win32 {

using vx::win32::Narrow;
using vx::win32::Widen;

namespace {

// A sender that goes quiet this long has finished its job.
constexpr int kIdleSeconds = 10;

std::string SystemMessage(DWORD code) {
    wchar_t* text = nullptr;
    FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = text ? text : L"";
    LocalFree(text);
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

std::wstring Folder(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return L".";
    return path.substr(0, slash + 1);
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

bool Win32OutputFiles::WriteAtomically(const std::string& path,
                                       const std::vector<std::uint8_t>& bytes, std::string& error) {
    const std::wstring target = Widen(path);
    wchar_t temp[MAX_PATH + 16] = {};
    if (!GetTempFileNameW(Folder(target).c_str(), L"vxc", 0, temp)) {
        error = SystemMessage(GetLastError());
        return false;
    }
    HANDLE h =
        CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool ok = h != INVALID_HANDLE_VALUE && WriteAll(h, bytes) && FlushFileBuffers(h);
    if (!ok) error = SystemMessage(GetLastError());
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    if (ok &&
        !MoveFileExW(temp, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ok = false;
        error = SystemMessage(GetLastError());
    }
    if (!ok) DeleteFileW(temp);
    return ok;
}

bool Win32OutputFiles::WriteDevice(const std::string& path, const std::vector<std::uint8_t>& bytes,
                                   std::string& error) {
    HANDLE h = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        error = SystemMessage(GetLastError());
        return false;
    }
    const bool ok = WriteAll(h, bytes);
    if (!ok) error = SystemMessage(GetLastError());
    CloseHandle(h);
    return ok;
}

std::string Win32OutputFiles::WhyNotReadable(const std::string& path, bool& missing) {
    missing = false;
    HANDLE h = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        missing = code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
        return SystemMessage(code);
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool folder = GetFileInformationByHandle(h, &info) &&
                        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    CloseHandle(h);
    return folder ? SystemMessage(ERROR_DIRECTORY) : std::string();
}

Win32JobSource::Win32JobSource() : socket_(INVALID_SOCKET) {
    WSADATA data;
    started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

Win32JobSource::~Win32JobSource() {
    if (socket_ != INVALID_SOCKET) closesocket(socket_);
    if (started_) WSACleanup();
}

bool Win32JobSource::Listen(const std::string& host, int port, std::string& bound,
                            std::string& error) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE;
    addrinfo* found = nullptr;
    const int r = getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found);
    if (r != 0) {
        error = SystemMessage(static_cast<DWORD>(r));
        return false;
    }
    for (addrinfo* a = found; a && socket_ == INVALID_SOCKET; a = a->ai_next) {
        SOCKET s = socket(a->ai_family, a->ai_socktype, a->ai_protocol);
        if (s == INVALID_SOCKET) continue;
        if (bind(s, a->ai_addr, static_cast<int>(a->ai_addrlen)) == 0 && listen(s, 8) == 0) {
            socket_ = s;
        } else {
            error = SystemMessage(static_cast<DWORD>(WSAGetLastError()));
            closesocket(s);
        }
    }
    freeaddrinfo(found);
    if (socket_ == INVALID_SOCKET) return false;
    sockaddr_storage address{};
    int length = sizeof address;
    getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length);
    bound = AddressText(reinterpret_cast<sockaddr*>(&address), length);
    return true;
}

bool Win32JobSource::Next(ReceivedJob& job, std::string& error) {
    sockaddr_storage peer{};
    int length = sizeof peer;
    SOCKET c = accept(socket_, reinterpret_cast<sockaddr*>(&peer), &length);
    if (c == INVALID_SOCKET) {
        error = SystemMessage(static_cast<DWORD>(WSAGetLastError()));
        return false;
    }
    job.peer = AddressText(reinterpret_cast<sockaddr*>(&peer), length);
    job.bytes.clear();
    char buffer[4096];
    for (;;) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(c, &readable);
        timeval idle{kIdleSeconds, 0};
        if (select(0, &readable, nullptr, nullptr, &idle) <= 0) break;
        const int n = recv(c, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        job.bytes.insert(job.bytes.end(), buffer, buffer + n);
    }
    closesocket(c);
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
