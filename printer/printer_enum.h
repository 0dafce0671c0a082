// Finding the installed printers of the model: those whose driver is one of
// the model's two driver names (exact, case-sensitive).
#pragma once

#include <string>
#include <vector>

#include "printer/platform_family.h"
#include "printer/spooler.h"

namespace vx {

extern const char* const kModelDriverNames[2];
bool IsModelDriver(const std::string& driverName);

struct PrinterRow {
    std::string name;
    std::string destination;  // the port, or the server of an attached network printer
};

// The model's printers in the order the spooler lists them.
//
// NT family: the level-4 list of local and attached printers; for each, the level-2 list of
// its server is searched for the same name with a model driver, and the printer must open
// with PRINTER_ACCESS_USE. Each server's level-2 list is fetched once per enumeration.
// 9x family: the local level-2 list, without the printers that wait for the user.
//
// NoMemory when a list could not be allocated; `rows` then holds what was found before.
EnumResult EnumerateModelPrinters(Spooler& spooler, PlatformFamily family,
                                  std::vector<PrinterRow>& rows);

}  // namespace vx
