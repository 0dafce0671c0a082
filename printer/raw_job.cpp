#include "printer/raw_job.h"

namespace vx {

const char kSendJobName[] = "Veltrix Status Write";
const char kPrintJobName[] = "Veltrix Print Setting";

namespace {

bool IsUsable(Spooler& spooler, PlatformFamily family, PrinterHandle handle) {
    if (family == PlatformFamily::Nt) return true;
    // A status that cannot be read does not stop the job: the write itself tells.
    std::uint32_t status = 0;
    if (!spooler.ReadStatus(handle, status)) status = 0;
    return (status & kPrinterStatusUserIntervention) == 0;
}

}  // namespace

bool WriteRawJob(Spooler& spooler, PlatformFamily family, const std::string& printerName,
                 const char* documentName, const std::uint8_t* data, std::size_t size) {
    PrinterHandle handle = 0;
    const std::uint32_t access =
        family == PlatformFamily::Nt ? kPrinterAccessUse : kPrinterAccessNone;
    if (!spooler.Open(printerName, access, handle)) return false;

    bool written = false;
    if (IsUsable(spooler, family, handle) && spooler.StartDocument(handle, documentName)) {
        spooler.Reset(handle);  // its answer does not matter
        std::size_t count = 0;
        const bool wrote = spooler.Write(handle, data, size, count);
        const bool ended = spooler.EndDocument(handle);
        written = wrote && count == size && ended;
    }
    spooler.Close(handle);
    return written;
}

}  // namespace vx
