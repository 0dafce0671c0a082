// How vxctl reaches the printer of a spooler port, as the settings program does: the host of
// a raw Standard TCP/IP port, the printer-class device of a USB port, "LPT1:" on the 9x
// family. What each port is, and the links themselves, come from the platform's opener.
#pragma once

#include "cli/cli_platform.h"
#include "printer/platform_family.h"
#include "printer/receive.h"

namespace vx::cli {

class SpoolerPortLinks : public PrinterLinks {
  public:
    SpoolerPortLinks(PortOpener& opener, NetSockets& net, PlatformFamily family)
        : opener_(opener), net_(net), family_(family) {}
    NetSockets* Network() override { return &net_; }
    // A port name ("USB001", "LPT1:" on the 9x family). A device that does not open (the
    // spooler is printing to it) gives a link that is never ready.
    std::unique_ptr<PrinterLink> OpenDevice(const std::string& port, std::string& error) override;
    bool Locate(const std::string& destination, PrinterPlace& place, std::string& why) override;

  private:
    PortOpener& opener_;
    NetSockets& net_;
    PlatformFamily family_;
};

}  // namespace vx::cli
