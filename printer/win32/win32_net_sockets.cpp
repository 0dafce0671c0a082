#include "printer/win32/win32_net_sockets.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <windows.h>

#include <utility>

#include "common/win32/owned_socket.h"

namespace vx::win32 {

namespace {

bool StartWinsock() {
    static const bool started = [] {
        WSADATA data{};
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

// The first IPv4 address of `host` (a name or a dotted address).
bool Resolve(const std::string& host, unsigned port, sockaddr_in& out) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    AddressList found;
    if (getaddrinfo(host.c_str(), nullptr, &hints, found.Put()) != 0 || !found) return false;
    out = *reinterpret_cast<const sockaddr_in*>(found.Get()->ai_addr);
    out.sin_port = htons(static_cast<u_short>(port));
    return true;
}

// Waits at most `timeoutMs` for the socket to become readable (or writable).
bool WaitFor(SOCKET s, bool write, unsigned timeoutMs) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    fd_set failed;
    FD_ZERO(&failed);
    FD_SET(s, &failed);
    timeval tv{static_cast<long>(timeoutMs / 1000), static_cast<long>(timeoutMs % 1000) * 1000};
    const int n = select(0, write ? nullptr : &set, write ? &set : nullptr, &failed, &tv);
    return n > 0 && FD_ISSET(s, &set);
}

class Win32Connection : public NetConnection {
  public:
    explicit Win32Connection(Socket s) : s_(std::move(s)) {}
    long Send(const std::uint8_t* data, std::size_t size, unsigned timeoutMs) override {
        if (!WaitFor(s_.Get(), true, timeoutMs)) return 0;
        const int n =
            send(s_.Get(), reinterpret_cast<const char*>(data), static_cast<int>(size), 0);
        return n == SOCKET_ERROR ? -1 : n;
    }
    long Receive(std::uint8_t* data, std::size_t size, unsigned timeoutMs) override {
        if (!WaitFor(s_.Get(), false, timeoutMs)) return 0;
        const int n = recv(s_.Get(), reinterpret_cast<char*>(data), static_cast<int>(size), 0);
        return n == SOCKET_ERROR ? -1 : n;
    }

  private:
    Socket s_;
};

}  // namespace

std::unique_ptr<NetConnection> Win32NetSockets::Connect(const std::string& host, unsigned port,
                                                        unsigned timeoutMs) {
    sockaddr_in address{};
    if (!StartWinsock() || !Resolve(host, port, address)) return nullptr;
    Socket s(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (!s) return nullptr;
    u_long nonBlocking = 1;
    ioctlsocket(s.Get(), FIONBIO, &nonBlocking);
    if (connect(s.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) ==
            SOCKET_ERROR &&
        (WSAGetLastError() != WSAEWOULDBLOCK || !WaitFor(s.Get(), true, timeoutMs)))
        return nullptr;
    return std::make_unique<Win32Connection>(std::move(s));
}

bool Win32NetSockets::Exchange(const std::string& host, unsigned port, const std::string& request,
                               unsigned timeoutMs, std::string& answer) {
    sockaddr_in address{};
    if (!StartWinsock() || !Resolve(host, port, address)) return false;
    Socket s(socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP));
    if (!s) return false;
    // Connected: only datagrams from that address come back.
    if (connect(s.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) ==
            SOCKET_ERROR ||
        send(s.Get(), request.data(), static_cast<int>(request.size()), 0) == SOCKET_ERROR ||
        !WaitFor(s.Get(), false, timeoutMs))
        return false;
    std::string buffer(65535, '\0');  // the largest UDP datagram
    const int n = recv(s.Get(), buffer.data(), static_cast<int>(buffer.size()), 0);
    if (n == SOCKET_ERROR) return false;
    answer.assign(buffer, 0, static_cast<std::size_t>(n));
    return true;
}

}  // namespace vx::win32
