#pragma once

#include "printer/spooler.h"

namespace vx::win32 {

// The spooler's ANSI functions. Texts cross in the system code page and are UTF-8 here.
class Win32Spooler : public Spooler {
  public:
    EnumResult ListPrinters4(std::uint32_t flags, std::vector<PrinterInfo4>& out) override;
    EnumResult ListPrinters2(std::uint32_t flags, const std::string& name,
                             std::vector<PrinterInfo2>& out) override;
    bool Open(const std::string& name, std::uint32_t access, PrinterHandle& handle) override;
    bool ReadStatus(PrinterHandle handle, std::uint32_t& status) override;
    bool StartDocument(PrinterHandle handle, const std::string& documentName) override;
    bool Reset(PrinterHandle handle) override;
    bool Write(PrinterHandle handle, const std::uint8_t* data, std::size_t size,
               std::size_t& written) override;
    bool EndDocument(PrinterHandle handle) override;
    bool Close(PrinterHandle handle) override;
};

}  // namespace vx::win32
