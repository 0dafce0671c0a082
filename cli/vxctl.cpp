#include "cli/vxctl.h"

#include <algorithm>
#include <set>
#include <utility>

#include "cli/assignment.h"
#include "cli/command_help.h"
#include "cli/vxctl_commands.h"
#include "pages/setting_lists.h"
#include "printer/net_link.h"
#include "printer/snmp.h"
#include "settings/settings_file.h"

namespace vx::cli {

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
    std::string option;
    bool missingValue = false;
    if (ParseOptions({c.valueOptions, c.flagOptions}, args, out, option, missingValue)) return true;
    Err(F(missingValue ? msg::kMissingValue : msg::kUnknownOption, {c.name, option}));
    return false;
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

bool Vxctl::Distinct(const std::vector<Target>& targets) {
    std::set<Target> seen;
    for (const auto& t : targets) {
        if (seen.insert(t).second) continue;
        Err(F(msg::kRepeatedTarget, {command_->name, t.first, t.second}));
        return false;
    }
    return true;
}

bool Vxctl::SnmpPort(const Options& o, unsigned& port) {
    port = kSnmpPort;
    if (!o.Has("--snmp-port")) return true;
    long long n = 0;
    if (!Number(o, "--snmp-port", 65535, n)) return false;
    port = static_cast<unsigned>(n);
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
            factory = std::to_string(ShownValue(s, FactoryDefaults).number);
        } else {
            for (const SettingValue& v : s.values) {
                const std::string text = ValueText(v, lang_);
                values.push_back(text == v.alias ? text : text + "=" + v.alias);
            }
            factory = ValueCell(ShownValue(s, FactoryDefaults, lang_));
        }
        const std::string page = s.page >= 0 ? PageTitle(s.page, lang_) : "-";
        const std::string label = s.page >= 0                      ? DisplayLabel(s, lang_)
                                  : s.kind == SettingKind::Carried ? T(msg::kCarried)
                                                                   : T(msg::kCleared);
        rows.push_back({s.key, page, label, Join(values, " | "), F(msg::kFactory, {factory})});
    }
    Out(Columns(rows, ""));
    return kExitOk;
}

// show -----------------------------------------------------------------------------

int Vxctl::Show(const Options& o) {
    if (o.positionals.size() != 1) return Usage(*command_);
    const std::string& path = o.positionals[0];
    SwitchBlock block;
    if (!Read(path, block)) return kExitError;

    if (!o.Has("--json")) {
        Out(path + "\n" + ShowText(block, "", true));
        return kExitOk;
    }
    Out(JsonRecord().Text("file", path).WithSettings(block, lang_, true));
    return kExitOk;
}

// diff -----------------------------------------------------------------------------

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
    Out(JsonRecord()
            .Text("a", o.positionals[0])
            .Text("b", o.positionals[1])
            .Bool("equal", a == b)
            .Raw("differences", DifferencesJson(diffs, a, b, lang_))
            .Line());
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
                Err(F(msg::kBadValue,
                      {a.key, a.value, Join(AllowedValues(*a.setting, lang_), ", ")}));
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
    // An existing OUT is the starting point, unless the factory settings are asked for. Whether
    // it exists is asked again under the lock: a run that was replacing it a moment ago may
    // have had it missing for that moment (a replace need not be one step).
    if (files.size() == 1 && !fromFactory && Exists(out, why) && !Read(out, block))
        return kExitError;
    // As the settings program saves it: the file shown on the pages, changed there, collected.
    return Write(out, FileBytes(WithChanges(block, assignments)), true) ? kExitOk : kExitError;
}

// job ------------------------------------------------------------------------------

int Vxctl::Job(const Options& o) {
    const std::string output = o.Has("-o") ? o.Value("-o") : o.Value("--output");
    if (o.positionals.size() != 1 || output.empty()) return Usage(*command_);
    SwitchBlock block;
    if (!Read(o.positionals[0], block)) return kExitError;
    return Write(output, SentBytes(block)) ? kExitOk : kExitError;
}

int RunVxctl(const std::vector<std::string>& args, Services& services) {
    return Vxctl(services).Run(args);
}

}  // namespace vx::cli
