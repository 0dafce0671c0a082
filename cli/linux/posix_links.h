// The ways vxctl reaches a printer on Linux: the network over POSIX sockets, USB
// printers through the usblp driver (/dev/usb/lpN, with the device ID from sysfs
// or the driver), and CUPS queues by their device URI.
//
// VXCTL_USB_ROOT=DIR makes vxctl look for USB printers under DIR (DIR/dev/usb/lpN,
// DIR/sys/class/usbmisc/lpN/device/ieee1284_id) instead of the system's folders: that is
// where `vxctl simulate --usb DIR` stands in for one.
#pragma once

#include "cli/cli_platform.h"
#include "cli/linux/posix_net_sockets.h"

namespace vx::cli::posix {

class PosixPrinterLinks : public PrinterLinks {
  public:
    PosixPrinterLinks();
    NetSockets* Network() override { return &net_; }
    std::unique_ptr<PrinterLink> OpenDevice(const std::string& path, std::string& error) override;
    bool Locate(const std::string& destination, PrinterPlace& place, std::string& why) override;

  private:
    PosixNetSockets net_;
    std::string root_;  // "" or VXCTL_USB_ROOT
};

}  // namespace vx::cli::posix
