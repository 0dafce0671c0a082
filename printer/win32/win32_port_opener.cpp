#include "printer/win32/win32_port_opener.h"

#include <windows.h>

#include "common/win32/owned.h"
#include "printer/net_link.h"
#include "printer/win32/win32_parallel_port.h"
#include "printer/win32/win32_tcp_port.h"

namespace vx::win32 {

namespace {

// The port owns its handle and closes it when it goes.
class OwnedParallelPort : public Win32ParallelPort {
  public:
    explicit OwnedParallelPort(UniqueHandle h)
        : Win32ParallelPort(h.Get()), handle_(std::move(h)) {}
    unsigned long LastError() const override { return GetLastError(); }

  private:
    UniqueHandle handle_;
};

}  // namespace

std::unique_ptr<PrinterLink> Win32PortOpener::OpenLpt1() {
    UniqueHandle h(CreateFileA("LPT1:", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h) return nullptr;
    return std::make_unique<OwnedParallelPort>(std::move(h));
}

void Win32PortOpener::Sleep(unsigned milliseconds) { ::Sleep(milliseconds); }

bool Win32PortOpener::FindTcpPort(const std::string& portName, TcpPortConfig& config) {
    return ReadTcpPortConfig(portName, config);
}

std::unique_ptr<PrinterLink> Win32PortOpener::OpenUsbPort(const UsbPortName& port) {
    return OpenUsbLink(usb_, net_, port);
}

std::unique_ptr<PrinterLink> Win32PortOpener::OpenNetworkPrinter(const std::string& host,
                                                                 unsigned rawPort) {
    return OpenNetworkLink(net_, host, rawPort);
}

}  // namespace vx::win32
