#pragma once

#include "printer/net_socket.h"

namespace vx::win32 {

// Winsock 2 (started once per process): a non-blocking TCP connection whose waits are
// select() calls, and one UDP socket per exchange.
class Win32NetSockets : public NetSockets {
  public:
    std::unique_ptr<NetConnection> Connect(const std::string& host, unsigned port,
                                           unsigned timeoutMs) override;
    bool Exchange(const std::string& host, unsigned port, const std::string& request,
                  unsigned timeoutMs, std::string& answer) override;
};

}  // namespace vx::win32
