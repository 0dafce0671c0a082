// The way to the printer that the receive and the device-ID query talk over: the
// parallel port "LPT1:", a USB printer-class device, or a network printer's raw port
// with its device ID from SNMP. Every link looks like the parallel port: time-outs that
// bound each read and write, the IEEE 1284 device ID, and a byte stream both ways.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vx {

// The port's time-outs in milliseconds, field for field as the system keeps them.
struct PortTimeouts {
    std::uint32_t readIntervalTimeout = 0;
    std::uint32_t readTotalTimeoutMultiplier = 0;
    std::uint32_t readTotalTimeoutConstant = 0;
    std::uint32_t writeTotalTimeoutMultiplier = 0;
    std::uint32_t writeTotalTimeoutConstant = 0;
};

// Closed when the object goes.
class PrinterLink {
  public:
    virtual ~PrinterLink() = default;
    virtual bool GetTimeouts(PortTimeouts& timeouts) = 0;
    virtual bool SetTimeouts(const PortTimeouts& timeouts) = 0;
    // The IEEE 1284 device ID (control code 17) into `out`; false when the call fails.
    virtual bool GetDeviceId(std::uint8_t* out, std::size_t size) = 0;
    // The number of bytes transferred, or -1 on failure.
    virtual long Write(const std::uint8_t* data, std::size_t size) = 0;
    virtual long Read(std::uint8_t* data, std::size_t size) = 0;
    // The system's error number of the last call that failed.
    virtual unsigned long LastError() const { return 0; }
};

// The time-outs used while talking to the printer; the multipliers keep the port's own values.
constexpr std::uint32_t kReadIntervalTimeoutMs = 200;
constexpr std::uint32_t kReadTotalTimeoutConstantMs = 10000;
constexpr std::uint32_t kWriteTotalTimeoutConstantMs = 30000;

inline PortTimeouts WithExchangeTimeouts(PortTimeouts t) {
    t.readIntervalTimeout = kReadIntervalTimeoutMs;
    t.readTotalTimeoutConstant = kReadTotalTimeoutConstantMs;
    t.writeTotalTimeoutConstant = kWriteTotalTimeoutConstantMs;
    return t;
}

}  // namespace vx
