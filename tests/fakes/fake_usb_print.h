// USB printer-class devices in memory: interfaces with the ports they name, and a device
// whose answers arrive after scripted delays on the fake network's clock, which moves only
// when the device waits.
#pragma once

#include <algorithm>
#include <cstring>
#include <deque>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "printer/usb_link.h"
#include "tests/fakes/fake_net_sockets.h"

namespace vx::test {

struct FakeUsbDeviceState {
    // Script
    long deviceIdResult = -2;            // -2: the answer below
    std::vector<std::uint8_t> deviceId;  // the control call's answer, length bytes included
    struct Chunk {
        unsigned delayMs;
        std::vector<std::uint8_t> bytes;
    };
    std::deque<Chunk> replies;  // what the read pipe gives, and when
    bool readFails = false;

    // Record
    FakeNetSockets clock;  // its `now` is the time
    std::vector<std::size_t> deviceIdBufferSizes;
    std::vector<std::uint8_t> written;
    std::vector<unsigned> readWaits;
    bool open = false;

    void SetDeviceIdText(const std::string& text) {
        const std::size_t n = text.size() + 2;
        deviceId = {static_cast<std::uint8_t>(n >> 8), static_cast<std::uint8_t>(n & 0xFF)};
        deviceId.insert(deviceId.end(), text.begin(), text.end());
    }
};

class FakeUsbPrintDevices : public UsbPrintDevices {
  public:
    std::vector<UsbPrintInterface> interfaces;
    FakeUsbDeviceState device;  // behind every interface
    std::vector<std::string> opened;
    bool openFails = false;  // the spooler holds the device

    std::vector<UsbPrintInterface> List() override { return interfaces; }
    std::unique_ptr<UsbPrintDevice> Open(const std::string& path) override {
        opened.push_back(path);
        if (openFails) return nullptr;
        return std::make_unique<Device>(device);
    }

  private:
    class Device : public UsbPrintDevice {
      public:
        explicit Device(FakeUsbDeviceState& s) : s_(s) { s_.open = true; }
        ~Device() override { s_.open = false; }
        long GetDeviceId(std::uint8_t* out, std::size_t size) override {
            s_.deviceIdBufferSizes.push_back(size);
            if (s_.deviceIdResult != -2) return s_.deviceIdResult;
            const std::size_t n = std::min(size, s_.deviceId.size());
            if (n != 0) std::memcpy(out, s_.deviceId.data(), n);
            return static_cast<long>(n);
        }
        long Write(const std::uint8_t* data, std::size_t size, unsigned) override {
            s_.written.insert(s_.written.end(), data, data + size);
            return static_cast<long>(size);
        }
        long Read(std::uint8_t* data, std::size_t size, unsigned timeoutMs) override {
            s_.readWaits.push_back(timeoutMs);
            if (s_.readFails) return -1;
            if (s_.replies.empty() || s_.replies.front().delayMs > timeoutMs) {
                if (!s_.replies.empty()) s_.replies.front().delayMs -= timeoutMs;
                s_.clock.now += timeoutMs;
                return 0;
            }
            FakeUsbDeviceState::Chunk& c = s_.replies.front();
            s_.clock.now += c.delayMs;
            c.delayMs = 0;
            const std::size_t n = std::min(size, c.bytes.size());
            std::memcpy(data, c.bytes.data(), n);
            c.bytes.erase(c.bytes.begin(), c.bytes.begin() + static_cast<long>(n));
            if (c.bytes.empty()) s_.replies.pop_front();
            return static_cast<long>(n);
        }

      private:
        FakeUsbDeviceState& s_;
    };
};

}  // namespace vx::test
