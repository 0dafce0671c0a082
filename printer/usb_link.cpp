#include "printer/usb_link.h"

#include <algorithm>
#include <cstring>

namespace vx {

namespace {

class UsbLink : public PrinterLink {
  public:
    explicit UsbLink(std::unique_ptr<UsbPrintDevice> device) : device_(std::move(device)) {}

    bool GetTimeouts(PortTimeouts& timeouts) override {
        timeouts = timeouts_;
        return true;
    }
    bool SetTimeouts(const PortTimeouts& timeouts) override {
        timeouts_ = timeouts;
        return true;
    }
    bool GetDeviceId(std::uint8_t* out, std::size_t size) override {
        std::vector<std::uint8_t> answer(kUsbDeviceIdBufferSize, 0);
        const long n = device_->GetDeviceId(answer.data(), answer.size());
        return n >= 0 &&
               DeviceIdFromUsbAnswer(answer.data(), static_cast<std::size_t>(n), out, size);
    }
    long Write(const std::uint8_t* data, std::size_t size) override {
        // As on the port: the whole write within the constant plus the multiplier per byte.
        const unsigned total = timeouts_.writeTotalTimeoutConstant +
                               timeouts_.writeTotalTimeoutMultiplier * static_cast<unsigned>(size);
        std::size_t done = 0;
        const std::uint32_t start = device_->NowMs();
        while (done < size) {
            const std::uint32_t spent = device_->NowMs() - start;
            if (spent >= total) break;
            const long n = device_->Write(data + done, size - done, total - spent);
            if (n < 0) return done == 0 ? -1 : static_cast<long>(done);
            done += static_cast<std::size_t>(n);
        }
        return static_cast<long>(done);
    }
    // As a parallel port reads: until the buffer is full, the total time-out has passed, or
    // the interval time-out has passed since the last byte once a first one came.
    long Read(std::uint8_t* data, std::size_t size) override {
        const unsigned total = timeouts_.readTotalTimeoutConstant +
                               timeouts_.readTotalTimeoutMultiplier * static_cast<unsigned>(size);
        const unsigned interval = timeouts_.readIntervalTimeout;
        std::size_t got = 0;
        const std::uint32_t start = device_->NowMs();
        while (got < size) {
            const std::uint32_t spent = device_->NowMs() - start;
            if (spent >= total) break;
            unsigned wait = total - spent;
            if (got != 0 && interval != 0) wait = std::min(wait, interval);
            const long n = device_->Read(data + got, size - got, wait);
            if (n < 0) return got == 0 ? -1 : static_cast<long>(got);
            if (n == 0 && got != 0 && wait == interval) break;  // the interval passed
            got += static_cast<std::size_t>(n);
        }
        return static_cast<long>(got);
    }

  private:
    std::unique_ptr<UsbPrintDevice> device_;
    PortTimeouts timeouts_;  // the device has none of its own: all zero until set
};

}  // namespace

bool DeviceIdFromUsbAnswer(const std::uint8_t* answer, std::size_t count, std::uint8_t* out,
                           std::size_t size) {
    if (count < 2 || size == 0) return false;
    const std::size_t declared = (static_cast<std::size_t>(answer[0]) << 8) | answer[1];
    std::size_t length = count - 2;
    if (declared >= 2) length = std::min(length, declared - 2);
    length = std::min(length, size - 1);
    std::memcpy(out, answer + 2, length);
    out[length] = 0;
    return true;
}

std::unique_ptr<PrinterLink> OpenUsbLink(UsbPrintDevices& devices, const UsbPortName& port) {
    for (const UsbPrintInterface& i : devices.List()) {
        if (i.baseName != port.baseName || i.portNumber != port.number) continue;
        std::unique_ptr<UsbPrintDevice> device = devices.Open(i.path);
        if (!device) return nullptr;
        return std::make_unique<UsbLink>(std::move(device));
    }
    return nullptr;
}

}  // namespace vx
