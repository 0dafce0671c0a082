// vxctl receive, discover: the settings printers hold, and the printers of a range.
#include <algorithm>
#include <cstdio>
#include <mutex>

#include "cli/deadline_link.h"
#include "cli/vxctl_commands.h"
#include "printer/device_id.h"
#include "printer/net_link.h"
#include "printer/receive.h"
#include "printer/snmp.h"

namespace vx::cli {

// receive ----------------------------------------------------------------------------

// The printer's settings by the exchange of the settings program: the readiness check, the
// request and the 12-byte reply spread over the factory settings. False with the line that
// says why not.
bool Vxctl::ReadPrinter(const Target& target, unsigned snmpPort, SwitchBlock& block,
                        std::string& failure, ReadLimit* limit) {
    const std::string& option = target.first;
    const std::string& name = target.second;
    if (!s_.links) {
        failure = F(msg::kNotSupported, {name});
        return false;
    }
    PrinterPlace place;
    std::string why;
    if (option == "--printer") {
        std::vector<ListedPrinter> printers;
        if (!s_.printers->List(false, printers, why)) {
            failure = F(msg::kCannotRead, {name, why});
            return false;
        }
        const auto it = std::find_if(printers.begin(), printers.end(),
                                     [&](const ListedPrinter& p) { return p.name == name; });
        if (it == printers.end()) {
            failure = F(msg::kNoSuchPrinter, {name});
            return false;
        }
        if (!s_.links->Locate(it->destination, place, why)) {
            failure = F(msg::kCannotRead, {name, why});
            return false;
        }
    } else if (option == "--host") {
        place.kind = PrinterPlace::Network;
        place.port = kRawPrinterPort;
        SplitHostPort(name, place.host, place.port);  // checked before any printer is read
    } else {
        place.kind = PrinterPlace::Device;
        place.device = name;
    }

    std::unique_ptr<PrinterLink> link;
    if (place.kind == PrinterPlace::Network) {
        NetSockets* net = s_.links->Network();
        if (!net) {
            failure = F(msg::kNotSupported, {name});
            return false;
        }
        link = OpenNetworkLink(*net, place.host, place.port, snmpPort);
        if (!link) failure = F(msg::kNotReachable, {name});
    } else {
        link = s_.links->OpenDevice(place.device, why);
        if (!link) failure = F(msg::kNotReachableWhy, {name, why});
    }
    if (!link) return false;
    if (limit && limit->deadlineMs >= 0 && s_.clock) {
        // Every exchange ends by the deadline, one in progress too.
        DeadlineLink bounded(*link, *s_.clock, limit->deadlineMs);
        const bool read = Exchange(bounded, name, block, failure);
        if (!read && bounded.TimedOut()) {
            limit->timedOut = true;
            failure = F(msg::kReadCutOff, {name, std::to_string(limit->seconds)});
        }
        return read;
    }
    return Exchange(*link, name, block, failure);
}

bool Vxctl::Exchange(PrinterLink& link, const std::string& name, SwitchBlock& block,
                     std::string& failure) {
    if (QueryPrinterReady(link) != 1) {
        failure = F(msg::kNotReady, {name});
        return false;
    }
    const SettingsAnswer answer = RequestSettings(link);
    switch (answer.result) {
        case RequestResult::TimeoutsNotRead:
        case RequestResult::TimeoutsNotSet:
            failure = F(msg::kTimeoutsFailed,
                        {name,
                         answer.result == RequestResult::TimeoutsNotRead ? text::kTimeoutsNotRead
                                                                         : text::kTimeoutsNotSet,
                         std::to_string(answer.error)});
            return false;
        case RequestResult::RequestNotWritten:
            failure = F(msg::kRequestNotWritten, {name});
            return false;
        case RequestResult::ReadFailed:
            failure = F(msg::kReadFailed, {name});
            return false;
        case RequestResult::Read:
            break;
    }
    block = FactoryDefaults;
    if (SpreadSettingsReply(answer.reply.data(), answer.count, block)) return true;
    failure = F(msg::kNoReply, {name, std::to_string(answer.count)});
    return false;
}

int Vxctl::Receive(const Options& o) {
    if (!o.positionals.empty()) return Usage(*command_);
    unsigned snmpPort = kSnmpPort;
    if (!SnmpPort(o, snmpPort)) return kExitError;
    std::vector<Target> targets;
    for (const auto& v : o.values) {
        if (v.first != "--printer" && v.first != "--host" && v.first != "--device") continue;
        std::string host;
        unsigned port = 0;
        if (v.first == "--host" && !SplitHostPort(v.second, host, port)) {
            Err(F(msg::kBadHost, {v.second}));
            return kExitError;
        }
        if (v.first == "--printer" && !s_.printers) {
            Err(T(msg::kNoPrinting));
            return kExitError;
        }
        targets.push_back(v);
    }
    if (targets.empty()) {
        Err(T(msg::kNoReceiveTarget));
        return kExitError;
    }
    if (!Distinct(targets)) return kExitError;
    const std::string output = o.Has("-o") ? o.Value("-o") : o.Value("--output");
    if ((o.Has("-o") || o.Has("--output")) && (output.empty() || targets.size() != 1)) {
        Err(T(msg::kOneOutput));
        return kExitError;
    }

    long long waitSeconds = 0, jobs = kDefaultParallelJobs;
    if (o.Has("--timeout") && !Number(o, "--timeout", kLargestNumber, waitSeconds))
        return kExitError;
    if (o.Has("--jobs") && !Number(o, "--jobs", kMostParallelJobs, jobs)) return kExitError;
    const long long deadline = NowMs() + waitSeconds * 1000;

    // Every printer gets its turn, several at once: a failed one never stops the others.
    // Each read ends within its link's time-outs; with --timeout, by the deadline too: a
    // read still going then is cut off, and a printer whose turn comes after it is not read.
    // Results come in the order given.
    struct Read {
        SwitchBlock block;
        std::string failure;
        long long ms = 0;
        bool read = false, timedOut = false, done = false;
    };
    std::vector<Read> reads(targets.size());
    std::mutex mutex;
    std::size_t shown = 0;
    bool allRead = true, written = true;
    auto show = [&](std::size_t i) {
        const auto& [option, name] = targets[i];
        const Read& r = reads[i];
        allRead = allRead && r.read;
        JsonRecord record;
        record.Text("printer", name)
            .Text("transport", option.substr(2))
            .Raw("seconds", Seconds(r.ms))
            .Text("result", r.read       ? "done"
                            : r.timedOut ? "timed-out"
                                         : "failed");
        if (!r.read) {
            Out(o.Has("--json") ? record.Text("error", r.failure).Line() : r.failure + "\n");
        } else if (!output.empty()) {
            written = Write(output, FileBytes(r.block));
            if (written) Out(F(msg::kReceivedTo, {name, output}) + "\n");
        } else if (o.Has("--json")) {
            // The settings as show gives them, after the result.
            Out(record.WithSettings(r.block, lang_));
        } else {
            Out(F(msg::kReceived, {name}) + "\n" + ShowText(r.block, ""));
        }
    };
    auto read = [&](std::size_t i) {
        Read r;
        const long long began = NowMs();
        ReadLimit limit{waitSeconds > 0 ? deadline : -1, waitSeconds};
        if (waitSeconds > 0 && s_.clock && began >= deadline) {
            r.failure = F(msg::kNotReadInTime, {targets[i].second, std::to_string(waitSeconds)});
            r.timedOut = true;
        } else {
            r.read = ReadPrinter(targets[i], snmpPort, r.block, r.failure, &limit);
            r.timedOut = limit.timedOut;
        }
        r.ms = NowMs() - began;
        r.done = true;
        const std::lock_guard<std::mutex> hold(mutex);
        reads[i] = r;
        for (; shown < reads.size() && reads[shown].done; ++shown) show(shown);
    };
    RunSpread(targets.size(), static_cast<std::size_t>(jobs), read);
    if (!written) return kExitError;
    return allRead ? kExitOk : kExitDiffer;
}

// discover ---------------------------------------------------------------------------

namespace {

// "MFG:ZAM;MDL:QX-K480/330;…": the value of one field.
std::string DeviceIdField(const std::string& id, const std::string& name) {
    for (std::size_t at = 0; at < id.size(); at = id.find(';', at) + 1) {
        if (id.compare(at, name.size() + 1, name + ":") == 0)
            return id.substr(at + name.size() + 1, id.find(';', at) - at - name.size() - 1);
        if (id.find(';', at) == std::string::npos) break;
    }
    return {};
}

}  // namespace

int Vxctl::Discover(const Options& o) {
    std::vector<std::string> addresses;
    if (o.positionals.size() != 1 || !RangeAddresses(o.positionals[0], addresses)) {
        Err(F(msg::kBadRange, {o.positionals.empty() ? "" : o.positionals[0]}));
        return kExitError;
    }
    unsigned snmpPort = kSnmpPort;
    long long jobs = kModelCheckThreads;
    if (!SnmpPort(o, snmpPort)) return kExitError;
    if (o.Has("--jobs") && !Number(o, "--jobs", kMostParallelJobs, jobs)) return kExitError;
    if (!s_.links || !s_.links->Network()) {
        Err(F(msg::kNotSupported, {o.positionals[0]}));
        return kExitError;
    }
    // Every address asked once, at most `jobs` at a time, each for kModelCheckMs.
    std::vector<std::string> ids(addresses.size());
    RunSpread(addresses.size(), static_cast<std::size_t>(jobs), [&](std::size_t i) {
        std::string id;
        if (DeviceIdAt(addresses[i], snmpPort, id) && NamesTheModel(id)) ids[i] = id;
    });
    bool allRead = true;
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        if (ids[i].empty()) continue;
        StatusBuffer status = InitialStatusBuffer();
        ReadExtendedStatus(ids[i].c_str(), status);
        const bool ready = IsReadyStatus(status);
        const std::string model = DeviceIdField(ids[i], "MDL"),
                          serial = DeviceIdField(ids[i], "SN");
        SwitchBlock block;
        std::string failure;
        const bool read =
            o.Has("--receive") && ReadPrinter({"--host", addresses[i]}, snmpPort, block, failure);
        allRead = allRead && (read || !o.Has("--receive"));
        if (o.Has("--json")) {
            JsonRecord record;
            record.Text("address", addresses[i])
                .Text("model", model)
                .Text("serial", serial)
                .Bool("ready", ready)
                .Text("device-id", ids[i]);
            if (!failure.empty()) record.Text("error", failure);
            Out(read ? record.WithSettings(block, lang_) : record.Line());
            continue;
        }
        Out(addresses[i] + "\t" + model + "\t" + serial + "\t" +
            T(ready ? msg::kDiscoveredReady : msg::kDiscoveredBusy) + "\n");
        if (read) Out(ShowText(block, "  "));
        if (!failure.empty()) Out("  " + failure + "\n");
    }
    return allRead ? kExitOk : kExitDiffer;
}

}  // namespace vx::cli
