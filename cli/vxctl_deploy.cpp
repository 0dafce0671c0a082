// vxctl deploy: each printer the settings a plan gives it.
#include <algorithm>
#include <cstring>
#include <map>

#include "cli/assignment.h"
#include "cli/vxctl_commands.h"
#include "printer/net_link.h"
#include "printer/snmp.h"

namespace vx::cli {

// deploy -----------------------------------------------------------------------------

namespace {

// One line of a plan: which printers, and what they get.
struct PlanLine {
    int number = 0;
    std::string where;  // PLAN:NUMBER, as messages name the line
    // "--printer" (a name or a pattern), "--host", "--device"; "--raw", "--location" (raw
    // queues by a pattern of their name or location), "--discover" (a range's printers)
    std::string option;
    std::string target;  // as written after its prefix
    std::string file;    // the settings file they get; empty: the settings they hold
    std::vector<Assignment> changes;
    std::vector<std::string> addresses;  // of a range
};

// The make and model CUPS gives a raw queue: it names no printer.
const char kRawQueueModel[] = "Local Raw Printer";

// A printer that a raw:, location: or discover: line may name, until its printer says
// whether it is of the model.
struct Candidate {
    std::size_t line;                      // in the plan
    std::string name;                      // the queue's name, or the address
    const ListedPrinter* queue = nullptr;  // null: an address
    bool ofTheModel = false;
};

}  // namespace

int Vxctl::Deploy(const Options& o) {
    if (o.positionals.size() != 1) return Usage(*command_);
    const std::string& planPath = o.positionals[0];
    unsigned snmpPort = kSnmpPort;
    if (!SnmpPort(o, snmpPort)) return kExitError;
    std::string text;
    {
        std::unique_ptr<File> file = s_.files.OpenForReading(planPath);
        std::uint8_t buffer[4096];
        long n = 0;
        while (file && (n = file->Read(buffer, sizeof buffer)) > 0)
            text.append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(n));
        if (!file || n < 0) {
            bool missing = false;
            Err(F(msg::kCannotOpen, {planPath, s_.output.WhyNotReadable(planPath, missing)}));
            return kExitError;
        }
    }

    // The plan: "TARGET [FILE.dat] [KEY=VALUE…]" a line, "#" to the end of a line a comment.
    std::vector<PlanLine> plan;
    std::map<std::string, SwitchBlock> files;
    bool bad = false;
    int number = 0;
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        lines.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    for (std::string line : lines) {
        ++number;
        line = line.substr(0, line.find('#'));
        std::vector<std::string> words;
        for (std::size_t w = line.find_first_not_of(" \t\r"); w != std::string::npos;
             w = line.find_first_not_of(" \t\r", w)) {
            const std::size_t end = std::min(line.find_first_of(" \t\r", w), line.size());
            words.push_back(line.substr(w, end - w));
            w = end;
        }
        if (words.empty()) continue;
        PlanLine p;
        p.number = number;
        p.where = planPath + ":" + std::to_string(number);
        p.option = "--printer";
        p.target = words[0];
        for (const char* kind : {"host:", "device:", "raw:", "location:", "discover:"}) {
            if (p.target.rfind(kind, 0) != 0) continue;
            p.option = std::string("--") + std::string(kind).substr(0, std::strlen(kind) - 1);
            p.target = p.target.substr(std::strlen(kind));
        }
        const std::string& where = p.where;
        for (std::size_t i = 1; i < words.size(); ++i) {
            if (i == 1 && !IsAssignment(words[i])) {
                p.file = words[i];
                if (!files.count(p.file) && !Read(p.file, files[p.file])) bad = true;
                continue;
            }
            Assignment a = ParseAssignment(words[i]);
            if (a.error != AssignmentError::None) {
                Err(F(msg::kPlanBadChange, {where, words[i]}));
                bad = true;
            }
            p.changes.push_back(a);
        }
        if (p.option == "--discover" && !RangeAddresses(p.target, p.addresses)) {
            Err(F(msg::kPlanBadRange, {where, p.target}));
            bad = true;
        } else if (p.target.empty() || (p.file.empty() && p.changes.empty())) {
            Err(F(msg::kPlanBadLine, {where}));
            bad = true;
        }
        plan.push_back(p);
    }
    if (bad) return kExitError;
    if (plan.empty()) {
        Err(F(msg::kPlanBadLine, {planPath}));
        return kExitError;
    }

    // The printers: each by the first line that names it.
    std::vector<ListedPrinter> queues;
    std::string error;
    const bool anyQueue = std::any_of(plan.begin(), plan.end(), [](const PlanLine& p) {
        return p.option == "--printer" || p.option == "--raw" || p.option == "--location";
    });
    if (anyQueue && (!s_.printers || !s_.printers->List(false, queues, error))) {
        Err(s_.printers ? F(msg::kListFailed, {SystemReason(error)}) : T(msg::kNoPrinting));
        return kExitError;
    }
    std::vector<Target> targets;
    std::vector<const PlanLine*> lineOf;
    bool unmatched = false;
    auto add = [&](const std::string& option, const std::string& name, const PlanLine& p) {
        const Target t{option, name};
        if (std::find(targets.begin(), targets.end(), t) != targets.end()) return;
        targets.push_back(t);
        lineOf.push_back(&p);
    };
    // The raw queues named by a pattern of their name or location, and the addresses of a
    // range, are of the model when their printers say so by their device IDs: all asked
    // at once, each once, as `printers --model` and `discover` ask them.
    std::vector<Candidate> candidates;
    for (std::size_t line = 0; line < plan.size(); ++line) {
        const PlanLine& p = plan[line];
        for (const std::string& address : p.addresses) candidates.push_back({line, address});
        if (p.option != "--raw" && p.option != "--location") continue;
        for (const ListedPrinter& q : queues) {
            const std::string& named = p.option == "--raw" ? q.name : q.location;
            if (q.model == kRawQueueModel && GlobMatches(p.target.c_str(), named.c_str()))
                candidates.push_back({line, q.name, &q});
        }
    }
    RunSpread(candidates.size(), kModelCheckThreads, [&](std::size_t i) {
        Candidate& c = candidates[i];
        std::string id;
        c.ofTheModel =
            (c.queue ? AskDeviceId(*c.queue, snmpPort, id) : DeviceIdAt(c.name, snmpPort, id)) &&
            NamesTheModel(id);
    });
    for (std::size_t line = 0; line < plan.size(); ++line) {
        const PlanLine& p = plan[line];
        const std::string& where = p.where;
        bool any = false;
        if (p.option == "--printer" && IsPattern(p.target)) {
            for (const ListedPrinter& q : queues) {
                if (!GlobMatches(p.target.c_str(), q.name.c_str())) continue;
                add("--printer", q.name, p);
                any = true;
            }
        } else if (p.option == "--raw" || p.option == "--location" || p.option == "--discover") {
            for (const Candidate& c : candidates) {
                if (c.line != line) continue;
                if (c.ofTheModel) {
                    add(c.queue ? "--printer" : "--host", c.name, p);
                    any = true;
                } else if (c.queue) {
                    Err(F(msg::kPlanNotTheModel, {where, c.name}));
                }
            }
        } else {
            add(p.option, p.target, p);
            continue;
        }
        if (!any) {
            Err(F(msg::kPlanNoMatch, {where, p.target}));
            unmatched = true;
        }
    }

    // What each gets: its line's file, or the settings it holds, with the line's changes.
    // What it holds is read for a dry run, and where the line names no file.
    std::vector<Bytes> datas(targets.size());
    std::vector<std::string> failures(targets.size());
    std::vector<std::string> reports(targets.size());
    const bool json = o.Has("--json");
    const bool dryRun = o.Has("--dry-run");
    long long jobs = kDefaultParallelJobs;
    if (o.Has("--jobs") && !Number(o, "--jobs", kMostParallelJobs, jobs)) return kExitError;
    RunSpread(targets.size(), static_cast<std::size_t>(jobs), [&](std::size_t i) {
        const PlanLine& p = *lineOf[i];
        SwitchBlock held, block;
        std::string why;
        const bool read =
            (dryRun || p.file.empty()) && ReadPrinter(targets[i], snmpPort, held, why);
        JsonRecord record;
        record.Text("printer", targets[i].second)
            .Text("transport", targets[i].first.substr(2))
            .Number("plan-line", p.number)
            .Text("file", p.file);
        if (p.file.empty() && !read) {
            failures[i] = why;
            reports[i] =
                json ? record.Text("result", "failed").Text("error", why).Line() : why + "\n";
            return;
        }
        block = WithChanges(p.file.empty() ? held : files.at(p.file), p.changes);
        datas[i].assign(block.bytes.begin(), block.bytes.end());
        if (!dryRun) return;
        if (json) {
            // What it would get; against what it holds where that could be read.
            record.Text("result", "would-send").Text("gets", BlockHex(block)).Bool("read", read);
            if (read) {
                record.Text("holds", BlockHex(held))
                    .Bool("equal", held == block)
                    .Raw("differences",
                         DifferencesJson(Differences(held, block), held, block, lang_));
            } else {
                record.Text("error", why);
            }
            reports[i] = record.Line();
            return;
        }
        const std::string source = p.file.empty() ? T(msg::kPlanHeld) : p.file;
        reports[i] = F(msg::kPlanGets, {targets[i].second, targets[i].first.substr(2), source,
                                        std::to_string(p.number)});
        if (!read) {
            reports[i] += "  " + why + "\n";
        } else if (held == block) {
            reports[i] += "  " + std::string(T(msg::kPlanNoChange)) + "\n";
        } else {
            reports[i] += DifferenceText(Differences(held, block), held, block, "  ");
        }
    });
    if (dryRun) {
        for (const std::string& r : reports) Out(r);
        return unmatched ? kExitDiffer : kExitOk;
    }
    const int code = SendEach(o, RawJob::Settings, targets, datas, &failures);
    return code == kExitOk && unmatched ? kExitDiffer : code;
}

}  // namespace vx::cli
