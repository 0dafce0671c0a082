// vxctl's commands (inside cli/ only): the class that runs one command line over
// the platform's services. vxctl.cpp reads the arguments and runs the file
// commands; vxctl_send.cpp, vxctl_receive.cpp, vxctl_deploy.cpp and
// vxctl_simulate.cpp the printer commands.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "cli/block_report.h"
#include "cli/command_line.h"
#include "cli/messages.h"
#include "cli/text_output.h"
#include "cli/vxctl.h"
#include "printer/raw_job.h"

namespace vx::cli {

constexpr long long kDefaultWaitSeconds = 60;
// Printers sent to at once: enough for an office's fleet, few enough for a small scheduler.
constexpr long long kDefaultParallelJobs = 16;
constexpr long long kMostParallelJobs = 256;
constexpr std::size_t kModelCheckThreads = 32;
// How long the model check asks a queue's printer for its device ID: one try.
constexpr unsigned kModelCheckMs = 700;

// An option and its value naming one printer: {"--printer", "QX-1"}, {"--host", …}.
using Target = std::pair<std::string, std::string>;

class Vxctl {
  public:
    explicit Vxctl(Services& s) : s_(s), lang_(s.language) {}
    int Run(std::vector<std::string> args);
    int RunCommand(std::vector<std::string> args);

  private:
    struct Command {
        const char* name;
        const Text* help;
        std::vector<std::string> valueOptions;
        std::vector<std::string> flagOptions;
        int (Vxctl::*run)(const Options&);
    };

    const char* T(const Text& t) const { return lang_ == Language::Japanese ? t.ja : t.en; }
    std::string F(const Text& t, const std::vector<std::string>& args) const {
        return Format(T(t), args);
    }
    void Out(const std::string& text) { s_.console.Out(text); }
    void Err(const std::string& text) { s_.console.Err(text); }

    bool Parse(const Command& c, const std::vector<std::string>& args, Options& out);
    int Usage(const Command& c) {
        Err(F(msg::kWrongArguments, {c.name, T(*c.help)}));
        return kExitError;
    }
    bool Read(const std::string& path, SwitchBlock& block);
    // Writes a whole file; `locked` when the caller holds the folder's lock already.
    bool Write(const std::string& path, const Bytes& bytes, bool locked = false);
    bool Exists(const std::string& path, std::string& why);
    // The value of a numeric option, 1 to `largest`; false after saying why not.
    bool Number(const Options& o, const std::string& name, long long largest, long long& value);
    // --snmp-port's value, or the SNMP port; false after saying why not.
    bool SnmpPort(const Options& o, unsigned& port);
    // False after saying so when one target is named twice.
    bool Distinct(const std::vector<Target>& targets);

    std::string ShowText(const SwitchBlock& block, const std::string& indent,
                         bool fromFile = false) const {
        return cli::ShowText(block, indent, lang_, fromFile);
    }
    std::string DifferenceText(const std::vector<Difference>& diffs, const SwitchBlock& a,
                               const SwitchBlock& b, const std::string& indent) const {
        return cli::DifferenceText(diffs, a, b, indent, lang_);
    }
    std::string ResultLine(const std::string& target, RawJob job, const JobResult& r,
                           long long waitSeconds);
    // An error of the print system as the user reads it.
    std::string SystemReason(const std::string& error);
    long long NowMs();
    // The printer's settings as the settings program reads them; false with the line that
    // says why not. A limit cuts off an exchange still going at its deadline.
    struct ReadLimit {
        long long deadlineMs = -1;  // a time of NowMs; -1: none
        long long seconds = 0;      // --timeout, for the message
        bool timedOut = false;      // set when the deadline cut the read off
    };
    bool ReadPrinter(const Target& target, unsigned snmpPort, SwitchBlock& block,
                     std::string& failure, ReadLimit* limit = nullptr);
    // The readiness check, the request and the reply over an open link.
    bool Exchange(PrinterLink& link, const std::string& name, SwitchBlock& block,
                  std::string& failure);

    int Settings_(const Options& o);
    int Show(const Options& o);
    int Diff(const Options& o);
    int Set(const Options& o);
    int Job(const Options& o);
    int Printers(const Options& o);
    bool AskDeviceId(const ListedPrinter& p, unsigned snmpPort, std::string& id);
    int Send(const Options& o);
    int PrintSettings(const Options& o);
    int SendJob(const Options& o, RawJob job, const Bytes& data);
    // Each target its own bytes (none: already failed, its failure in the name's place).
    int SendEach(const Options& o, RawJob job, const std::vector<Target>& targets,
                 const std::vector<Bytes>& datas,
                 const std::vector<std::string>* failures = nullptr);
    bool SendToHost(const std::string& target, const Bytes& data, long long timeoutMs,
                    std::string& error);
    int Deploy(const Options& o);
    int Discover(const Options& o);
    bool DeviceIdAt(const std::string& host, unsigned snmpPort, std::string& id);
    int Receive(const Options& o);
    int Simulate(const Options& o);

    Services& s_;
    Language lang_;
    const Command* command_ = nullptr;
};

}  // namespace vx::cli
