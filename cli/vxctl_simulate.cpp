// vxctl simulate: a stand-in for a printer of the model.
#include "cli/simulator.h"
#include "cli/vxctl_commands.h"
#include "printer/snmp.h"

namespace vx::cli {

namespace {

const char kDefaultListen[] = "127.0.0.1:9100";
const char kLoopback[] = "127.0.0.1";

// The simulated printer's answers: the reply on its raw port, the device ID by SNMP.
class SimulatorResponder : public PrinterResponder {
  public:
    SimulatorResponder(SimulatedPrinter& printer, std::string deviceId)
        : printer_(printer), deviceId_(std::move(deviceId)) {}
    Bytes Answer(const Bytes& received) override { return printer_.AnswerAll(received); }
    std::string AnswerDatagram(const std::string& request) override {
        std::string response;
        return snmp::AnswerDeviceIdGet(request, deviceId_, response) ? response : std::string();
    }

  private:
    SimulatedPrinter& printer_;
    std::string deviceId_;
};

}  // namespace

// simulate ---------------------------------------------------------------------------

int Vxctl::Simulate(const Options& o) {
    if (!o.positionals.empty()) return Usage(*command_);
    const std::string listen = o.Has("--listen") ? o.Value("--listen") : kDefaultListen;
    std::string host = kLoopback, portText = listen;
    const std::size_t colon = listen.rfind(':');
    if (colon != std::string::npos) {
        host = listen.substr(0, colon);
        portText = listen.substr(colon + 1);
        if (host.size() >= 2 && host.front() == '[' && host.back() == ']')
            host = host.substr(1, host.size() - 2);
    }
    const long long port = portText == "0" ? 0 : PositiveNumber(portText);
    if (host.empty() || port < 0 || port > 65535) {
        Err(F(msg::kBadListen, {listen}));
        return kExitError;
    }
    long long jobLimit = 0;
    if (o.Has("--jobs") && !Number(o, "--jobs", kLargestNumber, jobLimit)) return kExitError;
    std::string snmpHost;
    unsigned snmpPort = 0;
    if (o.Has("--snmp") && (!SplitHostPort(o.Value("--snmp"), snmpHost, snmpPort) ||
                            o.Value("--snmp").find(':') == std::string::npos)) {
        Err(F(msg::kBadSnmp, {o.Value("--snmp")}));
        return kExitError;
    }
    if (o.Has("--usb") && (o.Has("--listen") || o.Value("--usb").empty())) return Usage(*command_);
    if (!s_.jobs) {
        Err(T(msg::kNoPrinting));
        return kExitError;
    }

    // The printer holds the settings of its state file, or the factory settings.
    const std::string statePath = o.Value("--state");
    SwitchBlock settings = FactoryDefaults;
    // A state file that is there is read or refused, never reset.
    std::string why;
    if (!statePath.empty() && Exists(statePath, why) && !Read(statePath, settings))
        return kExitError;
    if (!statePath.empty() && !Write(statePath, FileBytes(settings))) return kExitError;
    SimulatedPrinter printer(settings);

    const std::string deviceId = SimulatedDeviceId(o.Has("--busy"));
    SimulatorResponder responder(printer, deviceId);

    std::string bound, error;
    if (o.Has("--usb")) {
        if (!s_.jobs->ListenUsb(o.Value("--usb"), deviceId, bound, error)) {
            Err(F(msg::kListenFailed, {o.Value("--usb"), error}));
            return kExitError;
        }
        Out(F(msg::kUsbReady, {bound}));
    } else {
        if (!s_.jobs->Listen(host, static_cast<int>(port), bound, error)) {
            Err(F(msg::kListenFailed, {listen, error}));
            return kExitError;
        }
        Out(F(msg::kListening, {bound}));
    }
    if (o.Has("--snmp")) {
        if (!s_.jobs->ListenDatagrams(snmpHost, static_cast<int>(snmpPort), bound, error)) {
            Err(F(msg::kListenFailed, {o.Value("--snmp"), error}));
            return kExitError;
        }
        Out(F(msg::kSnmpListening, {bound, deviceId}));
    }

    for (long long count = 1; jobLimit == 0 || count <= jobLimit; ++count) {
        ReceivedJob job;
        if (!s_.jobs->NextAnswering(job, responder, error)) {
            Err(F(msg::kReceiveFailed, {error}));
            return kExitDiffer;
        }
        std::string out = F(msg::kJobReceived,
                            {std::to_string(count), job.peer, std::to_string(job.bytes.size())});
        for (const PrinterEvent& e : printer.Receive(job.bytes, job.answered)) {
            switch (e.kind) {
                case PrinterEvent::SettingsWritten: {
                    const std::vector<Difference> changes = Differences(e.before, e.after);
                    out += F(msg::kSettingsWritten, {std::to_string(changes.size())});
                    out += DifferenceText(changes, e.before, e.after, "    ");
                    break;
                }
                case PrinterEvent::PrintRequested:
                    out += T(msg::kPrintRequested) + ShowText(printer.Settings(), "    ");
                    break;
                case PrinterEvent::ReportRequested:
                    out += T(e.count != 0 ? msg::kReportAnswered : msg::kReportRequested);
                    break;
                case PrinterEvent::Ignored:
                    out += F(msg::kIgnored, {std::to_string(e.count)});
                    break;
            }
        }
        if (!statePath.empty() && printer.Settings() != settings) {
            if (!Write(statePath, FileBytes(printer.Settings()))) return kExitError;
            settings = printer.Settings();
        }
        Out(out);
    }
    return kExitOk;
}

}  // namespace vx::cli
