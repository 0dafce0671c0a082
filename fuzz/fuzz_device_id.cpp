// The device ID text comes from whatever answers on the parallel port.
#include <cstring>

#include "printer/device_id.h"

namespace {

class ScriptedPort : public vx::PrinterLink {
  public:
    ScriptedPort(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool GetTimeouts(vx::PortTimeouts& t) override {
        t = {};
        return true;
    }
    bool SetTimeouts(const vx::PortTimeouts&) override { return true; }
    bool GetDeviceId(std::uint8_t* out, std::size_t size) override {
        // The driver may fill the whole buffer, terminator or not.
        std::memcpy(out, data_, size_ < size ? size_ : size);
        return true;
    }
    long Write(const std::uint8_t*, std::size_t) override { return -1; }
    long Read(std::uint8_t*, std::size_t) override { return -1; }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ScriptedPort port(data, size);
    vx::QueryPrinterReady(port);
    return 0;
}
