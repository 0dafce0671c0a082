#include "settings/win32/win32_file_system.h"

#include <windows.h>

#include <shlobj.h>

#include "common/win32/owned.h"
#include "common/win32/utf16.h"

namespace vx::win32 {

namespace {

class HandleFile : public File {
  public:
    explicit HandleFile(UniqueHandle h) : h_(std::move(h)) {}

    long Read(std::uint8_t* data, std::size_t size) override {
        DWORD n = 0;
        return ReadFile(h_.Get(), data, static_cast<DWORD>(size), &n, nullptr)
                   ? static_cast<long>(n)
                   : -1;
    }
    long Write(const std::uint8_t* data, std::size_t size) override {
        DWORD n = 0;
        return WriteFile(h_.Get(), data, static_cast<DWORD>(size), &n, nullptr)
                   ? static_cast<long>(n)
                   : -1;
    }

  private:
    UniqueHandle h_;
};

}  // namespace

std::unique_ptr<File> Win32FileSystem::OpenForReading(const std::string& path) {
    UniqueHandle h(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h) return nullptr;
    return std::make_unique<HandleFile>(std::move(h));
}

std::unique_ptr<File> Win32FileSystem::OpenForUpdate(const std::string& path, OpenError& error) {
    // OPEN_ALWAYS: an existing file is opened as it is, so its bytes after the header and
    // block survive.
    UniqueHandle h(CreateFileW(Widen(path).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                               nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h) {
        error = GetLastError() == ERROR_ACCESS_DENIED ? OpenError::AccessDenied : OpenError::Other;
        return nullptr;
    }
    error = OpenError::None;
    return std::make_unique<HandleFile>(std::move(h));
}

bool Win32FileSystem::CanCreateFileIn(const std::string& folder) {
    std::wstring base = Widen(folder);
    if (!base.empty() && base.back() != L'\\') base += L'\\';
    // A name of this process's own, gone again when the handle closes; a name that is
    // taken already is no answer, so a few are tried.
    for (unsigned attempt = 0; attempt < 8; ++attempt) {
        const std::wstring probe = base + L"~vx" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                                   std::to_wstring(attempt) + L".tmp";
        const UniqueHandle h(CreateFileW(
            probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
            FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        if (h) return true;
        if (GetLastError() != ERROR_FILE_EXISTS) return false;
    }
    return false;
}

std::string Win32FileSystem::DocumentsFolder() {
    wchar_t path[MAX_PATH] = L"";
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path)) ||
        !path[0]) {
        return {};
    }
    std::string folder = Narrow(path);
    if (folder.back() != '\\') folder += '\\';
    return folder;
}

}  // namespace vx::win32
