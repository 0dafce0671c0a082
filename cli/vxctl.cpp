#include "cli/vxctl.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <utility>

#include "cli/assignment.h"
#include "cli/messages.h"
#include "cli/settings_table.h"
#include "cli/simulator.h"
#include "cli/text_output.h"
#include "pages/setting_lists.h"
#include "printer/device_id.h"
#include "printer/net_link.h"
#include "printer/raw_job.h"
#include "printer/receive.h"
#include "printer/snmp.h"
#include "settings/settings_file.h"

namespace vx::cli {

namespace {

using Bytes = std::vector<std::uint8_t>;

const char kDefaultListen[] = "127.0.0.1:9100";
const char kLoopback[] = "127.0.0.1";
constexpr long long kDefaultWaitSeconds = 60;
// Printers sent to at once: enough for an office's fleet, few enough for a small scheduler.
constexpr long long kDefaultParallelJobs = 16;
constexpr long long kMostParallelJobs = 256;
constexpr std::size_t kModelCheckThreads = 32;

std::string Hex(std::uint8_t byte) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "0x%02X", byte);
    return buffer;
}

std::string BlockHex(const SwitchBlock& block) {
    std::string out;
    for (std::size_t i = 0; i < block.bytes.size(); ++i) {
        char buffer[4];
        std::snprintf(buffer, sizeof buffer, "%02X", block.bytes[i]);
        out += (i ? " " : "") + std::string(buffer);
    }
    return out;
}

Bytes FileBytes(const SwitchBlock& block) {
    Bytes bytes(kSettingsFileSize);
    std::copy(kSettingsFileHeader.begin(), kSettingsFileHeader.end(), bytes.begin());
    std::copy(block.bytes.begin(), block.bytes.end(), bytes.begin() + kSettingsHeaderSize);
    return bytes;
}

bool IsMemorySwitchByte(std::size_t at) {
    for (int msw = 1; msw <= 4; ++msw)
        if (at == MswLowByte(msw) || at == MswLowByte(msw) + 1) return true;
    return false;
}

bool IsFunctionSelectByte(std::size_t at) {
    for (BlockByte b :
         {kOutlineFont, kKanjiTable, kFont1, kFont2, kPageLengthTens, kPageLengthUnits, kTypeface})
        if (at == b) return true;
    return false;
}

// One line of a comparison: a setting, or a byte that no setting covers.
struct Difference {
    const Setting* setting = nullptr;
    std::size_t byte = 0;   // when there is no setting
    bool highBits = false;  // bits 4 to 7 of a memory-switch byte
};

// What differs between two blocks, settings first, in table order.
std::vector<Difference> Differences(const SwitchBlock& a, const SwitchBlock& b) {
    std::vector<Difference> out;
    for (const Setting& s : Settings()) {
        bool differs = false;
        if (s.kind == SettingKind::DigitPair || s.kind == SettingKind::DigitList ||
            s.kind == SettingKind::PageLength) {
            for (int at : BytePositions(s)) differs = differs || a.bytes[at] != b.bytes[at];
        } else {
            differs = RawCode(s, a) != RawCode(s, b);
        }
        if (differs) out.push_back({&s});
    }
    for (std::size_t i = 0; i < kBlockSize; ++i) {
        if (a.bytes[i] == b.bytes[i] || IsFunctionSelectByte(i)) continue;
        if (!IsMemorySwitchByte(i)) {
            out.push_back({nullptr, i, false});
        } else if (((a.bytes[i] ^ b.bytes[i]) & 0xF0) != 0) {
            out.push_back({nullptr, i, true});
        }
    }
    return out;
}

// "byte 4 = 0x05", "bytes 24-25 = 0x36 0x36".
std::string RawCell(const Setting& s, const SwitchBlock& block) {
    const std::vector<int> at = BytePositions(s);
    const std::string where =
        at.size() == 1 ? "byte " + std::to_string(at[0])
                       : "bytes " + std::to_string(at.front()) + "-" + std::to_string(at.back());
    return where + " = " + RawBytes(s, block);
}

// "日本 (japan)"; a value whose alias is its text once.
std::string ValueCell(const Shown& shown) {
    return shown.text == shown.alias ? shown.text : shown.text + " (" + shown.alias + ")";
}

const char kFullWidthEquals[] = "\xEF\xBC\x9D";  // U+FF1D

// An argument of set meant as KEY=VALUE: one with an equals sign (also a full-width one), or
// a setting's key alone.
bool IsAssignment(const std::string& arg) {
    if (arg.find('=') != std::string::npos || arg.find(kFullWidthEquals) != std::string::npos)
        return true;
    const Assignment a = ParseAssignment(arg + "=");
    return a.error != AssignmentError::UnknownKey;
}

// A name set may create: one ending in ".dat", as the settings program names them.
bool IsSettingsFileName(const std::string& path) {
    if (path.size() < 4) return false;
    std::string end = path.substr(path.size() - 4);
    std::transform(end.begin(), end.end(), end.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return end == ".dat";
}

constexpr long long kLargestNumber = 999999999;

bool AllDigits(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A positive whole number of at most 9 digits; -1 otherwise.
long long PositiveNumber(const std::string& text) {
    if (text.empty() || text.size() > 9) return -1;
    long long n = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n > 0 ? n : -1;
}

// "host", "host:port", "[v6]:port" or a bare IPv6 address; the port stays as it was when
// none is given. False when the text is none of these.
bool SplitHostPort(const std::string& text, std::string& host, unsigned& port) {
    std::string portText;
    if (!text.empty() && text[0] == '[') {
        const std::size_t close = text.find(']');
        if (close == std::string::npos) return false;
        host = text.substr(1, close - 1);
        if (close + 1 < text.size()) {
            if (text[close + 1] != ':') return false;
            portText = text.substr(close + 2);
            if (portText.empty()) return false;
        }
    } else if (std::count(text.begin(), text.end(), ':') == 1) {
        host = text.substr(0, text.find(':'));
        portText = text.substr(text.find(':') + 1);
        if (portText.empty()) return false;
    } else {
        host = text;
    }
    if (!portText.empty()) {
        const long long n = portText == "0" ? 0 : PositiveNumber(portText);
        if (n < 0 || n > 65535) return false;
        port = static_cast<unsigned>(n);
    }
    return !host.empty();
}

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

struct Options {
    std::vector<std::string> positionals;
    std::vector<std::pair<std::string, std::string>> values;  // in the order given
    std::set<std::string> flags;

    std::string Value(const std::string& name) const {
        for (auto it = values.rbegin(); it != values.rend(); ++it)
            if (it->first == name) return it->second;
        return {};
    }
    bool Has(const std::string& name) const {
        for (const auto& v : values)
            if (v.first == name) return true;
        return flags.count(name) != 0;
    }
};

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
    // False after saying so when one target is named twice.
    bool Distinct(const std::vector<std::pair<std::string, std::string>>& targets);

    // `fromFile`: a settings file's block, shown as it is sent, with what is corrected.
    std::string ShowText(const SwitchBlock& block, const std::string& indent,
                         bool fromFile = false);
    std::string DifferenceText(const std::vector<Difference>& diffs, const SwitchBlock& a,
                               const SwitchBlock& b, const std::string& indent);
    std::string ResultLine(const std::string& target, RawJob job, const JobResult& r,
                           long long waitSeconds);
    // An error of the print system as the user reads it.
    std::string SystemReason(const std::string& error);
    long long NowMs();
    std::string SettingsJson(const char* key, const std::string& name, const SwitchBlock& block,
                             bool fromFile = false);
    bool ReadPrinter(const std::string& option, const std::string& name, unsigned snmpPort,
                     SwitchBlock& block, std::string& failure);

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
    int SendEach(const Options& o, RawJob job,
                 const std::vector<std::pair<std::string, std::string>>& targets,
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

int Vxctl::Run(std::vector<std::string> args) {
    int code = RunCommand(std::move(args));
    const std::string failure = s_.console.OutFailure();
    if (!failure.empty()) {
        Err(F(msg::kOutputFailed, {failure}));
        code = kExitError;
    }
    return code;
}

int Vxctl::RunCommand(std::vector<std::string> args) {
    // --lang may stand anywhere.
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--") break;
        std::string value;
        std::size_t taken = 0;
        if (args[i] == "--lang") {
            if (i + 1 < args.size()) value = args[i + 1];
            taken = 2;
        } else if (args[i].rfind("--lang=", 0) == 0) {
            value = args[i].substr(7);
            taken = 1;
        }
        if (taken == 0) continue;
        if (value == "ja" || value == "en") {
            lang_ = value == "ja" ? Language::Japanese : Language::English;
        } else {
            Err(T(msg::kBadLanguage));
            return kExitError;
        }
        args.erase(args.begin() + static_cast<long>(i),
                   args.begin() + static_cast<long>(std::min(args.size(), i + taken)));
        --i;
    }

    static const std::vector<Command> commands = {
        {"settings", &msg::kHelpSettings, {}, {}, &Vxctl::Settings_},
        {"show", &msg::kHelpShow, {}, {"--json"}, &Vxctl::Show},
        {"diff", &msg::kHelpDiff, {}, {"--json"}, &Vxctl::Diff},
        {"set", &msg::kHelpSet, {}, {"--from-factory"}, &Vxctl::Set},
        {"job", &msg::kHelpJob, {"-o", "--output"}, {}, &Vxctl::Job},
        {"printers",
         &msg::kHelpPrinters,
         {"--match", "--snmp-port"},
         {"--model", "--json"},
         &Vxctl::Printers},
        {"send",
         &msg::kHelpSend,
         {"--printer", "--device", "--timeout", "--jobs"},
         {"--keep-queued", "--json"},
         &Vxctl::Send},
        {"print-settings",
         &msg::kHelpPrintSettings,
         {"--printer", "--device", "--timeout", "--jobs"},
         {"--keep-queued", "--json"},
         &Vxctl::PrintSettings},
        {"receive",
         &msg::kHelpReceive,
         {"--printer", "--device", "--host", "--snmp-port", "-o", "--output", "--jobs",
          "--timeout"},
         {"--json"},
         &Vxctl::Receive},
        {"deploy",
         &msg::kHelpDeploy,
         {"--timeout", "--jobs", "--snmp-port"},
         {"--dry-run", "--keep-queued", "--json"},
         &Vxctl::Deploy},
        {"discover",
         &msg::kHelpDiscover,
         {"--snmp-port", "--jobs"},
         {"--json", "--receive"},
         &Vxctl::Discover},
        {"simulate",
         &msg::kHelpSimulate,
         {"--listen", "--state", "--jobs", "--snmp", "--usb"},
         {"--busy"},
         &Vxctl::Simulate},
    };

    if (args.empty()) {
        Err(T(msg::kUsage));
        return kExitError;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        if (args.size() == 1) {
            Out(T(msg::kUsage));
            return kExitOk;
        }
        for (const Command& c : commands) {
            if (args[1] != c.name) continue;
            Out(T(*c.help));
            return kExitOk;
        }
        Err(F(msg::kUnknownCommand, {args[1]}));
        return kExitError;
    }
    if (args[0] == "--version") {
        Out(T(msg::kVersion));
        return kExitOk;
    }
    for (const Command& c : commands) {
        if (args[0] != c.name) continue;
        command_ = &c;
        const std::vector<std::string> rest(args.begin() + 1, args.end());
        for (const std::string& a : rest) {
            if (a == "--") break;
            if (a == "--help" || a == "-h") {
                Out(T(*c.help));
                return kExitOk;
            }
        }
        Options options;
        if (!Parse(c, rest, options)) return kExitError;
        return (this->*c.run)(options);
    }
    Err(F(msg::kUnknownCommand, {args[0]}));
    return kExitError;
}

bool Vxctl::Parse(const Command& c, const std::vector<std::string>& args, Options& out) {
    auto takes = [](const std::vector<std::string>& names, const std::string& n) {
        return std::find(names.begin(), names.end(), n) != names.end();
    };
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnded || a.size() < 2 || a[0] != '-') {
            out.positionals.push_back(a);
            continue;
        }
        if (a == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t eq = a.find('=');
        const std::string name = a.rfind("--", 0) == 0 ? a.substr(0, eq) : a;
        if (takes(c.valueOptions, name)) {
            if (eq != std::string::npos && name != a) {
                out.values.emplace_back(name, a.substr(eq + 1));
            } else if (i + 1 < args.size()) {
                out.values.emplace_back(name, args[++i]);
            } else {
                Err(F(msg::kMissingValue, {c.name, name}));
                return false;
            }
        } else if (takes(c.flagOptions, a)) {
            out.flags.insert(a);
        } else {
            Err(F(msg::kUnknownOption, {c.name, a}));
            return false;
        }
    }
    return true;
}

bool Vxctl::Read(const std::string& path, SwitchBlock& block) {
    if (ReadSettingsFile(s_.files, path, block) == LoadResult::Loaded) return true;
    // A file that is there but is no settings file gets the settings program's words; one
    // that cannot be opened, the system's reason.
    bool missing = false;
    const std::string why = s_.output.WhyNotReadable(path, missing);
    Err(why.empty() ? F(msg::kNotSettingsFile, {path}) : F(msg::kCannotOpen, {path, why}));
    return false;
}

bool Vxctl::Exists(const std::string& path, std::string& why) {
    if (s_.files.OpenForReading(path)) return true;
    bool missing = false;
    why = s_.output.WhyNotReadable(path, missing);
    return !missing;
}

bool Vxctl::Write(const std::string& path, const Bytes& bytes, bool locked) {
    const std::unique_ptr<OutputFiles::Lock> lock = locked ? nullptr : s_.output.LockFolderOf(path);
    std::string error;
    if (s_.output.WriteAtomically(path, bytes, error)) return true;
    Err(error == OutputFiles::kReadOnly ? F(msg::kReadOnlyFile, {path})
                                        : F(msg::kWriteFailed, {path, error}));
    return false;
}

bool Vxctl::Number(const Options& o, const std::string& name, long long largest, long long& value) {
    const std::string text = o.Value(name);
    value = PositiveNumber(text);
    if (value > 0 && value <= largest) return true;
    if (AllDigits(text) && text.find_first_not_of('0') != std::string::npos) {
        Err(F(msg::kTooLarge, {command_->name, name, std::to_string(largest), text}));
    } else {
        Err(F(msg::kBadNumber, {command_->name, name, text}));
    }
    return false;
}

bool Vxctl::Distinct(const std::vector<std::pair<std::string, std::string>>& targets) {
    std::set<std::pair<std::string, std::string>> seen;
    for (const auto& t : targets) {
        if (seen.insert(t).second) continue;
        Err(F(msg::kRepeatedTarget, {command_->name, t.first, t.second}));
        return false;
    }
    return true;
}

// settings -------------------------------------------------------------------------

int Vxctl::Settings_(const Options& o) {
    if (!o.positionals.empty()) return Usage(*command_);
    std::vector<std::vector<std::string>> rows;
    for (const Setting& s : Settings()) {
        std::vector<std::string> values;
        std::string factory;
        if (s.kind == SettingKind::PageLength) {
            values.push_back("1..99");
            factory = std::to_string(s.factory);
        } else {
            for (const SettingValue& v : s.values) {
                const std::string text = DisplayText(v.text);
                values.push_back(text == v.alias ? text : text + "=" + v.alias);
            }
            factory = ValueCell(ShownValue(s, FactoryDefaults));
        }
        const std::string page = s.page >= 0 ? kPageTitles[s.page] : "-";
        const std::string label = s.page >= 0                      ? DisplayLabel(s)
                                  : s.kind == SettingKind::Carried ? T(msg::kCarried)
                                                                   : T(msg::kCleared);
        rows.push_back({s.key, page, label, Join(values, " | "), F(msg::kFactory, {factory})});
    }
    Out(Columns(rows, ""));
    return kExitOk;
}

// show -----------------------------------------------------------------------------

std::string Vxctl::ShowText(const SwitchBlock& block, const std::string& indent, bool fromFile) {
    // One table per page, all with the same column widths; the switches no page shows last.
    // A file's values are those the settings program sends for it; where that is not what
    // the file's bytes say, the bytes sent are named.
    const SwitchBlock sent = fromFile ? Collected(block) : block;
    std::vector<std::vector<std::vector<std::string>>> tables(6);
    for (const Setting& s : Settings()) {
        const std::size_t table = s.page >= 0 ? static_cast<std::size_t>(s.page) : 5;
        std::string raw = RawCell(s, block);
        if (RawBytes(s, block) != RawBytes(s, sent) && RawCode(s, block) != RawCode(s, sent))
            raw += "  " + F(msg::kCorrected, {RawBytes(s, sent)});
        tables[table].push_back(
            {s.key, s.page >= 0 ? DisplayLabel(s) : "", ValueCell(ShownValue(s, sent)), raw});
    }
    std::vector<std::vector<std::string>> all;
    for (const auto& t : tables) all.insert(all.end(), t.begin(), t.end());
    const std::vector<std::size_t> widths = ColumnWidths(all);
    std::string out;
    for (std::size_t t = 0; t < tables.size(); ++t) {
        const std::string title = t < 5 ? kPageTitles[t] : T(msg::kNotOnAPage);
        out += indent + "[" + title + "]\n" + Columns(tables[t], indent + "  ", widths);
    }
    return out;
}

int Vxctl::Show(const Options& o) {
    if (o.positionals.size() != 1) return Usage(*command_);
    const std::string& path = o.positionals[0];
    SwitchBlock block;
    if (!Read(path, block)) return kExitError;

    if (!o.Has("--json")) {
        Out(path + "\n" + ShowText(block, "", true));
        return kExitOk;
    }
    Out(SettingsJson("file", path, block, true));
    return kExitOk;
}

// {"file": ..., "block": ..., "settings": [...]}, one setting a line.
std::string Vxctl::SettingsJson(const char* key, const std::string& name, const SwitchBlock& block,
                                bool fromFile) {
    const SwitchBlock sent = fromFile ? Collected(block) : block;
    std::string out = "{\"" + std::string(key) + "\":" + Json(name) +
                      ",\"block\":" + Json(BlockHex(block)) + ",\"settings\":[\n";
    const auto& settings = Settings();
    for (std::size_t i = 0; i < settings.size(); ++i) {
        const Setting& s = settings[i];
        const Shown shown = ShownValue(s, sent);
        const bool corrected =
            RawBytes(s, block) != RawBytes(s, sent) && RawCode(s, block) != RawCode(s, sent);
        out += "{\"key\":" + Json(s.key) +
               ",\"page\":" + Json(s.page >= 0 ? kPageTitles[s.page] : "") +
               ",\"label\":" + Json(s.page >= 0 ? DisplayLabel(s) : "") +
               ",\"value\":" + Json(shown.text) + ",\"alias\":" + Json(shown.alias) +
               ",\"code\":" + std::to_string(RawCode(s, sent)) +
               ",\"raw\":" + Json(RawBytes(s, block)) +
               (corrected ? ",\"sent\":" + Json(RawBytes(s, sent)) : "") + "}" +
               (i + 1 < settings.size() ? ",\n" : "\n");
    }
    return out + "]}\n";
}

// diff -----------------------------------------------------------------------------

std::string Vxctl::DifferenceText(const std::vector<Difference>& diffs, const SwitchBlock& a,
                                  const SwitchBlock& b, const std::string& indent) {
    std::vector<std::vector<std::string>> rows;
    for (const Difference& d : diffs) {
        if (d.setting) {
            const Setting& s = *d.setting;
            rows.push_back({s.key, s.page >= 0 ? DisplayLabel(s) : "", ValueCell(ShownValue(s, a)),
                            "->", ValueCell(ShownValue(s, b)),
                            RawCell(s, a) + " -> " + RawBytes(s, b)});
        } else {
            rows.push_back({"byte-" + std::to_string(d.byte),
                            T(d.highBits ? msg::kHighBits : msg::kNotASetting), "", "", "",
                            "byte " + std::to_string(d.byte) + " = " + Hex(a.bytes[d.byte]) +
                                " -> " + Hex(b.bytes[d.byte])});
        }
    }
    return Columns(rows, indent);
}

int Vxctl::Diff(const Options& o) {
    if (o.positionals.size() != 2) return Usage(*command_);
    SwitchBlock a, b;
    if (!Read(o.positionals[0], a) || !Read(o.positionals[1], b)) return kExitError;
    const std::vector<Difference> diffs = Differences(a, b);
    const int code = a == b ? kExitOk : kExitDiffer;

    if (!o.Has("--json")) {
        Out(DifferenceText(diffs, a, b, ""));
        return code;
    }
    auto side = [](const Difference& d, const SwitchBlock& block) {
        if (!d.setting) return "{\"raw\":" + Json(Hex(block.bytes[d.byte])) + "}";
        const Shown shown = ShownValue(*d.setting, block);
        return "{\"value\":" + Json(shown.text) + ",\"alias\":" + Json(shown.alias) +
               ",\"code\":" + std::to_string(RawCode(*d.setting, block)) +
               ",\"raw\":" + Json(RawBytes(*d.setting, block)) + "}";
    };
    std::string out = "{\"a\":" + Json(o.positionals[0]) + ",\"b\":" + Json(o.positionals[1]) +
                      ",\"equal\":" + (a == b ? "true" : "false") + ",\"differences\":[\n";
    for (std::size_t i = 0; i < diffs.size(); ++i) {
        const Difference& d = diffs[i];
        const Setting* s = d.setting;
        const std::string key = s ? s->key : "byte-" + std::to_string(d.byte);
        const std::string label = s ? (s->page >= 0 ? DisplayLabel(*s) : "")
                                    : T(d.highBits ? msg::kHighBits : msg::kNotASetting);
        out += "{\"key\":" + Json(key) +
               ",\"page\":" + Json(s && s->page >= 0 ? kPageTitles[s->page] : "") +
               ",\"label\":" + Json(label) + ",\"a\":" + side(d, a) + ",\"b\":" + side(d, b) + "}" +
               (i + 1 < diffs.size() ? ",\n" : "\n");
    }
    Out(out + "]}\n");
    return code;
}

// set ------------------------------------------------------------------------------

int Vxctl::Set(const Options& o) {
    std::vector<std::string> files;
    std::vector<Assignment> assignments;
    std::set<const Setting*> named;
    bool refused = false;
    for (const std::string& arg : o.positionals) {
        if (assignments.empty() && !IsAssignment(arg)) {
            files.push_back(arg);
            continue;
        }
        Assignment a = ParseAssignment(arg);
        const std::string keys = Join(SettableKeys(), ", ");
        switch (a.error) {
            case AssignmentError::None:
                break;
            case AssignmentError::NoEquals:
                Err(F(msg::kNoEquals, {arg}));
                break;
            case AssignmentError::UnknownKey:
                Err(F(msg::kUnknownKey, {a.key, keys}));
                break;
            case AssignmentError::NotSettable:
                Err(F(msg::kNotSettable, {a.key, keys}));
                break;
            case AssignmentError::BadValue:
                Err(F(msg::kBadValue, {a.key, a.value, Join(AllowedValues(*a.setting), ", ")}));
                break;
        }
        if (a.error == AssignmentError::None && !named.insert(a.setting).second) {
            Err(F(msg::kRepeatedKey, {a.setting->key}));
            a.error = AssignmentError::BadValue;
        }
        refused = refused || a.error != AssignmentError::None;
        assignments.push_back(a);
    }
    const bool fromFactory = o.Has("--from-factory");
    if (files.empty() || files.size() > 2 || (fromFactory && files.size() == 2))
        return Usage(*command_);
    // A name that is neither a file nor one set may create is taken for a mistyped setting.
    std::string why;
    const std::string& out = files.back();
    const bool outExists = Exists(out, why);
    if (!outExists && !IsSettingsFileName(out)) {
        Err(F(msg::kNotAFileName, {out}));
        return kExitError;
    }
    if (refused) return kExitError;

    // The file is edited as a whole: no other vxctl writes into its folder meanwhile.
    const std::unique_ptr<OutputFiles::Lock> lock = s_.output.LockFolderOf(out);
    SwitchBlock block = FactoryDefaults;
    if (files.size() == 2 && !Read(files[0], block)) return kExitError;
    // An existing OUT is the starting point, unless the factory settings are asked for.
    if (files.size() == 1 && !fromFactory && outExists && !Read(out, block)) return kExitError;
    // As the settings program saves it: the file shown on the pages, changed there, collected.
    block = Collected(block);
    for (const Assignment& a : assignments) Store(*a.setting, block, a.code);
    return Write(out, FileBytes(block), true) ? kExitOk : kExitError;
}

// job ------------------------------------------------------------------------------

int Vxctl::Job(const Options& o) {
    const std::string output = o.Has("-o") ? o.Value("-o") : o.Value("--output");
    if (o.positionals.size() != 1 || output.empty()) return Usage(*command_);
    SwitchBlock block;
    if (!Read(o.positionals[0], block)) return kExitError;
    const SwitchBlock sent = Collected(block);
    return Write(output, Bytes(sent.bytes.begin(), sent.bytes.end())) ? kExitOk : kExitError;
}

// printers -------------------------------------------------------------------------

namespace {

// Runs work(0) ... work(count - 1) on up to `threads` threads, this one among them.
void RunSpread(std::size_t count, std::size_t threads,
               const std::function<void(std::size_t)>& work) {
    std::atomic<std::size_t> next{0};
    auto worker = [&] {
        for (std::size_t i = next++; i < count; i = next++) work(i);
    };
    std::vector<std::thread> others;
    for (std::size_t t = 1; t < std::min(threads, count); ++t) others.emplace_back(worker);
    worker();
    for (std::thread& t : others) t.join();
}

// A shell-style pattern: "*" any text, "?" any one byte, everything else itself.
bool GlobMatches(const char* pattern, const char* text) {
    if (*pattern == '\0') return *text == '\0';
    if (*pattern == '*')
        return GlobMatches(pattern + 1, text) || (*text != '\0' && GlobMatches(pattern, text + 1));
    return *text != '\0' && (*pattern == '?' || *pattern == *text) &&
           GlobMatches(pattern + 1, text + 1);
}

// How long the model check asks a queue's printer for its device ID: one try.
constexpr unsigned kModelCheckMs = 700;

}  // namespace

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
    if (o.Has("--snmp-port")) {
        long long n = 0;
        if (!Number(o, "--snmp-port", 65535, n)) return kExitError;
        snmpPort = static_cast<unsigned>(n);
    }
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
            out += "{\"printer\":" + Json(p.name) + ",\"model\":" + Json(p.model) +
                   ",\"destination\":" + Json(p.destination) +
                   (how[i].empty() ? "" : ",\"model-by\":\"" + how[i] + "\"") + "}\n";
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
    // The bytes the settings program sends once it has loaded the file.
    const SwitchBlock sent = Collected(block);
    return SendJob(o, RawJob::Settings, Bytes(sent.bytes.begin(), sent.bytes.end()));
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

namespace {

const char* OutcomeKeyword(JobOutcome outcome) {
    switch (outcome) {
        case JobOutcome::Done:
            return "done";
        case JobOutcome::NoSuchPrinter:
            return "no-such-printer";
        case JobOutcome::FileDestination:
            return "file-destination";
        case JobOutcome::NotUsable:
            return "not-usable";
        case JobOutcome::Refused:
            return "refused";
        case JobOutcome::JobEnded:
            return "job-ended";
        case JobOutcome::TimedOut:
            return "timed-out";
        case JobOutcome::NoScheduler:
            return "no-scheduler";
        case JobOutcome::Lost:
            return "lost";
    }
    return "";
}

std::string Seconds(long long ms) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", static_cast<double>(ms) / 1000.0);
    return buffer;
}

}  // namespace

int Vxctl::SendJob(const Options& o, RawJob job, const Bytes& data) {
    std::vector<std::pair<std::string, std::string>> targets;
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

int Vxctl::SendEach(const Options& o, RawJob job,
                    const std::vector<std::pair<std::string, std::string>>& targets,
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
        Out("{\"printer\":" + Json(name) + ",\"transport\":\"" + transport +
            "\",\"job\":" + std::to_string(r.jobId) + ",\"result\":\"" + OutcomeKeyword(r.outcome) +
            "\",\"state\":" + Json(r.state) + ",\"reason\":" + Json(SystemReason(r.detail)) +
            ",\"cancelled\":" + (r.cancelled ? "true" : "false") +
            ",\"seconds\":" + Seconds(runs[i].ms) + ",\"message\":" + Json(line) + "}\n");
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

// receive ----------------------------------------------------------------------------

// The printer's settings by the exchange of the settings program: the readiness check, the
// request and the 12-byte reply spread over the factory settings. False with the line that
// says why not.
bool Vxctl::ReadPrinter(const std::string& option, const std::string& name, unsigned snmpPort,
                        SwitchBlock& block, std::string& failure) {
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

    if (QueryPrinterReady(*link) != 1) {
        failure = F(msg::kNotReady, {name});
        return false;
    }
    const SettingsAnswer answer = RequestSettings(*link);
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
    if (o.Has("--snmp-port")) {
        long long n = 0;
        if (!Number(o, "--snmp-port", 65535, n)) return kExitError;
        snmpPort = static_cast<unsigned>(n);
    }
    std::vector<std::pair<std::string, std::string>> targets;
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
    // Each read ends within its link's time-outs; with --timeout, a printer whose turn
    // comes after the deadline is not read. Results come in the order given.
    struct Read {
        SwitchBlock block;
        std::string failure;
        long long ms = 0;
        bool read = false, done = false;
    };
    std::vector<Read> reads(targets.size());
    std::mutex mutex;
    std::size_t shown = 0;
    bool allRead = true, written = true;
    auto show = [&](std::size_t i) {
        const auto& [option, name] = targets[i];
        const Read& r = reads[i];
        allRead = allRead && r.read;
        const std::string fields =
            "\"transport\":\"" + option.substr(2) + "\",\"seconds\":" + Seconds(r.ms) + ",";
        const std::string record = "{\"printer\":" + Json(name) + "," + fields;
        if (!r.read) {
            Out(o.Has("--json")
                    ? record + "\"result\":\"failed\",\"error\":" + Json(r.failure) + "}\n"
                    : r.failure + "\n");
        } else if (!output.empty()) {
            written = Write(output, FileBytes(r.block));
            if (written) Out(F(msg::kReceivedTo, {name, output}) + "\n");
        } else if (o.Has("--json")) {
            // The settings as show gives them, with the result after the printer's name.
            std::string json = SettingsJson("printer", name, r.block);
            json.insert(json.find(",\"block\":") + 1, fields + "\"result\":\"done\",");
            Out(json);
        } else {
            Out(F(msg::kReceived, {name}) + "\n" + ShowText(r.block, ""));
        }
    };
    auto read = [&](std::size_t i) {
        Read r;
        const long long began = NowMs();
        if (waitSeconds > 0 && s_.clock && began >= deadline) {
            r.failure = F(msg::kNotReadInTime, {targets[i].second, std::to_string(waitSeconds)});
        } else {
            r.read = ReadPrinter(targets[i].first, targets[i].second, snmpPort, r.block, r.failure);
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

// deploy -----------------------------------------------------------------------------

namespace {

// One line of a plan: which printers, and what they get.
struct PlanLine {
    int number = 0;
    std::string option;  // "--printer" (a name or a pattern), "--host", "--device"
    std::string target;  // as written after its prefix
    std::string file;    // the settings file they get; empty: the settings they hold
    std::vector<Assignment> changes;
};

bool IsPattern(const std::string& name) { return name.find_first_of("*?") != std::string::npos; }

}  // namespace

int Vxctl::Deploy(const Options& o) {
    if (o.positionals.size() != 1) return Usage(*command_);
    const std::string& planPath = o.positionals[0];
    unsigned snmpPort = kSnmpPort;
    if (o.Has("--snmp-port")) {
        long long n = 0;
        if (!Number(o, "--snmp-port", 65535, n)) return kExitError;
        snmpPort = static_cast<unsigned>(n);
    }
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
        p.option = "--printer";
        p.target = words[0];
        for (const char* kind : {"host:", "device:"}) {
            if (p.target.rfind(kind, 0) != 0) continue;
            p.option = std::string("--") + std::string(kind).substr(0, std::strlen(kind) - 1);
            p.target = p.target.substr(std::strlen(kind));
        }
        std::string where = planPath + ":" + std::to_string(number);
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
        if (p.target.empty() || (p.file.empty() && p.changes.empty())) {
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
    const bool anyQueue = std::any_of(plan.begin(), plan.end(),
                                      [](const PlanLine& p) { return p.option == "--printer"; });
    if (anyQueue && (!s_.printers || !s_.printers->List(false, queues, error))) {
        Err(s_.printers ? F(msg::kListFailed, {SystemReason(error)}) : T(msg::kNoPrinting));
        return kExitError;
    }
    std::vector<std::pair<std::string, std::string>> targets;
    std::vector<const PlanLine*> lineOf;
    bool unmatched = false;
    auto add = [&](const std::string& option, const std::string& name, const PlanLine& p) {
        const std::pair<std::string, std::string> t{option, name};
        if (std::find(targets.begin(), targets.end(), t) != targets.end()) return;
        targets.push_back(t);
        lineOf.push_back(&p);
    };
    for (const PlanLine& p : plan) {
        if (p.option != "--printer" || !IsPattern(p.target)) {
            add(p.option, p.target, p);
            continue;
        }
        bool any = false;
        for (const ListedPrinter& q : queues) {
            if (!GlobMatches(p.target.c_str(), q.name.c_str())) continue;
            add("--printer", q.name, p);
            any = true;
        }
        if (!any) {
            Err(F(msg::kPlanNoMatch, {planPath + ":" + std::to_string(p.number), p.target}));
            unmatched = true;
        }
    }

    // What each gets: its line's file, or the settings it holds, with the line's changes.
    // What it holds is read for a dry run, and where the line names no file.
    std::vector<Bytes> datas(targets.size());
    std::vector<std::string> failures(targets.size());
    std::vector<std::string> reports(targets.size());
    const bool dryRun = o.Has("--dry-run");
    long long jobs = kDefaultParallelJobs;
    if (o.Has("--jobs") && !Number(o, "--jobs", kMostParallelJobs, jobs)) return kExitError;
    RunSpread(targets.size(), static_cast<std::size_t>(jobs), [&](std::size_t i) {
        const PlanLine& p = *lineOf[i];
        SwitchBlock held, block;
        std::string why;
        const bool read = (dryRun || p.file.empty()) &&
                          ReadPrinter(targets[i].first, targets[i].second, snmpPort, held, why);
        if (p.file.empty() && !read) {
            failures[i] = why;
            reports[i] = why + "\n";
            return;
        }
        block = Collected(p.file.empty() ? held : files.at(p.file));
        for (const Assignment& a : p.changes) Store(*a.setting, block, a.code);
        datas[i].assign(block.bytes.begin(), block.bytes.end());
        if (!dryRun) return;
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

// discover ---------------------------------------------------------------------------

namespace {

// The unicast IPv4 addresses of "A.B.C.D/N" (N from 24 to 32) or of one address: without
// the network's and the broadcast address where the range has them. False when the text is
// none of these.
bool RangeAddresses(const std::string& text, std::vector<std::string>& out) {
    const std::size_t slash = text.find('/');
    const std::string address = text.substr(0, slash);
    const long long bits = slash == std::string::npos ? 32 : PositiveNumber(text.substr(slash + 1));
    unsigned parts[4];
    char end = 0;
    if (bits < 24 || bits > 32 ||
        std::sscanf(address.c_str(), "%3u.%3u.%3u.%3u%c", &parts[0], &parts[1], &parts[2],
                    &parts[3], &end) != 4 ||
        std::any_of(parts, parts + 4, [](unsigned p) { return p > 255; }))
        return false;
    const std::uint32_t value = parts[0] << 24 | parts[1] << 16 | parts[2] << 8 | parts[3];
    const std::uint32_t size = 1u << (32 - bits);
    const std::uint32_t first = value & ~(size - 1);
    for (std::uint32_t a = first; a < first + size; ++a) {
        if (size >= 4 && (a == first || a == first + size - 1)) continue;
        out.push_back(std::to_string(a >> 24) + "." + std::to_string(a >> 16 & 255) + "." +
                      std::to_string(a >> 8 & 255) + "." + std::to_string(a & 255));
    }
    return true;
}

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
    if (o.Has("--snmp-port")) {
        long long n = 0;
        if (!Number(o, "--snmp-port", 65535, n)) return kExitError;
        snmpPort = static_cast<unsigned>(n);
    }
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
            o.Has("--receive") && ReadPrinter("--host", addresses[i], snmpPort, block, failure);
        allRead = allRead && (read || !o.Has("--receive"));
        if (o.Has("--json")) {
            std::string record = "{\"address\":" + Json(addresses[i]) +
                                 ",\"model\":" + Json(model) + ",\"serial\":" + Json(serial) +
                                 ",\"ready\":" + (ready ? "true" : "false") +
                                 ",\"device-id\":" + Json(ids[i]);
            if (read) {
                std::string json = SettingsJson("printer", addresses[i], block);
                record += "," + json.substr(json.find("\"block\":"));
                Out(record);
                continue;
            }
            if (!failure.empty()) record += ",\"error\":" + Json(failure);
            Out(record + "}\n");
            continue;
        }
        Out(addresses[i] + "\t" + model + "\t" + serial + "\t" +
            T(ready ? msg::kDiscoveredReady : msg::kDiscoveredBusy) + "\n");
        if (read) Out(ShowText(block, "  "));
        if (!failure.empty()) Out("  " + failure + "\n");
    }
    return allRead ? kExitOk : kExitDiffer;
}

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

}  // namespace

int RunVxctl(const std::vector<std::string>& args, Services& services) {
    return Vxctl(services).Run(args);
}

}  // namespace vx::cli
