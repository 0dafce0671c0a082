#pragma once

#include "printer/usb_link.h"

namespace vx::win32 {

// The printer-class device interfaces (GUID_DEVINTERFACE_USBPRINT) through SetupDi, their
// "Base Name" and "Port Number" device parameters, and a device opened for overlapped
// reads and writes whose waits end at the caller's time-out.
class Win32UsbPrintDevices : public UsbPrintDevices {
  public:
    std::vector<UsbPrintInterface> List() override;
    std::unique_ptr<UsbPrintDevice> Open(const std::string& path) override;
};

}  // namespace vx::win32
