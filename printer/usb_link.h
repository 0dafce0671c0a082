// A USB printer-class device as a printer link: a parallel printer behind a USB adapter
// cable, or a USB printer. The device that belongs to a spooler port ("USB001") is the
// printer-class interface whose device parameters name that port's base name and number.
// The device ID comes from the class's get-device-ID control call; the request and the
// reply go over its bulk pipes as a stream link, with the parallel port's time-outs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "printer/net_socket.h"
#include "printer/printer_destination.h"
#include "printer/printer_link.h"

namespace vx {

// Some devices fail the device-ID call with a larger buffer.
constexpr std::size_t kUsbDeviceIdBufferSize = 4094;

// One opened printer-class device; closed when the object goes.
class UsbPrintDevice {
  public:
    virtual ~UsbPrintDevice() = default;
    // The get-device-ID control call: its answer (a 2-byte big-endian length, the length
    // included, then the text) into `out`. The number of bytes returned; -1 on failure.
    virtual long GetDeviceId(std::uint8_t* out, std::size_t size) = 0;
    // Each waits at most `timeoutMs`: the number of bytes moved (0 when none in time), -1 on
    // an error.
    virtual long Write(const std::uint8_t* data, std::size_t size, unsigned timeoutMs) = 0;
    virtual long Read(std::uint8_t* data, std::size_t size, unsigned timeoutMs) = 0;
};

struct UsbPrintInterface {
    std::string path;  // what Open takes
    std::string baseName;
    unsigned portNumber = 0;
};

class UsbPrintDevices {
  public:
    virtual ~UsbPrintDevices() = default;
    // The printer-class interfaces present, with the port their device parameters name.
    virtual std::vector<UsbPrintInterface> List() = 0;
    // Opened for reading and writing, not shared; null when it cannot be opened.
    virtual std::unique_ptr<UsbPrintDevice> Open(const std::string& path) = 0;
};

// The link to the device of `port`; null when no interface names it or it does not open.
// `clock` (its NowMs) measures the read deadlines and outlives the link.
std::unique_ptr<PrinterLink> OpenUsbLink(UsbPrintDevices& devices, NetSockets& clock,
                                         const UsbPortName& port);

// The device ID text of a control call's answer of `count` bytes: without its length, and
// cut to it. Empty when the answer holds no length.
std::string DeviceIdFromUsbAnswer(const std::uint8_t* answer, std::size_t count);

}  // namespace vx
