#pragma once

#include "printer/receive.h"

namespace vx::win32 {

// "LPT1:" through CreateFileA, and the system's Sleep.
class Win32PortOpener : public PortOpener {
  public:
    std::unique_ptr<PrinterLink> OpenLpt1() override;
    void Sleep(unsigned milliseconds) override;
};

}  // namespace vx::win32
