#include "printer/win32/win32_spooler.h"

#include <windows.h>
#include <winspool.h>

#include "common/win32/owned.h"

namespace vx::win32 {

namespace {

std::string AnsiToUtf8(const char* text) {
    if (text == nullptr || *text == '\0') return {};
    const int wide = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (wide <= 0) return {};
    std::wstring w(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, w.data(), wide);
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, out.data(), n, nullptr, nullptr);
    out.resize(static_cast<std::size_t>(n) - 1);  // without the terminating zero
    return out;
}

std::string Utf8ToAnsi(const std::string& text) {
    if (text.empty()) return {};
    const int wide = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    if (wide <= 0) return {};
    std::wstring w(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, w.data(), wide);
    const int n = WideCharToMultiByte(CP_ACP, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, w.c_str(), -1, out.data(), n, nullptr, nullptr);
    out.resize(static_cast<std::size_t>(n) - 1);
    return out;
}

// A block of the process heap, freed when it goes.
void FreeHeapBlock(BYTE* data) { HeapFree(GetProcessHeap(), 0, data); }
using HeapBlock = Owned<NullEmpty<BYTE*, &FreeHeapBlock>>;

// `size` zeroed bytes of the process heap; empty when there is not the memory.
HeapBlock ZeroedBlock(DWORD size) {
    return HeapBlock(static_cast<BYTE*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size)));
}

// Every listing is asked twice: once with no buffer for the size, then into a zeroed block
// of that size. `take` copies the entries out before the block is freed.
template <typename Info, typename Take>
EnumResult EnumerateTwice(DWORD flags, const std::string& name, DWORD level, Take take) {
    const std::string ansiName = Utf8ToAnsi(name);
    LPSTR namePtr = name.empty() ? nullptr : const_cast<LPSTR>(ansiName.c_str());
    DWORD needed = 0, returned = 0;
    EnumPrintersA(flags, namePtr, level, nullptr, 0, &needed, &returned);
    if (needed == 0) return EnumResult::Listed;
    const HeapBlock block = ZeroedBlock(needed);
    if (!block) return EnumResult::NoMemory;
    if (!EnumPrintersA(flags, namePtr, level, block.Get(), needed, &needed, &returned))
        return EnumResult::Listed;
    const Info* entries = reinterpret_cast<const Info*>(block.Get());
    for (DWORD i = 0; i < returned; ++i) take(entries[i]);
    return EnumResult::Listed;
}

HANDLE ToHandle(PrinterHandle h) { return reinterpret_cast<HANDLE>(h); }

}  // namespace

EnumResult Win32Spooler::ListPrinters4(std::uint32_t flags, std::vector<PrinterInfo4>& out) {
    out.clear();
    return EnumerateTwice<PRINTER_INFO_4A>(flags, std::string(), 4, [&](const PRINTER_INFO_4A& p) {
        out.push_back({AnsiToUtf8(p.pPrinterName), AnsiToUtf8(p.pServerName), p.Attributes});
    });
}

EnumResult Win32Spooler::ListPrinters2(std::uint32_t flags, const std::string& name,
                                       std::vector<PrinterInfo2>& out) {
    out.clear();
    return EnumerateTwice<PRINTER_INFO_2A>(flags, name, 2, [&](const PRINTER_INFO_2A& p) {
        PrinterInfo2 info;
        info.serverName = AnsiToUtf8(p.pServerName);
        info.printerName = AnsiToUtf8(p.pPrinterName);
        info.portName = AnsiToUtf8(p.pPortName);
        info.driverName = AnsiToUtf8(p.pDriverName);
        info.attributes = p.Attributes;
        info.status = p.Status;
        out.push_back(std::move(info));
    });
}

bool Win32Spooler::Open(const std::string& name, std::uint32_t access, PrinterHandle& handle) {
    std::string ansi = Utf8ToAnsi(name);
    PRINTER_DEFAULTSA defaults{nullptr, nullptr, access};
    HANDLE h = nullptr;
    if (!OpenPrinterA(ansi.data(), &h, &defaults)) return false;
    handle = reinterpret_cast<PrinterHandle>(h);
    return true;
}

bool Win32Spooler::ReadStatus(PrinterHandle handle, std::uint32_t& status) {
    DWORD needed = 0;
    GetPrinterA(ToHandle(handle), 2, nullptr, 0, &needed);
    if (needed < sizeof(PRINTER_INFO_2A)) return false;
    const HeapBlock block = ZeroedBlock(needed);
    if (!block) return false;
    if (!GetPrinterA(ToHandle(handle), 2, block.Get(), needed, &needed)) return false;
    status = reinterpret_cast<const PRINTER_INFO_2A*>(block.Get())->Status;
    return true;
}

bool Win32Spooler::StartDocument(PrinterHandle handle, const std::string& documentName) {
    std::string ansi = Utf8ToAnsi(documentName);
    DOC_INFO_1A info{ansi.data(), nullptr, nullptr};
    return StartDocPrinterA(ToHandle(handle), 1, reinterpret_cast<LPBYTE>(&info)) != 0;
}

bool Win32Spooler::Reset(PrinterHandle handle) {
    return ResetPrinterA(ToHandle(handle), nullptr) != FALSE;
}

bool Win32Spooler::Write(PrinterHandle handle, const std::uint8_t* data, std::size_t size,
                         std::size_t& written) {
    DWORD n = 0;
    const BOOL ok = ::WritePrinter(ToHandle(handle), const_cast<std::uint8_t*>(data),
                                   static_cast<DWORD>(size), &n);
    written = n;
    return ok != FALSE;
}

bool Win32Spooler::EndDocument(PrinterHandle handle) {
    return EndDocPrinter(ToHandle(handle)) != FALSE;
}

bool Win32Spooler::Close(PrinterHandle handle) { return ::ClosePrinter(ToHandle(handle)) != FALSE; }

}  // namespace vx::win32
