#include "cli/print_service.h"

#include <algorithm>

#include "cli/text_output.h"
#include "printer/printer_enum.h"
#include "printer/raw_job.h"

namespace vx::cli {

namespace {

const char kFileDestination[] = "FILE:";
const char kModelName[] = "qx-k480/330";  // as make-and-model texts name it, lower case

constexpr int kPollMs = 100;

}  // namespace

const char* JobTitle(RawJob job) { return job == RawJob::Settings ? kSendJobName : kPrintJobName; }

bool NamesTheModel(const std::string& makeAndModel) {
    return AsciiLower(makeAndModel).find(kModelName) != std::string::npos;
}

const char* JobStateKeyword(int state) {
    switch (state) {
        case kJobPending:
            return "pending";
        case kJobHeld:
            return "pending-held";
        case kJobProcessing:
            return "processing";
        case kJobStopped:
            return "processing-stopped";
        case kJobCanceled:
            return "canceled";
        case kJobAborted:
            return "aborted";
        case kJobCompleted:
            return "completed";
        default:
            return "unknown";
    }
}

// Windows ----------------------------------------------------------------------

SpoolerPrintService::SpoolerPrintService(
    Spooler& spooler, PlatformFamily family,
    std::function<bool(const std::string&, const std::string&)> before)
    : spooler_(spooler), family_(family), before_(std::move(before)) {}

bool SpoolerPrintService::List(bool, std::vector<ListedPrinter>& out, std::string& error) {
    std::vector<PrinterRow> rows;
    if (EnumerateModelPrinters(spooler_, family_, rows) == EnumResult::NoMemory) {
        error = "out of memory";
        return false;
    }
    // The printer list shows its rows sorted by name.
    std::stable_sort(rows.begin(), rows.end(), [this](const PrinterRow& a, const PrinterRow& b) {
        return before_(a.name, b.name);
    });
    out.clear();
    for (const PrinterRow& row : rows) out.push_back({row.name, row.destination, ""});
    return true;
}

JobResult SpoolerPrintService::Send(const std::string& printer, RawJob job,
                                    const std::vector<std::uint8_t>& data) {
    JobResult result;
    std::vector<PrinterRow> rows;
    EnumerateModelPrinters(spooler_, family_, rows);
    const auto row = std::find_if(rows.begin(), rows.end(),
                                  [&](const PrinterRow& r) { return r.name == printer; });
    if (row == rows.end()) {
        result.outcome = JobOutcome::NoSuchPrinter;
    } else if (row->destination == kFileDestination) {
        result.outcome = JobOutcome::FileDestination;
    } else if (!WriteRawJob(spooler_, family_, printer, JobTitle(job), data.data(), data.size())) {
        result.outcome = JobOutcome::NotUsable;
    }
    return result;
}

// CUPS -------------------------------------------------------------------------

bool CupsPrintService::List(bool modelOnly, std::vector<ListedPrinter>& out, std::string& error) {
    std::vector<CupsDestination> destinations;
    if (!cups_.Destinations(destinations, error)) return false;
    out.clear();
    for (const CupsDestination& d : destinations) {
        if (modelOnly && !NamesTheModel(d.makeAndModel)) continue;
        out.push_back({d.name, d.deviceUri, d.makeAndModel, d.location});
    }
    return true;
}

namespace {

// The print system's reason for a job's state: its printer's message, else the reasons.
std::string Reason(const CupsJobStatus& status) {
    if (!status.message.empty()) return status.message;
    return status.reasons == "none" ? std::string() : status.reasons;
}

bool NoScheduler(const std::string& error, JobResult& result) {
    if (error.rfind(kNoSchedulerPrefix, 0) != 0) return false;
    result.outcome = JobOutcome::NoScheduler;
    result.detail = error.substr(sizeof kNoSchedulerPrefix - 1);
    return true;
}

}  // namespace

JobResult CupsPrintService::Send(const std::string& printer, RawJob job,
                                 const std::vector<std::uint8_t>& data) {
    JobResult result;
    result.jobId = cups_.SubmitRaw(printer, JobTitle(job), data, result.detail);
    if (result.jobId <= 0) {
        result.jobId = 0;
        result.outcome = JobOutcome::Refused;
        NoScheduler(result.detail, result);
        return result;
    }
    CupsJobStatus status;
    for (;;) {
        // Once taken, a job that cannot be followed is not "not sent": it may still print.
        if (!cups_.JobStatus(result.jobId, status, result.detail)) {
            result.outcome = JobOutcome::Lost;
            return result;
        }
        if (status.state >= kJobCanceled) break;
        if (clock_.NowMs() >= deadline_) {
            result.outcome = JobOutcome::TimedOut;
            result.state = JobStateKeyword(status.state);
            result.detail = Reason(status);
            if (result.detail.empty()) result.detail = cups_.QueueReasons(printer);
            // A job left in the queue would print whenever the printer comes back.
            std::string error;
            result.cancelled = !keepQueued_ && cups_.CancelJob(result.jobId, error);
            return result;
        }
        clock_.SleepMs(kPollMs);
    }
    result.state = JobStateKeyword(status.state);
    if (status.state != kJobCompleted) {
        result.outcome = JobOutcome::JobEnded;
        result.detail = Reason(status);
    }
    return result;
}

}  // namespace vx::cli
