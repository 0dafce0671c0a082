// vxctl printers, send, print-settings: the printers, and jobs to them.
#include <algorithm>
#include <array>
#include <atomic>
#include <mutex>

#include "cli/vxctl_commands.h"
#include "printer/device_id.h"
#include "printer/net_link.h"
#include "printer/net_socket.h"
#include "printer/snmp.h"

namespace vx::cli {

// printers -------------------------------------------------------------------------

// The device ID of a queue's printer where it can be asked cheaply: by SNMP for a network
// printer, from the device for a USB one.
bool Vxctl::AskDeviceId(const ListedPrinter& p, unsigned snmpPort, std::string& id) {
    PrinterPlace place;
    std::string why;
    if (!s_.links || !s_.links->Locate(p.destination, place, why)) return false;
    if (place.kind == PrinterPlace::Device) {
        std::unique_ptr<PrinterLink> link = s_.links->OpenDevice(place.device, why);
        std::array<std::uint8_t, kDeviceIdSize> buffer{};
        if (!link || !link->GetDeviceId(buffer.data(), buffer.size() - 1)) return false;
        id = reinterpret_cast<const char*>(buffer.data());
        return true;
    }
    return DeviceIdAt(place.host, snmpPort, id);
}

// One SNMP GET of the device ID, one try.
bool Vxctl::DeviceIdAt(const std::string& host, unsigned snmpPort, std::string& id) {
    NetSockets* net = s_.links ? s_.links->Network() : nullptr;
    static std::atomic<std::int32_t> requestId{0x5158};
    const std::int32_t request = ++requestId;
    std::string answer;
    return net &&
           net->Exchange(host, snmpPort, snmp::DeviceIdRequest(request), kModelCheckMs, answer) &&
           snmp::ReadDeviceIdResponse(answer, request, id);
}

int Vxctl::Printers(const Options& o) {
    if (!o.positionals.empty()) return Usage(*command_);
    if (!s_.printers) {
        Err(T(msg::kNoPrinting));
        return kExitError;
    }
    unsigned snmpPort = kSnmpPort;
    if (!SnmpPort(o, snmpPort)) return kExitError;
    std::vector<ListedPrinter> printers, byDriver;
    std::string error;
    if (!s_.printers->List(false, printers, error) ||
        (o.Has("--model") && !s_.printers->List(true, byDriver, error))) {
        Err(F(msg::kListFailed, {SystemReason(error)}));
        return kExitError;
    }
    // Named by a pattern, when any is given.
    std::vector<ListedPrinter> named;
    for (const ListedPrinter& p : printers) {
        bool matches = !o.Has("--match");
        for (const auto& v : o.values)
            matches =
                matches || (v.first == "--match" && GlobMatches(v.second.c_str(), p.name.c_str()));
        if (matches) named.push_back(p);
    }
    // Of the model: the driver says so, or else the printer does by its device ID (a raw
    // queue's make and model names no printer).
    std::vector<std::string> how(named.size(), "");
    if (o.Has("--model")) {
        RunSpread(named.size(), kModelCheckThreads, [&](std::size_t i) {
            std::string id;
            if (std::any_of(byDriver.begin(), byDriver.end(),
                            [&](const ListedPrinter& d) { return d.name == named[i].name; })) {
                how[i] = "driver";
            } else if (AskDeviceId(named[i], snmpPort, id) && NamesTheModel(id)) {
                how[i] = "device-id";
            }
        });
    }
    // Tab-separated for scripts: name, then the make and model where the system has one,
    // then the destination. JSON: one record a printer.
    std::string out;
    for (std::size_t i = 0; i < named.size(); ++i) {
        const ListedPrinter& p = named[i];
        if (o.Has("--model") && how[i].empty()) continue;
        if (o.Has("--json")) {
            JsonRecord record;
            record.Text("printer", p.name)
                .Text("model", p.model)
                .Text("destination", p.destination);
            if (!how[i].empty()) record.Text("model-by", how[i]);
            out += record.Line();
        } else {
            out += p.name + "\t" + (p.model.empty() ? "" : p.model + "\t") + p.destination + "\n";
        }
    }
    Out(out);
    return kExitOk;
}

// send, print-settings ----------------------------------------------------------------

int Vxctl::Send(const Options& o) {
    if (o.positionals.size() != 1) return Usage(*command_);
    SwitchBlock block;
    if (!Read(o.positionals[0], block)) return kExitError;
    return SendJob(o, RawJob::Settings, SentBytes(block));
}

int Vxctl::PrintSettings(const Options& o) {
    if (!o.positionals.empty()) return Usage(*command_);
    return SendJob(o, RawJob::PrintSettings,
                   Bytes(kPrintSettingsCommand.begin(), kPrintSettingsCommand.end()));
}

std::string Vxctl::ResultLine(const std::string& target, RawJob job, const JobResult& r,
                              long long waitSeconds) {
    const std::string id = std::to_string(r.jobId);
    const std::string reason = r.detail.empty() ? "" : " (" + r.detail + ")";
    switch (r.outcome) {
        case JobOutcome::Done: {
            std::string line = F(job == RawJob::Settings ? msg::kSent : msg::kPrinted, {target});
            if (r.jobId) line += F(msg::kJobCompleted, {id, r.state});
            return line;
        }
        case JobOutcome::NoSuchPrinter:
            return F(msg::kNoSuchPrinter, {target});
        case JobOutcome::FileDestination:
            return F(job == RawJob::Settings ? msg::kSendToFile : msg::kPrintToFile, {target});
        case JobOutcome::NotUsable:
            return F(msg::kNotAttached, {target});
        case JobOutcome::Refused:
            return F(msg::kRefused, {target, r.detail});
        case JobOutcome::JobEnded:
            return F(msg::kJobEnded, {target, id, r.state, reason});
        case JobOutcome::TimedOut:
            if (r.jobId == 0) return F(msg::kNotSentInTime, {target, std::to_string(waitSeconds)});
            return F(r.cancelled ? msg::kTimedOutCancelled : msg::kTimedOutQueued,
                     {target, id, std::to_string(waitSeconds), r.state, reason});
        case JobOutcome::NoScheduler:
            return F(msg::kRefused, {target, F(msg::kNoScheduler, {r.detail})});
        case JobOutcome::Lost:
            return F(msg::kJobLost, {target, id, SystemReason(r.detail)});
    }
    return target;
}

std::string Vxctl::SystemReason(const std::string& error) {
    if (error.rfind(kNoSchedulerPrefix, 0) != 0) return error;
    return F(msg::kNoScheduler, {error.substr(sizeof kNoSchedulerPrefix - 1)});
}

long long Vxctl::NowMs() { return s_.clock ? s_.clock->NowMs() : 0; }

int Vxctl::SendJob(const Options& o, RawJob job, const Bytes& data) {
    std::vector<Target> targets;
    for (const auto& v : o.values)
        if (v.first == "--printer" || v.first == "--device") targets.push_back(v);
    if (targets.empty()) {
        Err(F(msg::kNoTarget, {command_->name}));
        return kExitError;
    }
    if (!Distinct(targets)) return kExitError;
    return SendEach(o, job, targets, std::vector<Bytes>(targets.size(), data));
}

// Sends a job to a printer on its raw port, as a network printer takes it.
bool Vxctl::SendToHost(const std::string& target, const Bytes& data, long long timeoutMs,
                       std::string& error) {
    std::string host;
    unsigned port = kRawPrinterPort;
    NetSockets* net = s_.links ? s_.links->Network() : nullptr;
    if (!net || !SplitHostPort(target, host, port)) {
        error = F(msg::kNotSupported, {target});
        return false;
    }
    const auto ms = static_cast<unsigned>(std::max<long long>(1, std::min(timeoutMs, 30000LL)));
    std::unique_ptr<NetConnection> c = net->Connect(host, port, ms);
    if (!c || c->Send(data.data(), data.size(), ms) != static_cast<long>(data.size())) {
        error = F(msg::kNotReachable, {target});
        return false;
    }
    return true;
}

int Vxctl::SendEach(const Options& o, RawJob job, const std::vector<Target>& targets,
                    const std::vector<Bytes>& datas, const std::vector<std::string>* failures) {
    long long waitSeconds = kDefaultWaitSeconds, jobs = kDefaultParallelJobs;
    if (o.Has("--timeout") && !Number(o, "--timeout", kLargestNumber, waitSeconds))
        return kExitError;
    if (o.Has("--jobs") && !Number(o, "--jobs", kMostParallelJobs, jobs)) return kExitError;
    bool anyPrinter = false;
    for (const auto& t : targets) anyPrinter = anyPrinter || t.first == "--printer";
    if (anyPrinter && !s_.printers) {
        Err(T(msg::kNoPrinting));
        return kExitError;
    }

    // Every target gets its turn, several at once, all within one deadline: a failed or
    // blocked one never stops the others. Results come in the order the targets were given.
    const long long waitMs = waitSeconds * 1000;
    if (s_.printers) s_.printers->SetWaitLimit(waitMs, o.Has("--keep-queued"));
    const long long deadline = NowMs() + waitMs;
    struct Run {
        JobResult result;
        long long ms = 0;
        bool done = false;
    };
    std::vector<Run> runs(targets.size());
    std::mutex mutex;
    std::size_t shown = 0;
    bool allDone = true;
    auto show = [&](std::size_t i) {
        const auto& [option, name] = targets[i];
        const JobResult& r = runs[i].result;
        allDone = allDone && r.outcome == JobOutcome::Done;
        const std::string line = ResultLine(name, job, r, waitSeconds);
        if (!o.Has("--json")) {
            Out(line + "\n");
            return;
        }
        const char* transport = option == "--device" ? "device"
                                : option == "--host" ? "host"
                                                     : s_.printers->Transport();
        Out(JsonRecord()
                .Text("printer", name)
                .Text("transport", transport)
                .Number("job", r.jobId)
                .Text("result", OutcomeKeyword(r.outcome))
                .Text("state", r.state)
                .Text("reason", SystemReason(r.detail))
                .Bool("cancelled", r.cancelled)
                .Raw("seconds", Seconds(runs[i].ms))
                .Text("message", line)
                .Line());
    };
    auto send = [&](std::size_t i) {
        const auto& [option, name] = targets[i];
        JobResult r;
        const long long began = NowMs();
        if (s_.clock && began >= deadline) {
            r.outcome = JobOutcome::TimedOut;  // its turn came too late
        } else if (datas[i].empty()) {
            r.outcome = JobOutcome::Refused;  // nothing to send, for the reason given
            r.detail = failures ? (*failures)[i] : std::string();
        } else if (option == "--printer") {
            r = s_.printers->Send(name, job, datas[i]);
        } else if (option == "--host") {
            if (!SendToHost(name, datas[i], s_.clock ? deadline - began : 30000, r.detail))
                r.outcome = JobOutcome::Refused;
        } else if (!s_.output.WriteDeviceWithin(name, datas[i], s_.clock ? deadline - began : -1,
                                                r.detail)) {
            r.outcome = JobOutcome::Refused;
            if (r.detail == OutputFiles::kTimedOut) {
                r.outcome = JobOutcome::TimedOut;
                r.detail.clear();
            }
        }
        const std::lock_guard<std::mutex> hold(mutex);
        runs[i] = {r, NowMs() - began, true};
        for (; shown < runs.size() && runs[shown].done; ++shown) show(shown);
    };
    const bool concurrent = !anyPrinter || s_.printers->Concurrent();
    RunSpread(targets.size(), concurrent ? static_cast<std::size_t>(jobs) : 1, send);
    return allDone ? kExitOk : kExitDiffer;
}

}  // namespace vx::cli
