#include "printer/usb_link.h"

#include <algorithm>

#include "printer/stream_link.h"

namespace vx {

namespace {

// The device's bulk pipes as a stream; it owns the device.
class UsbStream : public NetConnection {
  public:
    explicit UsbStream(std::unique_ptr<UsbPrintDevice> device) : device_(std::move(device)) {}
    long Send(const std::uint8_t* data, std::size_t size, unsigned timeoutMs) override {
        return device_->Write(data, size, timeoutMs);
    }
    long Receive(std::uint8_t* data, std::size_t size, unsigned timeoutMs) override {
        return device_->Read(data, size, timeoutMs);
    }

  private:
    std::unique_ptr<UsbPrintDevice> device_;
};

class UsbLink : public StreamLink {
  public:
    // `device` is the one `stream` owns.
    UsbLink(UsbPrintDevice& device, std::unique_ptr<UsbStream> stream, NetSockets& clock)
        : StreamLink(std::move(stream), clock), device_(device) {}

  protected:
    bool ReadDeviceId(std::string& text, std::uint64_t) override {
        std::vector<std::uint8_t> answer(kUsbDeviceIdBufferSize, 0);
        const long n = device_.GetDeviceId(answer.data(), answer.size());
        if (n < 0) return false;
        text = DeviceIdFromUsbAnswer(answer.data(), static_cast<std::size_t>(n));
        return true;
    }

  private:
    UsbPrintDevice& device_;  // owned by the stream
};

}  // namespace

std::string DeviceIdFromUsbAnswer(const std::uint8_t* answer, std::size_t count) {
    if (count < 2) return {};
    const std::size_t declared = (static_cast<std::size_t>(answer[0]) << 8) | answer[1];
    std::size_t length = count - 2;
    if (declared >= 2) length = std::min(length, declared - 2);
    return std::string(answer + 2, answer + 2 + length);
}

std::unique_ptr<PrinterLink> OpenUsbLink(UsbPrintDevices& devices, NetSockets& clock,
                                         const UsbPortName& port) {
    for (const UsbPrintInterface& i : devices.List()) {
        if (i.baseName != port.baseName || i.portNumber != port.number) continue;
        std::unique_ptr<UsbPrintDevice> device = devices.Open(i.path);
        if (!device) return nullptr;
        UsbPrintDevice& opened = *device;
        return std::make_unique<UsbLink>(opened, std::make_unique<UsbStream>(std::move(device)),
                                         clock);
    }
    return nullptr;
}

}  // namespace vx
