// Asking the printer for its settings: opening its link, and the request/reply exchange
// with the link's time-outs set around it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "printer/printer_destination.h"
#include "printer/printer_link.h"
#include "printer/settings_reply.h"

namespace vx {

class PortOpener {
  public:
    virtual ~PortOpener() = default;
    // "LPT1:" for reading and writing, not shared, opened or created. Null when it cannot be
    // opened; the port is closed when the object goes.
    virtual std::unique_ptr<PrinterLink> OpenLpt1() = 0;
    virtual void Sleep(unsigned milliseconds) = 0;
    // The configuration of the Standard TCP/IP port of this name; false when there is none.
    virtual bool FindTcpPort(const std::string& /*portName*/, TcpPortConfig& /*config*/) {
        return false;
    }
    // The USB printer-class device behind the port, opened for one exchange; null when there
    // is none or it cannot be opened (the spooler is printing to it).
    virtual std::unique_ptr<PrinterLink> OpenUsbPort(const UsbPortName& /*port*/) {
        return nullptr;
    }
    // The network printer at `host` with its raw port; null when it cannot be reached.
    virtual std::unique_ptr<PrinterLink> OpenNetworkPrinter(const std::string& /*host*/,
                                                            unsigned /*rawPort*/) {
        return nullptr;
    }
};

constexpr int kPortOpenAttempts = 3;
constexpr unsigned kPortOpenPauseMs = 1000;

// Up to three attempts with a pause of one second after each failed one, the last included.
// When none succeeds, a port on which every call fails, as on an invalid handle.
std::unique_ptr<PrinterLink> OpenPrinterPort(PortOpener& opener);

// A link on which every call fails, as on the invalid handle of a port that did not open.
std::unique_ptr<PrinterLink> UnopenedLink();

enum class RequestResult {
    TimeoutsNotRead,  // nothing was changed on the port
    TimeoutsNotSet,
    RequestNotWritten,  // fewer than the 5 request bytes went out
    ReadFailed,
    Read,  // `count` bytes arrived (possibly none)
};

struct SettingsAnswer {
    RequestResult result = RequestResult::ReadFailed;
    unsigned long error = 0;  // the system's error number for the two time-out failures
    std::array<std::uint8_t, kReplyBufferSize> reply{};
    std::size_t count = 0;
};

// Reads the port's time-outs, sets the exchange time-outs, writes the request, sets the
// time-outs once more and reads up to 29 bytes; the port's own time-outs are written back
// on every path that changed them.
SettingsAnswer RequestSettings(PrinterLink& port);

}  // namespace vx
