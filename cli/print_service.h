// Printers vxctl can send raw jobs to: on Windows the spooler's printers of the
// model, as the settings program lists them; on Linux the CUPS queues.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "cli/cli_platform.h"
#include "printer/platform_family.h"
#include "printer/spooler.h"

namespace vx::cli {

struct ListedPrinter {
    std::string name;
    std::string destination;    // the port (or server) on Windows, the device URI on CUPS
    std::string model;          // CUPS make-and-model; empty on Windows
    std::string location = {};  // CUPS printer-location; empty on Windows
};

enum class RawJob { Settings, PrintSettings };

// The document (job) name of each raw job: "Veltrix Status Write", "Veltrix Print Setting".
const char* JobTitle(RawJob job);

enum class JobOutcome {
    Done,             // the printer has the bytes (CUPS: the job completed)
    NoSuchPrinter,    // no printer (of the model) by that name
    FileDestination,  // the printer prints to "FILE:"
    NotUsable,        // the spooler could not open it, start the document or write
    Refused,          // the print system refused the job; `detail` says why
    JobEnded,         // the job ended in another state than completed
    TimedOut,         // the job had not ended when the wait ran out
    NoScheduler,      // no print scheduler answers; `detail` names the server
    Lost,             // the job was taken, then its state could not be had; `detail` says why
};

struct JobResult {
    JobOutcome outcome = JobOutcome::Done;
    int jobId = 0;           // CUPS job, 0 otherwise
    std::string state;       // CUPS job state keyword: "completed", "aborted", ...
    std::string detail;      // the print system's reason
    bool cancelled = false;  // TimedOut: the job was cancelled rather than left queued
};

class PrintService {
  public:
    virtual ~PrintService() = default;
    // The printers to choose from. `modelOnly` keeps those of the model (on Windows the
    // list always holds the model's printers only). False with `error` when the list could
    // not be had.
    virtual bool List(bool modelOnly, std::vector<ListedPrinter>& out, std::string& error) = 0;
    virtual JobResult Send(const std::string& printer, RawJob job,
                           const std::vector<std::uint8_t>& data) = 0;
    // How long from now every Send may wait for its job to end, where it waits at all: one
    // deadline for all. A job not ended by then is cancelled unless `keepQueued`.
    virtual void SetWaitLimit(long long /*ms*/, bool /*keepQueued*/ = false) {}
    // Whether Send may run for several printers at once.
    virtual bool Concurrent() const { return false; }
    // How jobs travel, for results: "spooler", "cups".
    virtual const char* Transport() const { return "spooler"; }
};

// The Windows spooler: the printer list's enumeration and model check, the "FILE:"
// refusal, and the raw job exactly as the settings program writes it.
class SpoolerPrintService : public PrintService {
  public:
    // `before(a, b)`: the order in which the printer list sorts its names.
    SpoolerPrintService(Spooler& spooler, PlatformFamily family,
                        std::function<bool(const std::string&, const std::string&)> before);
    bool List(bool modelOnly, std::vector<ListedPrinter>& out, std::string& error) override;
    JobResult Send(const std::string& printer, RawJob job,
                   const std::vector<std::uint8_t>& data) override;

  private:
    Spooler& spooler_;
    PlatformFamily family_;
    std::function<bool(const std::string&, const std::string&)> before_;
};

// What vxctl needs of CUPS (libcups on Linux).
struct CupsDestination {
    std::string name;
    std::string makeAndModel;
    std::string deviceUri;
    std::string location = {};
};

// IPP job states.
enum CupsJobState {
    kJobPending = 3,
    kJobHeld = 4,
    kJobProcessing = 5,
    kJobStopped = 6,
    kJobCanceled = 7,
    kJobAborted = 8,
    kJobCompleted = 9,
};

struct CupsJobStatus {
    int state = 0;
    std::string reasons;  // job-state-reasons, comma-separated
    std::string message;  // job-printer-state-message, when there is one
};

class CupsClient {
  public:
    virtual ~CupsClient() = default;
    virtual bool Destinations(std::vector<CupsDestination>& out, std::string& error) = 0;
    // One job holding `data` as one raw document (application/vnd.cups-raw). The job id, or 0
    // with `error`.
    virtual int SubmitRaw(const std::string& queue, const std::string& title,
                          const std::vector<std::uint8_t>& data, std::string& error) = 0;
    virtual bool JobStatus(int jobId, CupsJobStatus& status, std::string& error) = 0;
    virtual bool CancelJob(int jobId, std::string& error) = 0;
    // Why the queue holds its jobs back ("paused", "the printer is not connected"), for a job
    // that waits; empty when it says nothing.
    virtual std::string QueueReasons(const std::string& queue) {
        (void)queue;
        return {};
    }
};

// The error of a CupsClient call when no scheduler answers: this, then the server's name.
constexpr char kNoSchedulerPrefix[] = "no scheduler: ";

// CUPS queues: all destinations or those whose make-and-model names the model; a raw job
// per queue, waited for until it ends or `timeoutMs` runs out.
class CupsPrintService : public PrintService {
  public:
    CupsPrintService(CupsClient& cups, Clock& clock, long long timeoutMs)
        : cups_(cups), clock_(clock), deadline_(clock.NowMs() + timeoutMs) {}
    bool List(bool modelOnly, std::vector<ListedPrinter>& out, std::string& error) override;
    JobResult Send(const std::string& printer, RawJob job,
                   const std::vector<std::uint8_t>& data) override;

    void SetWaitLimit(long long ms, bool keepQueued) override {
        deadline_ = clock_.NowMs() + ms;
        keepQueued_ = keepQueued;
    }
    bool Concurrent() const override { return true; }
    const char* Transport() const override { return "cups"; }

  private:
    CupsClient& cups_;
    Clock& clock_;
    long long deadline_;
    bool keepQueued_ = false;
};

// True when a make-and-model text names the model ("QX-K480/330", ASCII case ignored).
bool NamesTheModel(const std::string& makeAndModel);

// The keyword of an IPP job state: "pending", ..., "completed".
const char* JobStateKeyword(int state);

}  // namespace vx::cli
