#include "printer/printer_destination.h"

#include "printer/net_link.h"
#include "printer/receive.h"

namespace vx {

namespace {

const char kLpt1[] = "LPT1:";
const char kUsbBaseName[] = "USB";

}  // namespace

bool ParseUsbPortName(const std::string& port, UsbPortName& out) {
    const std::string base = kUsbBaseName;
    if (port.size() <= base.size() || port.compare(0, base.size(), base) != 0) return false;
    unsigned number = 0;
    for (std::size_t i = base.size(); i < port.size(); ++i) {
        const char c = port[i];
        if (c < '0' || c > '9' || number > 99999) return false;
        number = number * 10 + static_cast<unsigned>(c - '0');
    }
    out = {base, number};
    return true;
}

PrinterDestination FindPrinterDestination(PortOpener& opener, PlatformFamily family,
                                          const std::string& destination) {
    PrinterDestination way;
    // The parallel port's device ID and back channel reach a program only on the 9x family.
    if (destination == kLpt1) {
        if (family != PlatformFamily::Nt) way.kind = LinkKind::Lpt1;
        return way;
    }
    if (ParseUsbPortName(destination, way.usb)) {
        way.kind = LinkKind::Usb;
        return way;
    }
    TcpPortConfig config;
    if (opener.FindTcpPort(destination, config) && config.protocol == kTcpProtocolRaw) {
        way.host = config.hostName.empty() ? config.ipAddress : config.hostName;
        way.rawPort = config.portNumber != 0 ? config.portNumber : kRawPrinterPort;
        if (!way.host.empty()) way.kind = LinkKind::RawTcp;
    }
    return way;
}

std::unique_ptr<PrinterLink> OpenDestination(PortOpener& opener,
                                             const PrinterDestination& destination) {
    std::unique_ptr<PrinterLink> link;
    switch (destination.kind) {
        case LinkKind::Lpt1:
            return OpenPrinterPort(opener);
        case LinkKind::Usb:
            link = opener.OpenUsbPort(destination.usb);
            break;
        case LinkKind::RawTcp:
            link = opener.OpenNetworkPrinter(destination.host, destination.rawPort);
            break;
        case LinkKind::NotReadable:
            break;
    }
    return link ? std::move(link) : UnopenedLink();
}

}  // namespace vx
