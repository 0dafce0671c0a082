#include "printer/net_link.h"

#include <algorithm>
#include <atomic>

#include "printer/snmp.h"
#include "printer/stream_link.h"

namespace vx {

namespace {

// The device-ID GET is sent up to three times, a second apart, always within the read
// time-out the link holds.
constexpr int kSnmpTries = 3;
constexpr unsigned kSnmpTryMs = 1000;
constexpr unsigned kConnectTimeoutMs = 5000;

std::int32_t NextRequestId(NetSockets& net) {
    // Different from run to run, so a late answer to an earlier run is not taken.
    static std::atomic<std::int32_t> next{static_cast<std::int32_t>(net.NowMs() & 0x3FFFFFFF)};
    return (next++ & 0x3FFFFFFF) + 1;
}

class NetworkLink : public StreamLink {
  public:
    NetworkLink(NetSockets& net, std::string host, unsigned snmpPort,
                std::unique_ptr<NetConnection> connection)
        : StreamLink(std::move(connection), net),
          net_(net),
          host_(std::move(host)),
          snmpPort_(snmpPort) {}

  protected:
    bool ReadDeviceId(std::string& text, std::uint64_t budgetMs) override {
        const std::int32_t id = NextRequestId(net_);
        const std::string request = snmp::DeviceIdRequest(id);
        const std::uint64_t start = net_.NowMs();
        for (int attempt = 0; attempt < kSnmpTries; ++attempt) {
            const std::uint64_t spent = net_.NowMs() - start;
            if (spent >= budgetMs) break;
            const auto wait =
                static_cast<unsigned>(std::min<std::uint64_t>(kSnmpTryMs, budgetMs - spent));
            std::string answer;
            if (net_.Exchange(host_, snmpPort_, request, wait, answer) &&
                snmp::ReadDeviceIdResponse(answer, id, text))
                return true;
        }
        return false;
    }

  private:
    NetSockets& net_;
    std::string host_;
    unsigned snmpPort_;
};

}  // namespace

std::unique_ptr<PrinterLink> OpenNetworkLink(NetSockets& net, const std::string& host,
                                             unsigned rawPort, unsigned snmpPort) {
    std::unique_ptr<NetConnection> connection = net.Connect(host, rawPort, kConnectTimeoutMs);
    if (!connection) return nullptr;
    return std::make_unique<NetworkLink>(net, host, snmpPort, std::move(connection));
}

}  // namespace vx
