// Where a printer's destination (its spooler port) is reached for reading its settings:
// the parallel port "LPT1:" on the 9x family, a USB printer-class device ("USB001"), the
// raw port of a network printer on a Standard TCP/IP port, or not at all.
#pragma once

#include <memory>
#include <string>

#include "printer/platform_family.h"
#include "printer/printer_link.h"

namespace vx {

class PortOpener;

enum class LinkKind { NotReadable, Lpt1, Usb, RawTcp };

// A USB printer port as the system names it: base name and number ("USB" and 1 for "USB001").
struct UsbPortName {
    std::string baseName;
    unsigned number = 0;
};

// What a Standard TCP/IP port's configuration says (missing values empty or 0).
struct TcpPortConfig {
    std::string hostName;
    std::string ipAddress;
    unsigned portNumber = 0;
    unsigned protocol = 0;
};
constexpr unsigned kTcpProtocolRaw = 1;  // 2 is LPR, which carries no reply

struct PrinterDestination {
    LinkKind kind = LinkKind::NotReadable;
    UsbPortName usb;   // kind Usb
    std::string host;  // kind RawTcp
    unsigned rawPort = 0;
};

// "USB" followed by digits only, case as the system writes it.
bool ParseUsbPortName(const std::string& port, UsbPortName& out);

// How `destination` is reached on this platform family. Only a raw Standard TCP/IP port is
// looked up (through `opener`); its host is the host name, or the address when none is set.
PrinterDestination FindPrinterDestination(PortOpener& opener, PlatformFamily family,
                                          const std::string& destination);

// The link for one exchange. "LPT1:" gets its three attempts; the other links one. A link
// that cannot be opened is one on which every call fails, so the printer reads as not ready.
std::unique_ptr<PrinterLink> OpenDestination(PortOpener& opener,
                                             const PrinterDestination& destination);

}  // namespace vx
