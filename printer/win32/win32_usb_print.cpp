#include "printer/win32/win32_usb_print.h"

#include <windows.h>
#include <setupapi.h>
#include <usbprint.h>
#include <winioctl.h>

#include <vector>

#include "common/win32/owned.h"
#include "common/win32/utf16.h"

namespace vx::win32 {

namespace {

// {28D78FAD-5A12-11D1-AE5B-0000F803A8C2}
const GUID kUsbPrintInterface = {
    0x28d78fad, 0x5a12, 0x11d1, {0xae, 0x5b, 0x00, 0x00, 0xf8, 0x03, 0xa8, 0xc2}};

std::string DetailPath(HDEVINFO set, SP_DEVICE_INTERFACE_DATA& data) {
    DWORD size = 0;
    SetupDiGetDeviceInterfaceDetailW(set, &data, nullptr, 0, &size, nullptr);
    if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) return {};
    std::vector<BYTE> buffer(size, 0);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!SetupDiGetDeviceInterfaceDetailW(set, &data, detail, size, nullptr, nullptr)) return {};
    return Narrow(detail->DevicePath);
}

// A device information set of SetupDiGetClassDevs.
using DeviceInfoSet = Owned<InvalidEmpty<HDEVINFO, &SetupDiDestroyDeviceInfoList>>;

// One overlapped call, waited for at most `timeoutMs` and cancelled after that.
long Finish(HANDLE device, OVERLAPPED& o, BOOL started, unsigned timeoutMs) {
    DWORD n = 0;
    if (!started && GetLastError() != ERROR_IO_PENDING) return -1;
    if (WaitForSingleObject(o.hEvent, timeoutMs) != WAIT_OBJECT_0) CancelIo(device);
    if (!GetOverlappedResult(device, &o, &n, TRUE))
        return GetLastError() == ERROR_OPERATION_ABORTED ? 0 : -1;
    return static_cast<long>(n);
}

class Win32UsbPrintDevice : public UsbPrintDevice {
  public:
    explicit Win32UsbPrintDevice(UniqueHandle h)
        : h_(std::move(h)), event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

    long GetDeviceId(std::uint8_t* out, std::size_t size) override {
        OVERLAPPED o = Fresh();
        const BOOL started = DeviceIoControl(h_.Get(), IOCTL_USBPRINT_GET_1284_ID, nullptr, 0, out,
                                             static_cast<DWORD>(size), nullptr, &o);
        return Finish(h_.Get(), o, started, kReadTotalTimeoutConstantMs);
    }
    long Write(const std::uint8_t* data, std::size_t size, unsigned timeoutMs) override {
        OVERLAPPED o = Fresh();
        return Finish(h_.Get(), o, WriteFile(h_.Get(), data, static_cast<DWORD>(size), nullptr, &o),
                      timeoutMs);
    }
    long Read(std::uint8_t* data, std::size_t size, unsigned timeoutMs) override {
        OVERLAPPED o = Fresh();
        return Finish(h_.Get(), o, ReadFile(h_.Get(), data, static_cast<DWORD>(size), nullptr, &o),
                      timeoutMs);
    }

  private:
    OVERLAPPED Fresh() {
        OVERLAPPED o{};
        ResetEvent(event_.Get());
        o.hEvent = event_.Get();
        return o;
    }
    UniqueHandle h_;
    UniqueHandle event_;
};

}  // namespace

std::vector<UsbPrintInterface> Win32UsbPrintDevices::List() {
    std::vector<UsbPrintInterface> found;
    const DeviceInfoSet devices(SetupDiGetClassDevsW(&kUsbPrintInterface, nullptr, nullptr,
                                                     DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
    if (!devices) return found;
    HDEVINFO set = devices.Get();
    SP_DEVICE_INTERFACE_DATA data{};
    data.cbSize = sizeof data;
    for (DWORD i = 0; SetupDiEnumDeviceInterfaces(set, nullptr, &kUsbPrintInterface, i, &data);
         ++i) {
        UsbPrintInterface entry;
        entry.path = DetailPath(set, data);
        HKEY opened = SetupDiOpenDeviceInterfaceRegKey(set, &data, 0, KEY_READ);
        if (opened == INVALID_HANDLE_VALUE) continue;
        const RegKey key(opened);
        wchar_t base[64] = {};
        DWORD size = sizeof base - sizeof(wchar_t), number = 0;
        if (RegQueryValueExW(key.Get(), L"Base Name", nullptr, nullptr,
                             reinterpret_cast<BYTE*>(base), &size) == ERROR_SUCCESS)
            entry.baseName = Narrow(base);
        size = sizeof number;
        if (RegQueryValueExW(key.Get(), L"Port Number", nullptr, nullptr,
                             reinterpret_cast<BYTE*>(&number), &size) == ERROR_SUCCESS)
            entry.portNumber = number;
        if (!entry.path.empty()) found.push_back(entry);
    }
    return found;
}

std::unique_ptr<UsbPrintDevice> Win32UsbPrintDevices::Open(const std::string& path) {
    UniqueHandle h(CreateFileW(Widen(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                               OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr));
    if (!h) return nullptr;
    return std::make_unique<Win32UsbPrintDevice>(std::move(h));
}

}  // namespace vx::win32
