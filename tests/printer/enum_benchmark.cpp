// How many spooler calls, and how long, listing the model's printers takes on
// the NT family: natively through the fake spooler (1000 printers, against
// asking the server list once per printer), and under Wine through the real one.
//
//   vx_enum_benchmark [printers]   (native)
//   vx_enum_benchmark.exe [limit]  (Windows: the printers installed)
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "printer/printer_enum.h"

#ifdef _WIN32
#include "printer/win32/win32_spooler.h"
#else
#include "tests/fakes/fake_spooler.h"
#endif

namespace vx {
namespace {

class CountingSpooler : public Spooler {
  public:
    explicit CountingSpooler(Spooler& inner) : inner_(inner) {}
    int list4 = 0, list2 = 0, opens = 0, closes = 0;
    std::size_t entriesScanned = 0;

    EnumResult ListPrinters4(std::uint32_t f, std::vector<PrinterInfo4>& out) override {
        ++list4;
        return inner_.ListPrinters4(f, out);
    }
    EnumResult ListPrinters2(std::uint32_t f, const std::string& name,
                             std::vector<PrinterInfo2>& out) override {
        ++list2;
        const EnumResult r = inner_.ListPrinters2(f, name, out);
        entriesScanned += out.size();
        return r;
    }
    bool Open(const std::string& n, std::uint32_t a, PrinterHandle& h) override {
        ++opens;
        return inner_.Open(n, a, h);
    }
    bool ReadStatus(PrinterHandle h, std::uint32_t& s) override { return inner_.ReadStatus(h, s); }
    bool StartDocument(PrinterHandle h, const std::string& d) override {
        return inner_.StartDocument(h, d);
    }
    bool Reset(PrinterHandle h) override { return inner_.Reset(h); }
    bool Write(PrinterHandle h, const std::uint8_t* d, std::size_t s, std::size_t& w) override {
        return inner_.Write(h, d, s, w);
    }
    bool EndDocument(PrinterHandle h) override { return inner_.EndDocument(h); }
    bool Close(PrinterHandle h) override {
        ++closes;
        return inner_.Close(h);
    }

  private:
    Spooler& inner_;
};

// The listing as it would be with one server list per printer, for comparison; only the
// first `limit` printers, where the whole run would take too long.
std::size_t EnumerateAskingPerPrinter(Spooler& spooler, std::size_t limit) {
    std::vector<PrinterInfo4> printers;
    spooler.ListPrinters4(kPrinterEnumLocal | kPrinterEnumConnections, printers);
    if (printers.size() > limit) printers.resize(limit);
    std::size_t found = 0;
    for (const PrinterInfo4& p : printers) {
        std::vector<PrinterInfo2> list;
        spooler.ListPrinters2(kPrinterEnumName, p.serverName, list);
        for (const PrinterInfo2& e : list) {
            if (e.printerName == p.printerName && IsModelDriver(e.driverName)) {
                PrinterHandle h = 0;
                if (spooler.Open(e.printerName, kPrinterAccessUse, h)) {
                    spooler.Close(h);
                    ++found;
                }
                break;
            }
        }
    }
    return found;
}

void Report(const char* what, const CountingSpooler& s, std::size_t rows, double ms) {
    std::printf(
        "%-22s rows %5zu  level-4 lists %d  level-2 lists %5d  entries scanned %8zu  "
        "opens %5d  closes %5d  %9.1f ms\n",
        what, rows, s.list4, s.list2, s.entriesScanned, s.opens, s.closes, ms);
}

template <typename F>
double Milliseconds(F f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

int Run(Spooler& spooler, std::size_t limit) {
    CountingSpooler once(spooler);
    std::vector<PrinterRow> rows;
    const double msOnce =
        Milliseconds([&] { EnumerateModelPrinters(once, PlatformFamily::Nt, rows); });
    Report("one list per server", once, rows.size(), msOnce);

    CountingSpooler each(spooler);
    std::size_t found = 0;
    const double msEach = Milliseconds([&] { found = EnumerateAskingPerPrinter(each, limit); });
    Report("one list per printer", each, found, msEach);
    return found == std::min(limit, rows.size()) ? 0 : 1;
}

}  // namespace
}  // namespace vx

int main(int argc, char** argv) {
#ifdef _WIN32
    // [limit]: how many printers the per-printer comparison covers (all by default).
    const std::size_t limit = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : SIZE_MAX;
    vx::win32::Win32Spooler spooler;
    return vx::Run(spooler, limit);
#else
    // [printers]: how many printers the fake spooler holds.
    const int n = argc > 1 ? std::atoi(argv[1]) : 1000;
    vx::test::FakeSpooler spooler;
    for (int i = 0; i < n; ++i)
        spooler.AddPrinter("QX " + std::to_string(i), "ZAM QX-K480/330(168)", "LPT1:");
    return vx::Run(spooler, SIZE_MAX);
#endif
}
