// A printer link over a byte stream with deadlines (a TCP connection to a raw port, a USB
// printer device): the time-outs it is given bound each write and read as they bound a
// port's, and the device ID comes from wherever the transport keeps it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "printer/net_socket.h"
#include "printer/printer_link.h"

namespace vx {

class StreamLink : public PrinterLink {
  public:
    // `clock` measures the deadlines; it outlives the link.
    StreamLink(std::unique_ptr<NetConnection> stream, NetSockets& clock);

    bool GetTimeouts(PortTimeouts& t) override;
    bool SetTimeouts(const PortTimeouts& t) override;
    // As a port's driver fills it: the text, cut to the buffer and zero-terminated. A text
    // with the two length bytes of the IEEE 1284 form in front loses them.
    bool GetDeviceId(std::uint8_t* out, std::size_t size) override;
    // Within the write time-out (multiplier × bytes + constant).
    long Write(const std::uint8_t* data, std::size_t size) override;
    // Until `size` bytes came, the gap after a byte reached the read interval, the total
    // read time-out ran out, or the other end closed the stream.
    long Read(std::uint8_t* data, std::size_t size) override;

  protected:
    // The device ID text, got within `budgetMs`.
    virtual bool ReadDeviceId(std::string& text, std::uint64_t budgetMs) = 0;
    const PortTimeouts& Timeouts() const { return timeouts_; }
    NetSockets& Clock() { return clock_; }

  private:
    std::unique_ptr<NetConnection> stream_;
    NetSockets& clock_;
    PortTimeouts timeouts_{};
};

}  // namespace vx
