// Is the printer on the parallel port idle and free of errors? Its IEEE 1284
// device ID carries an extended-status field, "EXTSTS:", whose first eight
// characters read as the decimal number 0 when it is.
#pragma once

#include <array>
#include <cstddef>

#include "printer/printer_link.h"

namespace vx {

constexpr std::size_t kDeviceIdSize = 256;
constexpr std::size_t kStatusBufferSize = 256;
using StatusBuffer = std::array<char, kStatusBufferSize>;

// "11111111" and zeros: what a device ID without an extended status leaves behind.
StatusBuffer InitialStatusBuffer();

// Walks the fields of a zero-terminated device ID text and copies the value of
// "EXTSTS:" over the beginning of `status`, without a terminator.
void ReadExtendedStatus(const char* text, StatusBuffer& status);

// The first eight characters read as a decimal integer (blanks, one sign, digits): 0 is ready.
bool IsReadyStatus(const StatusBuffer& status);

// Sets the exchange time-outs, reads the device ID, puts the port's time-outs back
// and judges the status. Returns 1 when the printer is ready, 0 on anything else.
int QueryPrinterReady(PrinterLink& port);

}  // namespace vx
