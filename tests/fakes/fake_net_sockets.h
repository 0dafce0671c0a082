// The network in memory, on a clock of its own: a printer's raw port that answers from a
// script at scripted moments, and its SNMP agent. Waiting moves the clock instead of
// sleeping, so a test of a ten-second time-out takes no time and measures it exactly.
#pragma once

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "printer/net_socket.h"
#include "printer/snmp.h"

namespace vx::test {

class FakeNetSockets : public NetSockets {
  public:
    struct Chunk {
        std::uint64_t delayMs;  // after the last bytes sent, or after the chunk before it
        std::vector<std::uint8_t> bytes;
    };

    // Script
    bool refuseConnect = false;
    std::set<std::string> unreachable;  // hosts whose raw port refuses
    std::string deviceId = "MFG:ZAM;MDL:QX-K480/330;EXTSTS:00000000;";
    std::map<std::string, std::string> deviceIdOf;  // hosts with a device ID of their own
    int silentSnmpTries = 0;                        // the first this many GETs go unanswered
    // What the agent answers; by default a printer's answer holding `deviceId`.
    std::function<std::string(const std::string& request)> snmpAnswer;
    std::vector<Chunk> replies;       // the raw port's answer to what was sent
    bool closesAfterReplies = false;  // the printer closes the connection after the last chunk

    // Record
    std::uint64_t now = 0;
    std::vector<std::string> calls;  // "Connect 10.0.0.5:9100 within 5000", "Exchange ...", ...
    std::vector<std::uint8_t> sent;
    int snmpTries = 0;

    std::uint64_t NowMs() override { return now; }

    std::unique_ptr<NetConnection> Connect(const std::string& host, unsigned port,
                                           unsigned timeoutMs) override {
        calls.push_back("Connect " + host + ":" + std::to_string(port) + " within " +
                        std::to_string(timeoutMs));
        if (refuseConnect || unreachable.count(host) != 0) return nullptr;
        return std::make_unique<Connection>(*this);
    }

    bool Exchange(const std::string& host, unsigned port, const std::string& request,
                  unsigned timeoutMs, std::string& answer) override {
        const std::lock_guard<std::mutex> hold(exchanges_);  // several printers asked at once
        calls.push_back("Exchange " + host + ":" + std::to_string(port) + " within " +
                        std::to_string(timeoutMs));
        if (++snmpTries <= silentSnmpTries) {
            now += timeoutMs;
            return false;
        }
        if (snmpAnswer) {
            answer = snmpAnswer(request);
            return true;
        }
        const auto own = deviceIdOf.find(host);
        return snmp::AnswerDeviceIdGet(request, own != deviceIdOf.end() ? own->second : deviceId,
                                       answer);
    }

  private:
    std::mutex exchanges_;

    class Connection : public NetConnection {
      public:
        explicit Connection(FakeNetSockets& net) : net_(net) {}
        ~Connection() override { net_.calls.push_back("Close"); }

        long Send(const std::uint8_t* data, std::size_t size, unsigned timeoutMs) override {
            net_.calls.push_back("Send " + std::to_string(size) + " within " +
                                 std::to_string(timeoutMs));
            net_.sent.insert(net_.sent.end(), data, data + size);
            arrival_ = net_.now;
            next_ = 0;
            taken_ = 0;
            if (!net_.replies.empty()) arrival_ += net_.replies[0].delayMs;
            return static_cast<long>(size);
        }

        long Receive(std::uint8_t* data, std::size_t size, unsigned timeoutMs) override {
            net_.calls.push_back("Receive " + std::to_string(size) + " within " +
                                 std::to_string(timeoutMs));
            const std::vector<Chunk>& chunks = net_.replies;
            if (next_ >= chunks.size()) {
                if (!net_.closesAfterReplies) net_.now += timeoutMs;
                return 0;
            }
            if (arrival_ > net_.now + timeoutMs) {
                net_.now += timeoutMs;
                return 0;
            }
            net_.now = std::max(net_.now, arrival_);
            const std::vector<std::uint8_t>& bytes = chunks[next_].bytes;
            const std::size_t n = std::min(size, bytes.size() - taken_);
            std::memcpy(data, bytes.data() + taken_, n);
            taken_ += n;
            if (taken_ == bytes.size()) {
                taken_ = 0;
                if (++next_ < chunks.size()) arrival_ = net_.now + chunks[next_].delayMs;
            }
            return static_cast<long>(n);
        }

      private:
        FakeNetSockets& net_;
        std::uint64_t arrival_ = 0;  // when the next chunk is there
        std::size_t next_ = 0;
        std::size_t taken_ = 0;
    };
};

}  // namespace vx::test
