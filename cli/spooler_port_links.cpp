#include "cli/spooler_port_links.h"

namespace vx::cli {

std::unique_ptr<PrinterLink> SpoolerPortLinks::OpenDevice(const std::string& port,
                                                          std::string& error) {
    const PrinterDestination way = FindPrinterDestination(opener_, family_, port);
    if (way.kind != LinkKind::Usb && way.kind != LinkKind::Lpt1) {
        error = port;
        return nullptr;
    }
    return OpenDestination(opener_, way);
}

bool SpoolerPortLinks::Locate(const std::string& destination, PrinterPlace& place,
                              std::string& why) {
    const PrinterDestination way = FindPrinterDestination(opener_, family_, destination);
    switch (way.kind) {
        case LinkKind::RawTcp:
            place.kind = PrinterPlace::Network;
            place.host = way.host;
            place.port = way.rawPort;
            return true;
        case LinkKind::Usb:
        case LinkKind::Lpt1:
            place.kind = PrinterPlace::Device;
            place.device = destination;
            return true;
        case LinkKind::NotReadable:
            break;
    }
    why = destination;
    return false;
}

}  // namespace vx::cli
