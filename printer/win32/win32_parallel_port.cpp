#include "printer/win32/win32_parallel_port.h"

namespace vx::win32 {

namespace {
constexpr DWORD kGetDeviceIdControlCode = 17;  // IEEE 1284 device ID of the parallel port
}

bool Win32ParallelPort::GetTimeouts(PortTimeouts& t) {
    COMMTIMEOUTS c{};
    if (!GetCommTimeouts(h_, &c)) return false;
    t = {c.ReadIntervalTimeout, c.ReadTotalTimeoutMultiplier, c.ReadTotalTimeoutConstant,
         c.WriteTotalTimeoutMultiplier, c.WriteTotalTimeoutConstant};
    return true;
}

bool Win32ParallelPort::SetTimeouts(const PortTimeouts& t) {
    COMMTIMEOUTS c{t.readIntervalTimeout, t.readTotalTimeoutMultiplier, t.readTotalTimeoutConstant,
                   t.writeTotalTimeoutMultiplier, t.writeTotalTimeoutConstant};
    return SetCommTimeouts(h_, &c) != FALSE;
}

bool Win32ParallelPort::GetDeviceId(std::uint8_t* out, std::size_t size) {
    DWORD returned = 0;
    return DeviceIoControl(h_, kGetDeviceIdControlCode, nullptr, 0, out, static_cast<DWORD>(size),
                           &returned, nullptr) != FALSE;
}

long Win32ParallelPort::Write(const std::uint8_t* data, std::size_t size) {
    DWORD n = 0;
    return WriteFile(h_, data, static_cast<DWORD>(size), &n, nullptr) ? static_cast<long>(n) : -1;
}

long Win32ParallelPort::Read(std::uint8_t* data, std::size_t size) {
    DWORD n = 0;
    return ReadFile(h_, data, static_cast<DWORD>(size), &n, nullptr) ? static_cast<long>(n) : -1;
}

}  // namespace vx::win32
