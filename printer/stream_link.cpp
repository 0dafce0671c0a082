#include "printer/stream_link.h"

#include <algorithm>

namespace vx {

namespace {

// A time-out of 0 means "no limit", as on a port; no link waits longer than this.
constexpr std::uint64_t kNoLimitMs = 24ULL * 60 * 60 * 1000;

std::uint64_t Limit(std::uint64_t ms) { return ms == 0 ? kNoLimitMs : ms; }

unsigned AtMost(std::uint64_t ms) {
    return static_cast<unsigned>(std::min<std::uint64_t>(ms, 0x7FFFFFFF));
}

}  // namespace

StreamLink::StreamLink(std::unique_ptr<NetConnection> stream, NetSockets& clock)
    : stream_(std::move(stream)), clock_(clock) {}

bool StreamLink::GetTimeouts(PortTimeouts& t) {
    t = timeouts_;
    return true;
}

bool StreamLink::SetTimeouts(const PortTimeouts& t) {
    timeouts_ = t;
    return true;
}

bool StreamLink::GetDeviceId(std::uint8_t* out, std::size_t size) {
    std::string text;
    if (!ReadDeviceId(text, Limit(timeouts_.readTotalTimeoutConstant))) return false;
    if (text.size() >= 2) {
        const std::size_t length =
            (static_cast<std::size_t>(static_cast<std::uint8_t>(text[0])) << 8) |
            static_cast<std::uint8_t>(text[1]);
        if (length == text.size() || length == text.size() - 2) text.erase(0, 2);
    }
    if (size == 0) return true;
    const std::size_t n = std::min(text.size(), size - 1);
    std::copy(text.begin(), text.begin() + static_cast<long>(n), out);
    std::fill(out + n, out + size, 0);
    return true;
}

long StreamLink::Write(const std::uint8_t* data, std::size_t size) {
    const std::uint64_t ms = std::uint64_t{timeouts_.writeTotalTimeoutMultiplier} * size +
                             timeouts_.writeTotalTimeoutConstant;
    return stream_->Send(data, size, AtMost(Limit(ms)));
}

long StreamLink::Read(std::uint8_t* data, std::size_t size) {
    const std::uint64_t total = Limit(std::uint64_t{timeouts_.readTotalTimeoutMultiplier} * size +
                                      timeouts_.readTotalTimeoutConstant);
    const std::uint64_t start = clock_.NowMs();
    std::size_t got = 0;
    while (got < size) {
        const std::uint64_t spent = clock_.NowMs() - start;
        if (spent >= total) break;
        std::uint64_t wait = total - spent;
        if (got != 0 && timeouts_.readIntervalTimeout != 0)
            wait = std::min<std::uint64_t>(wait, timeouts_.readIntervalTimeout);
        const long n = stream_->Receive(data + got, size - got, AtMost(wait));
        if (n < 0) return got != 0 ? static_cast<long>(got) : -1;
        if (n == 0) break;  // the wait ran out, or the other end closed the stream
        got += static_cast<std::size_t>(n);
    }
    return static_cast<long>(got);
}

}  // namespace vx
