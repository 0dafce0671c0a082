#include "cli/linux/posix_net_sockets.h"

#include <errno.h>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <unistd.h>
#include <sys/socket.h>

#include <chrono>

namespace vx::cli::posix {

namespace {

using Clock = std::chrono::steady_clock;

int MsLeft(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// Waits until `fd` is ready for `events` or the deadline passes; false when it passed.
bool WaitFor(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        pollfd p{fd, events, 0};
        const int r = ::poll(&p, 1, MsLeft(deadline));
        if (r < 0 && errno == EINTR) continue;
        return r > 0;
    }
}

class Addresses {
  public:
    Addresses(const std::string& host, unsigned port, int type) {
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = type;
        hints.ai_flags = AI_NUMERICSERV;
        if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &list_) != 0)
            list_ = nullptr;
    }
    ~Addresses() {
        if (list_) freeaddrinfo(list_);
    }
    Addresses(const Addresses&) = delete;
    Addresses& operator=(const Addresses&) = delete;
    const addrinfo* begin() const { return list_; }

  private:
    addrinfo* list_ = nullptr;
};

}  // namespace

FdStream::~FdStream() { ::close(fd_); }

long FdStream::Send(const std::uint8_t* data, std::size_t size, unsigned timeoutMs) {
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd_, data + done, size - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!WaitFor(fd_, POLLOUT, deadline)) break;
        } else {
            return done != 0 ? static_cast<long>(done) : -1;
        }
    }
    return static_cast<long>(done);
}

long FdStream::Receive(std::uint8_t* data, std::size_t size, unsigned timeoutMs) {
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const ssize_t n = ::read(fd_, data, size);
        if (n >= 0) return static_cast<long>(n);  // 0: the other end closed the stream
        if (errno == EINTR) continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK) return -1;
        if (!WaitFor(fd_, POLLIN, deadline)) return 0;
    }
}

std::unique_ptr<NetConnection> PosixNetSockets::Connect(const std::string& host, unsigned port,
                                                        unsigned timeoutMs) {
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    Addresses addresses(host, port, SOCK_STREAM);
    for (const addrinfo* a = addresses.begin(); a; a = a->ai_next) {
        const int fd =
            ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
        if (fd < 0) continue;
        int r = ::connect(fd, a->ai_addr, a->ai_addrlen);
        if (r != 0 && errno == EINPROGRESS && WaitFor(fd, POLLOUT, deadline)) {
            int error = 0;
            socklen_t length = sizeof error;
            r = getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0 ? 0 : -1;
        }
        if (r == 0) return std::make_unique<FdStream>(fd);
        ::close(fd);
    }
    return nullptr;
}

bool PosixNetSockets::Exchange(const std::string& host, unsigned port, const std::string& request,
                               unsigned timeoutMs, std::string& answer) {
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    Addresses addresses(host, port, SOCK_DGRAM);
    const addrinfo* a = addresses.begin();
    if (!a) return false;
    const int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
    if (fd < 0) return false;
    // A connected datagram socket takes datagrams from that address only.
    bool ok = ::connect(fd, a->ai_addr, a->ai_addrlen) == 0 &&
              ::send(fd, request.data(), request.size(), 0) == static_cast<ssize_t>(request.size());
    ok = ok && WaitFor(fd, POLLIN, deadline);
    if (ok) {
        char buffer[65536];
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
        ok = n >= 0;
        if (ok) answer.assign(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return ok;
}

}  // namespace vx::cli::posix
