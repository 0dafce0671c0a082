#pragma once

#include <windows.h>

#include "printer/printer_link.h"

namespace vx::win32 {

// A port handle opened by the caller; it may be INVALID_HANDLE_VALUE, in which case every
// call fails as the system makes it fail.
class Win32ParallelPort : public PrinterLink {
  public:
    explicit Win32ParallelPort(HANDLE h) : h_(h) {}
    bool GetTimeouts(PortTimeouts& timeouts) override;
    bool SetTimeouts(const PortTimeouts& timeouts) override;
    bool GetDeviceId(std::uint8_t* out, std::size_t size) override;
    long Write(const std::uint8_t* data, std::size_t size) override;
    long Read(std::uint8_t* data, std::size_t size) override;

  private:
    HANDLE h_;
};

}  // namespace vx::win32
