#include "printer/printer_enum.h"

#include <map>

namespace vx {

const char* const kModelDriverNames[2] = {"ZAM QX-K480/330(168)", "ZAM QX-K480/330(160)"};

bool IsModelDriver(const std::string& driverName) {
    return driverName == kModelDriverNames[0] || driverName == kModelDriverNames[1];
}

namespace {

const PrinterInfo2* FindModelPrinter(const std::vector<PrinterInfo2>& list,
                                     const std::string& printerName) {
    for (const PrinterInfo2& p : list)
        if (p.printerName == printerName && IsModelDriver(p.driverName)) return &p;
    return nullptr;
}

EnumResult EnumerateNt(Spooler& spooler, std::vector<PrinterRow>& rows) {
    std::vector<PrinterInfo4> printers;
    if (spooler.ListPrinters4(kPrinterEnumLocal | kPrinterEnumConnections, printers) ==
        EnumResult::NoMemory)
        return EnumResult::NoMemory;

    // Printers of one server share its level-2 list: asking once per server keeps the
    // enumeration linear in the number of printers.
    std::map<std::string, std::vector<PrinterInfo2>> serverLists;
    for (const PrinterInfo4& printer : printers) {
        auto it = serverLists.find(printer.serverName);
        if (it == serverLists.end()) {
            std::vector<PrinterInfo2> list;
            if (spooler.ListPrinters2(kPrinterEnumName, printer.serverName, list) ==
                EnumResult::NoMemory)
                return EnumResult::NoMemory;
            it = serverLists.emplace(printer.serverName, std::move(list)).first;
        }
        const PrinterInfo2* match = FindModelPrinter(it->second, printer.printerName);
        if (match == nullptr) continue;

        PrinterHandle handle = 0;
        if (!spooler.Open(match->printerName, kPrinterAccessUse, handle)) continue;
        spooler.Close(handle);

        rows.push_back({printer.printerName, printer.attributes == kPrinterAttributeNetwork
                                                 ? match->serverName
                                                 : match->portName});
    }
    return EnumResult::Listed;
}

EnumResult Enumerate9x(Spooler& spooler, std::vector<PrinterRow>& rows) {
    std::vector<PrinterInfo2> printers;
    if (spooler.ListPrinters2(kPrinterEnumLocal, std::string(), printers) == EnumResult::NoMemory)
        return EnumResult::NoMemory;
    for (const PrinterInfo2& p : printers) {
        if (!IsModelDriver(p.driverName)) continue;
        if (p.status & kPrinterStatusUserIntervention) continue;
        rows.push_back({p.printerName, p.portName});
    }
    return EnumResult::Listed;
}

}  // namespace

EnumResult EnumerateModelPrinters(Spooler& spooler, PlatformFamily family,
                                  std::vector<PrinterRow>& rows) {
    return family == PlatformFamily::Nt ? EnumerateNt(spooler, rows) : Enumerate9x(spooler, rows);
}

}  // namespace vx
