// The network as a network printer's link uses it: one TCP connection to the printer's
// raw port, and one UDP request with its answer for SNMP. The link's logic is portable;
// each platform implements these calls over its own sockets, and the tests fake them.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace vx {

class NetConnection {
  public:
    virtual ~NetConnection() = default;  // closes the connection
    // Sends the bytes, waiting at most `timeoutMs` for the connection to take them. The
    // number of bytes sent; -1 on an error.
    virtual long Send(const std::uint8_t* data, std::size_t size, unsigned timeoutMs) = 0;
    // Waits at most `timeoutMs` for bytes and takes what has arrived, up to `size`. The
    // number of bytes taken: 0 when nothing arrived in time or the printer closed the
    // connection; -1 on an error.
    virtual long Receive(std::uint8_t* data, std::size_t size, unsigned timeoutMs) = 0;
};

class NetSockets {
  public:
    virtual ~NetSockets() = default;
    // A TCP connection to host:port (a name or an IPv4 address), made within `timeoutMs`.
    // Null when it cannot be made.
    virtual std::unique_ptr<NetConnection> Connect(const std::string& host, unsigned port,
                                                   unsigned timeoutMs) = 0;
    // Sends one UDP datagram to host:port and waits at most `timeoutMs` for a datagram back
    // from that address. False when none came.
    virtual bool Exchange(const std::string& host, unsigned port, const std::string& request,
                          unsigned timeoutMs, std::string& answer) = 0;
    // A steady clock in milliseconds, which the link's deadlines are measured on.
    virtual std::uint64_t NowMs() {
        return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                              std::chrono::steady_clock::now().time_since_epoch())
                                              .count());
    }
};

}  // namespace vx
