#include "cli/deadline_link.h"

#include <algorithm>

namespace vx::cli {

bool DeadlineLink::SetTimeouts(const PortTimeouts& timeouts) {
    // The totals become the time left at most (0, no limit, too); the multipliers go, so that
    // no read or write of any length outlasts the deadline.
    const auto left = static_cast<std::uint32_t>(std::clamp<long long>(Left(), 1, 0x7FFFFFFF));
    auto cut = [left](std::uint32_t ms) { return ms == 0 ? left : std::min(ms, left); };
    PortTimeouts t = timeouts;
    t.readTotalTimeoutConstant = cut(t.readTotalTimeoutConstant);
    t.writeTotalTimeoutConstant = cut(t.writeTotalTimeoutConstant);
    t.readTotalTimeoutMultiplier = t.writeTotalTimeoutMultiplier = 0;
    if (t.readIntervalTimeout != 0) t.readIntervalTimeout = std::min(t.readIntervalTimeout, left);
    return link_.SetTimeouts(t);
}

bool DeadlineLink::GetDeviceId(std::uint8_t* out, std::size_t size) {
    if (!Started()) return false;
    const bool got = link_.GetDeviceId(out, size);
    Ended(got);
    return got;
}

long DeadlineLink::Write(const std::uint8_t* data, std::size_t size) {
    if (!Started()) return -1;
    const long n = link_.Write(data, size);
    Ended(n == static_cast<long>(size));
    return n;
}

long DeadlineLink::Read(std::uint8_t* data, std::size_t size) {
    if (!Started()) return -1;
    const long n = link_.Read(data, size);
    Ended(n == static_cast<long>(size));
    return n;
}

bool DeadlineLink::Started() {
    if (Left() > 0) return true;
    timedOut_ = true;
    return false;
}

void DeadlineLink::Ended(bool complete) {
    if (!complete && Left() <= 0) timedOut_ = true;
}

}  // namespace vx::cli
