// Raw print jobs: the settings block and the print-settings command travel to
// the printer as one spooler job each, written unchanged.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "printer/platform_family.h"
#include "printer/spooler.h"
#include "settings/printer_commands.h"

namespace vx {

extern const char kSendJobName[];   // "Veltrix Status Write"
extern const char kPrintJobName[];  // "Veltrix Print Setting"

// Opens the printer as the platform family wants it (NT: PRINTER_ACCESS_USE; 9x: no access,
// and a printer waiting for the user is not usable), then starts a document, resets the
// printer, writes `data` in one write and ends the document. The printer is closed before
// returning. True only when the whole job went out: the write succeeded for every byte and
// the document ended.
bool WriteRawJob(Spooler& spooler, PlatformFamily family, const std::string& printerName,
                 const char* documentName, const std::uint8_t* data, std::size_t size);

}  // namespace vx
