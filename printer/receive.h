// Asking the printer on "LPT1:" for its settings: opening the port, and the
// request/reply exchange with the port's time-outs set around it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

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
};

constexpr int kPortOpenAttempts = 3;
constexpr unsigned kPortOpenPauseMs = 1000;

// Up to three attempts with a pause of one second after each failed one, the last included.
// When none succeeds, a port on which every call fails, as on an invalid handle.
std::unique_ptr<PrinterLink> OpenPrinterPort(PortOpener& opener);

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
