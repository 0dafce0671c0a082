// The setup information file and the command-line switches.
#include "installer/setup_info.h"

#include "installer/installer_texts.h"
#include "installer/path_text.h"

namespace vx::inst {

std::string SetupFilePath(const std::string& modulePath) {
    return ReplaceLastThree(modulePath, "ini");
}

bool ReadSetupInformation(Platform& p, MessageBoxes& boxes, SetupRecord& record) {
    const std::string file = SetupFilePath(p.system.ModulePath());
    record = SetupRecord{};

    auto fail = [&](const std::string& caption) {
        record.uninstallKey.clear();
        record.msiMarkKey.clear();
        boxes.Show(text::kSetupFileBroken, caption, MsgStyle::Error);
        return false;
    };
    auto readText = [&](const char* key, std::size_t limit, std::string& out) {
        std::size_t bytes = 0;
        out = p.profile.ReadText(file, text::kSection, key, bytes);
        // Too long for its buffer: refused rather than cut.
        return !out.empty() && bytes <= limit;
    };

    record.requiredMb = p.profile.ReadInt(file, text::kSection, "DISK");
    if (record.requiredMb == 0) return fail("");
    // The title names the Start-menu group folder, and the install folder name is the last
    // part of the destination and the uninstall key's name: each is one folder name.
    std::string title;
    if (!readText("TITLE_NAME", kMaxTitle, title) || !IsFolderName(title)) return fail("");
    record.title = title;
    if (!readText("PRINTER_NAME", kMaxPath, record.printerName)) return fail(record.title);
    if (!readText("INSTALL_FOLDER", kMaxPath, record.installFolder) ||
        !IsFolderName(record.installFolder)) {
        return fail(record.title);
    }
    if (!readText("DISK_PATH", kMaxPath, record.diskPath)) return fail(record.title);
    if (!readText("VX_FILE", kMaxPath, record.programFile)) return fail(record.title);
    const OsVersion version = p.system.Version();
    const char* helpKey = version.major == 4 && version.minor == 0 ? "HELP_FILE1" : "HELP_FILE2";
    if (!readText(helpKey, kMaxPath, record.helpFile)) return fail(record.title);

    const std::string key = std::string(text::kUninstallRoot) + "\\" + record.installFolder;
    if (key.size() > kMaxPath) return fail(record.title);
    record.uninstallKey = key;
    record.msiMarkKey = FormatText(text::kMsiMarkKey, record.installFolder);
    return true;
}

std::string DefaultDestination(const std::string& windowsDirectory,
                               const std::string& installFolder) {
    std::string format = text::kDefaultDestination;
    const char drive = windowsDirectory.empty() ? 'C' : windowsDirectory[0];
    format.replace(format.find("%c"), 2, 1, drive);
    return FormatText(format, installFolder);
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Where the program's own name ends: at its closing quote when it starts with one, else at
// the first blank (so a line that starts with a blank has an empty name).
std::size_t ProgramNameEnd(const std::string& line) {
    std::size_t i = 0;
    if (!line.empty() && line[0] == '"') {
        const auto close = line.find('"', 1);
        i = close == std::string::npos ? line.size() : close + 1;
    } else {
        while (i < line.size() && !IsBlank(line[i])) ++i;
    }
    return i;
}

// The arguments after the program's own name: split at blanks, double quotes grouping and
// dropped.
std::vector<std::string> Arguments(const std::string& line) {
    std::size_t i = ProgramNameEnd(line);
    std::vector<std::string> arguments;
    while (i < line.size()) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        if (i == line.size()) break;
        std::string argument;
        bool quoted = false;
        for (; i < line.size() && (quoted || !IsBlank(line[i])); ++i) {
            if (line[i] == '"') {
                quoted = !quoted;
            } else {
                argument += line[i];
            }
        }
        arguments.push_back(argument);
    }
    return arguments;
}

}  // namespace

Invocation ParseInvocation(const std::string& commandLine) {
    Invocation result;
    std::string line = commandLine;
    // "/D=" (or "/d=") ends the line: the folder after it may hold blanks and is taken as it
    // stands, without quotes (as the popular installers take it), so nothing in it is a
    // switch. It counts where an argument starts, outside quotes, after the program's own
    // name; a deployment tool may quote the whole switch ("/D=C:\A B"), and the quotes
    // are then dropped.
    bool quoted = false;
    for (std::size_t i = ProgramNameEnd(line); i < line.size(); ++i) {
        const bool starts = !quoted && i > 0 && IsBlank(line[i - 1]);
        const bool quotedSwitch = starts && line[i] == '"';
        const std::size_t at = quotedSwitch ? i + 1 : i;
        if (starts && line.size() >= at + 3 && EqualNoCase(line.substr(at, 3), "/D=")) {
            std::string folder = line.substr(at + 3);
            while (!folder.empty() && IsBlank(folder.back())) folder.pop_back();
            if (quotedSwitch && !folder.empty() && folder.back() == '"') folder.pop_back();
            result.destination = folder;
            result.destinationGiven = true;
            line.resize(i);
            break;
        }
        if (line[i] == '"') quoted = !quoted;
    }
    for (const std::string& a : Arguments(line)) {
        if (a == "/u" || a == "/U") result.stages.push_back('U');
        if (a == "/m" || a == "/M") result.stages.push_back('M');
        if (a == "/s" || a == "/S") result.silent = true;
        if (a.size() > 5 && EqualNoCase(a.substr(0, 5), "/LOG=")) result.logFile = a.substr(5);
    }
    return result;
}

std::vector<char> FindSwitches(const std::string& commandLine) {
    return ParseInvocation(commandLine).stages;
}

bool HasInstallRight(System& system) {
    return !system.Version().NtFamily() || system.CanManageServices();
}

}  // namespace vx::inst
