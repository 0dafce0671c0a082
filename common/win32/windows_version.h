// The running system's platform and version, as the system reports them.
#pragma once

#include <windows.h>

namespace vx::win32 {

struct VersionNumbers {
    unsigned platformId = 0;  // VER_PLATFORM_WIN32_NT (2) for the NT family
    unsigned major = 0;
    unsigned minor = 0;
};

inline VersionNumbers QueryWindowsVersion() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    GetVersionExW(&info);
    return {static_cast<unsigned>(info.dwPlatformId), static_cast<unsigned>(info.dwMajorVersion),
            static_cast<unsigned>(info.dwMinorVersion)};
}

// True on the NT family; false on Windows 9x, also when the query fails there.
inline bool IsNtPlatform() { return QueryWindowsVersion().platformId == VER_PLATFORM_WIN32_NT; }

}  // namespace vx::win32
