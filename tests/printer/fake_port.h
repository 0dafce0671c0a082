// "LPT1:" for the receive tests: an opener that fails a scripted number of
// times and records its pauses, and a port that answers from a script.
#pragma once

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "printer/receive.h"

namespace vx::test {

struct FakePort {
    // Script
    PortTimeouts own{7, 3, 11, 5, 13};
    bool getTimeoutsFails = false;
    int failSetTimeoutsCall = 0;  // 1-based number of the SetTimeouts call that fails; 0: none
    unsigned long lastError = 0;
    std::string deviceId = "MFG:ZAM;MDL:QX-K480;EXTSTS:00000000;";
    long writeResult = -2;  // -2: everything
    long readResult = -2;   // -2: `reply`
    std::vector<std::uint8_t> reply;

    // Record
    std::vector<std::string> calls;
    std::vector<PortTimeouts> timeoutsSet;
    std::vector<std::uint8_t> written;
    PortTimeouts current = own;
};

class FakePortOpener : public PortOpener {
  public:
    FakePort port;
    int failingOpens = 0;  // this many attempts fail before one succeeds
    int opens = 0;
    std::vector<unsigned> sleeps;

    std::unique_ptr<ParallelPort> OpenLpt1() override {
        ++opens;
        port.calls.push_back("Open");
        if (opens <= failingOpens) return nullptr;
        port.current = port.own;
        return std::make_unique<Handle>(port);
    }
    void Sleep(unsigned ms) override {
        sleeps.push_back(ms);
        port.calls.push_back("Sleep");
    }

  private:
    class Handle : public ParallelPort {
      public:
        explicit Handle(FakePort& p) : p_(p) {}
        ~Handle() override { p_.calls.push_back("Close"); }
        bool GetTimeouts(PortTimeouts& t) override {
            p_.calls.push_back("GetTimeouts");
            if (p_.getTimeoutsFails) return false;
            t = p_.current;
            return true;
        }
        bool SetTimeouts(const PortTimeouts& t) override {
            p_.calls.push_back("SetTimeouts");
            p_.timeoutsSet.push_back(t);
            if (static_cast<int>(p_.timeoutsSet.size()) == p_.failSetTimeoutsCall) return false;
            p_.current = t;
            return true;
        }
        bool GetDeviceId(std::uint8_t* out, std::size_t size) override {
            p_.calls.push_back("GetDeviceId");
            std::memcpy(out, p_.deviceId.data(), std::min(size - 1, p_.deviceId.size()));
            return true;
        }
        long Write(const std::uint8_t* data, std::size_t size) override {
            p_.calls.push_back("Write");
            p_.written.assign(data, data + size);
            return p_.writeResult == -2 ? static_cast<long>(size) : p_.writeResult;
        }
        long Read(std::uint8_t* data, std::size_t size) override {
            p_.calls.push_back("Read");
            if (p_.readResult != -2) return p_.readResult;
            const std::size_t n = std::min(size, p_.reply.size());
            if (n != 0) std::memcpy(data, p_.reply.data(), n);
            return static_cast<long>(n);
        }
        unsigned long LastError() const override { return p_.lastError; }

      private:
        FakePort& p_;
    };
};

}  // namespace vx::test
