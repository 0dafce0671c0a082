#pragma once

#include "printer/receive.h"
#include "printer/win32/win32_net_sockets.h"
#include "printer/win32/win32_usb_print.h"

namespace vx::win32 {

// "LPT1:" through CreateFileA, the system's Sleep, Standard TCP/IP ports from their monitor
// or its registry key, USB printer-class devices, and network printers over Winsock.
class Win32PortOpener : public PortOpener {
  public:
    std::unique_ptr<PrinterLink> OpenLpt1() override;
    void Sleep(unsigned milliseconds) override;
    bool FindTcpPort(const std::string& portName, TcpPortConfig& config) override;
    std::unique_ptr<PrinterLink> OpenUsbPort(const UsbPortName& port) override;
    std::unique_ptr<PrinterLink> OpenNetworkPrinter(const std::string& host,
                                                    unsigned rawPort) override;
    NetSockets& Network() { return net_; }

  private:
    Win32NetSockets net_;
    Win32UsbPrintDevices usb_;
};

}  // namespace vx::win32
