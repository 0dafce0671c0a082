#include "printer/receive.h"

namespace vx {

namespace {

// Stands for the invalid handle of a port that could not be opened.
class UnopenedPort : public PrinterLink {
  public:
    bool GetTimeouts(PortTimeouts&) override { return false; }
    bool SetTimeouts(const PortTimeouts&) override { return false; }
    bool GetDeviceId(std::uint8_t*, std::size_t) override { return false; }
    long Write(const std::uint8_t*, std::size_t) override { return -1; }
    long Read(std::uint8_t*, std::size_t) override { return -1; }
};

}  // namespace

std::unique_ptr<PrinterLink> OpenPrinterPort(PortOpener& opener) {
    for (int attempt = 0; attempt < kPortOpenAttempts; ++attempt) {
        if (std::unique_ptr<PrinterLink> port = opener.OpenLpt1()) return port;
        opener.Sleep(kPortOpenPauseMs);
    }
    return UnopenedLink();
}

std::unique_ptr<PrinterLink> UnopenedLink() { return std::make_unique<UnopenedPort>(); }

SettingsAnswer RequestSettings(PrinterLink& port) {
    SettingsAnswer answer;
    PortTimeouts own;
    if (!port.GetTimeouts(own)) {
        answer.result = RequestResult::TimeoutsNotRead;
        answer.error = port.LastError();
        return answer;
    }
    const PortTimeouts exchange = WithExchangeTimeouts(own);
    if (!port.SetTimeouts(exchange)) {
        answer.result = RequestResult::TimeoutsNotSet;
        answer.error = port.LastError();
    } else if (port.Write(kSettingsRequest.data(), kSettingsRequest.size()) !=
               static_cast<long>(kSettingsRequest.size())) {
        answer.result = RequestResult::RequestNotWritten;
    } else {
        port.SetTimeouts(exchange);  // once more before the read; its answer does not matter
        const long n = port.Read(answer.reply.data(), answer.reply.size());
        if (n < 0) {
            answer.result = RequestResult::ReadFailed;
        } else {
            answer.result = RequestResult::Read;
            answer.count = static_cast<std::size_t>(n);
        }
    }
    port.SetTimeouts(own);
    return answer;
}

}  // namespace vx
