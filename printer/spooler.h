// The print spooler as the settings program uses it: listing printers, and
// raw jobs. Names and texts are UTF-8; the Win32 side converts them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vx {

// Flags of the printer enumeration, as the spooler numbers them.
constexpr std::uint32_t kPrinterEnumLocal = 0x2;
constexpr std::uint32_t kPrinterEnumConnections = 0x4;
constexpr std::uint32_t kPrinterEnumName = 0x8;

constexpr std::uint32_t kPrinterAttributeNetwork = 0x10;
constexpr std::uint32_t kPrinterStatusUserIntervention = 0x00100000;

// Desired access when a printer is opened.
constexpr std::uint32_t kPrinterAccessUse = 0x8;
constexpr std::uint32_t kPrinterAccessNone = 0;

// What the level-4 listing says of a printer.
struct PrinterInfo4 {
    std::string printerName;
    std::string serverName;  // empty for a local printer
    std::uint32_t attributes = 0;
};

// What the level-2 listing says of a printer (the fields used here).
struct PrinterInfo2 {
    std::string serverName;
    std::string printerName;
    std::string portName;
    std::string driverName;
    std::uint32_t attributes = 0;
    std::uint32_t status = 0;
};

enum class EnumResult {
    Listed,    // the list holds what the spooler returned (possibly nothing)
    NoMemory,  // the buffer for the list could not be allocated; the list is empty
};

using PrinterHandle = std::uintptr_t;

class Spooler {
  public:
    virtual ~Spooler() = default;

    // Level 4 with `flags`, no name. A spooler call that fails leaves the list empty.
    virtual EnumResult ListPrinters4(std::uint32_t flags, std::vector<PrinterInfo4>& out) = 0;
    // Level 2 with `flags` and `name` (an empty name is passed as no name).
    virtual EnumResult ListPrinters2(std::uint32_t flags, const std::string& name,
                                     std::vector<PrinterInfo2>& out) = 0;

    // Opened with no data type and no device mode. False when it cannot be opened.
    virtual bool Open(const std::string& name, std::uint32_t access, PrinterHandle& handle) = 0;
    // The Status field of the level-2 information. False when it cannot be read.
    virtual bool ReadStatus(PrinterHandle handle, std::uint32_t& status) = 0;
    // Level 1: this document name, no output file, the printer's own data type.
    virtual bool StartDocument(PrinterHandle handle, const std::string& documentName) = 0;
    virtual bool Reset(PrinterHandle handle) = 0;  // no defaults
    // One write; `written` is what the spooler reports as written.
    virtual bool Write(PrinterHandle handle, const std::uint8_t* data, std::size_t size,
                       std::size_t& written) = 0;
    virtual bool EndDocument(PrinterHandle handle) = 0;
    virtual bool Close(PrinterHandle handle) = 0;
};

}  // namespace vx
