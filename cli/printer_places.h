// Where a CUPS queue's printer is, from its device URI: a network printer's raw
// port (socket://HOST[:PORT]) or a USB printer named by make, model and serial
// (usb://MAKE/MODEL?serial=…), found among the USB printers by its device ID.
#pragma once

#include <string>

#include "cli/cli_platform.h"

namespace vx::cli {

struct UsbPrinterName {
    std::string make, model, serial;  // serial empty: any
};

enum class DeviceUriKind { Socket, Usb, Other };

// A socket:// URI fills `place`; a usb:// URI fills `usb` (percent-escapes decoded).
DeviceUriKind ParseDeviceUri(const std::string& uri, PrinterPlace& place, UsbPrinterName& usb);

// True when the IEEE 1284 device ID names that printer: its MFG (MANUFACTURER), MDL (MODEL)
// and, when the name has one, SN (SERN, SERIALNUMBER) fields, ASCII case ignored.
bool DeviceIdNames(const std::string& deviceId, const UsbPrinterName& name);

}  // namespace vx::cli
