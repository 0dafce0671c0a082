#include "printer/net_link.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#include "printer/snmp.h"

namespace vx {

namespace {

// The device-ID GET is sent up to three times, a second apart, always within the read
// time-out the link holds.
constexpr int kSnmpTries = 3;
constexpr unsigned kSnmpTryMs = 1000;
constexpr unsigned kConnectTimeoutMs = 5000;
// A time-out of 0 means "no limit", as on a port; the network never waits longer than this.
constexpr std::uint64_t kNoLimitMs = 24ULL * 60 * 60 * 1000;

std::int32_t NextRequestId(NetSockets& net) {
    // Different from run to run, so a late answer to an earlier run is not taken.
    static std::atomic<std::int32_t> next{static_cast<std::int32_t>(net.NowMs() & 0x3FFFFFFF)};
    return (next++ & 0x3FFFFFFF) + 1;
}

std::uint64_t Limit(std::uint64_t ms) { return ms == 0 ? kNoLimitMs : ms; }

unsigned AtMost(std::uint64_t ms) {
    return static_cast<unsigned>(std::min<std::uint64_t>(ms, 0x7FFFFFFF));
}

class NetworkLink : public PrinterLink {
  public:
    NetworkLink(NetSockets& net, std::string host, unsigned snmpPort,
                std::unique_ptr<NetConnection> connection)
        : net_(net), host_(std::move(host)), snmpPort_(snmpPort), raw_(std::move(connection)) {}

    bool GetTimeouts(PortTimeouts& t) override {
        t = timeouts_;
        return true;
    }
    bool SetTimeouts(const PortTimeouts& t) override {
        timeouts_ = t;
        return true;
    }

    bool GetDeviceId(std::uint8_t* out, std::size_t size) override {
        const std::int32_t id = NextRequestId(net_);
        const std::string request = snmp::DeviceIdRequest(id);
        const std::uint64_t budget = timeouts_.readTotalTimeoutConstant != 0
                                         ? timeouts_.readTotalTimeoutConstant
                                         : kSnmpTries * kSnmpTryMs;
        const std::uint64_t start = net_.NowMs();
        for (int attempt = 0; attempt < kSnmpTries; ++attempt) {
            const std::uint64_t spent = net_.NowMs() - start;
            if (spent >= budget) break;
            std::string answer, text;
            if (net_.Exchange(host_, snmpPort_, request,
                              AtMost(std::min<std::uint64_t>(kSnmpTryMs, budget - spent)),
                              answer) &&
                snmp::ReadDeviceIdResponse(answer, id, text)) {
                Fill(text, out, size);
                return true;
            }
        }
        return false;
    }

    long Write(const std::uint8_t* data, std::size_t size) override {
        const std::uint64_t ms = std::uint64_t{timeouts_.writeTotalTimeoutMultiplier} * size +
                                 timeouts_.writeTotalTimeoutConstant;
        return raw_->Send(data, size, AtMost(Limit(ms)));
    }

    // Until `size` bytes came, the gap after a byte reached the read interval, the total read
    // time-out ran out, or the printer closed the connection.
    long Read(std::uint8_t* data, std::size_t size) override {
        const std::uint64_t total =
            Limit(std::uint64_t{timeouts_.readTotalTimeoutMultiplier} * size +
                  timeouts_.readTotalTimeoutConstant);
        const std::uint64_t start = net_.NowMs();
        std::size_t got = 0;
        while (got < size) {
            const std::uint64_t spent = net_.NowMs() - start;
            if (spent >= total) break;
            std::uint64_t wait = total - spent;
            if (got != 0 && timeouts_.readIntervalTimeout != 0)
                wait = std::min<std::uint64_t>(wait, timeouts_.readIntervalTimeout);
            const long n = raw_->Receive(data + got, size - got, AtMost(wait));
            if (n < 0) return got != 0 ? static_cast<long>(got) : -1;
            if (n == 0) break;  // the wait ran out, or the printer closed the connection
            got += static_cast<std::size_t>(n);
        }
        return static_cast<long>(got);
    }

  private:
    // As the parallel port's driver fills it: the text, cut to the buffer, zero-terminated.
    // Some printers put the two length bytes of the IEEE 1284 form in front: they go.
    static void Fill(std::string text, std::uint8_t* out, std::size_t size) {
        if (text.size() >= 2) {
            const std::size_t length =
                (static_cast<std::uint8_t>(text[0]) << 8) | static_cast<std::uint8_t>(text[1]);
            if (length == text.size() || length == text.size() - 2) text.erase(0, 2);
        }
        if (size == 0) return;
        const std::size_t n = std::min(text.size(), size - 1);
        std::copy(text.begin(), text.begin() + static_cast<long>(n), out);
        std::fill(out + n, out + size, 0);
    }

    NetSockets& net_;
    std::string host_;
    unsigned snmpPort_;
    std::unique_ptr<NetConnection> raw_;
    PortTimeouts timeouts_{};
};

}  // namespace

std::unique_ptr<PrinterLink> OpenNetworkLink(NetSockets& net, const std::string& host,
                                             unsigned rawPort, unsigned snmpPort) {
    std::unique_ptr<NetConnection> connection = net.Connect(host, rawPort, kConnectTimeoutMs);
    if (!connection) return nullptr;
    return std::make_unique<NetworkLink>(net, host, snmpPort, std::move(connection));
}

}  // namespace vx
