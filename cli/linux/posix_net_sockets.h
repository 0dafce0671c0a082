// The network as a network printer's link uses it, over POSIX sockets: a TCP
// connection made and used with deadlines (non-blocking, poll), and one UDP
// request whose answer is taken only from the address it was sent to.
#pragma once

#include "printer/net_socket.h"

namespace vx::cli::posix {

// A non-blocking descriptor (a socket, a printer device) as a stream with deadlines; closed
// when the object goes.
class FdStream : public NetConnection {
  public:
    explicit FdStream(int fd) : fd_(fd) {}
    ~FdStream() override;
    FdStream(const FdStream&) = delete;
    FdStream& operator=(const FdStream&) = delete;
    long Send(const std::uint8_t* data, std::size_t size, unsigned timeoutMs) override;
    long Receive(std::uint8_t* data, std::size_t size, unsigned timeoutMs) override;
    int Fd() const { return fd_; }

  private:
    int fd_;
};

class PosixNetSockets : public NetSockets {
  public:
    std::unique_ptr<NetConnection> Connect(const std::string& host, unsigned port,
                                           unsigned timeoutMs) override;
    bool Exchange(const std::string& host, unsigned port, const std::string& request,
                  unsigned timeoutMs, std::string& answer) override;
};

}  // namespace vx::cli::posix
