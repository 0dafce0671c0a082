// A parallel port that records every call and answers from a script.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "printer/parallel_port.h"

namespace vx::test {

class FakeParallelPort : public ParallelPort {
  public:
    // Script
    PortTimeouts portTimeouts{7, 3, 11, 5, 13};  // the port's own values
    bool getTimeoutsFails = false;
    std::vector<bool>
        setTimeoutsResults;  // answers of successive SetTimeouts calls (default: true)
    bool deviceIdFails = false;
    std::vector<std::uint8_t> deviceId;  // raw output bytes the driver fills in
    long writeResult = -2;               // -2: write everything
    long readResult = -2;                // -2: give `reply`
    std::vector<std::uint8_t> reply;

    // Record
    std::vector<std::string> calls;
    std::vector<PortTimeouts> timeoutsSet;
    std::vector<std::uint8_t> written;

    bool GetTimeouts(PortTimeouts& t) override {
        calls.push_back("GetTimeouts");
        if (getTimeoutsFails) return false;
        t = portTimeouts;
        return true;
    }
    bool SetTimeouts(const PortTimeouts& t) override {
        calls.push_back("SetTimeouts");
        timeoutsSet.push_back(t);
        const std::size_t i = timeoutsSet.size() - 1;
        const bool ok = i < setTimeoutsResults.size() ? setTimeoutsResults[i] : true;
        if (ok) portTimeouts = t;
        return ok;
    }
    bool GetDeviceId(std::uint8_t* out, std::size_t size) override {
        calls.push_back("GetDeviceId");
        if (deviceIdFails) return false;
        if (!deviceId.empty()) std::memcpy(out, deviceId.data(), std::min(size, deviceId.size()));
        return true;
    }
    long Write(const std::uint8_t* data, std::size_t size) override {
        calls.push_back("Write");
        written.assign(data, data + size);
        return writeResult == -2 ? static_cast<long>(size) : writeResult;
    }
    long Read(std::uint8_t* data, std::size_t size) override {
        calls.push_back("Read");
        if (readResult != -2) return readResult;
        const std::size_t n = std::min(size, reply.size());
        if (n != 0) std::memcpy(data, reply.data(), n);
        return static_cast<long>(n);
    }

    void SetDeviceIdText(const std::string& text) { deviceId.assign(text.begin(), text.end()); }
};

}  // namespace vx::test
