// Text helpers, the setup information file and the command-line switches.
#include <cstdio>

#include "installer/installer.h"
#include "installer/installer_texts.h"

namespace vx::inst {

std::string FormatText(const std::string& format, const std::string& value) {
    const auto at = format.find("%s");
    if (at == std::string::npos) return format;
    return format.substr(0, at) + value + format.substr(at + 2);
}

std::string FormatNumber(const std::string& format, long long value) {
    const auto at = format.find("%d");
    if (at == std::string::npos) return format;
    return format.substr(0, at) + std::to_string(value) + format.substr(at + 2);
}

std::string UpperAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

bool EqualNoCase(const std::string& a, const std::string& b) {
    return UpperAscii(a) == UpperAscii(b);
}

std::string ReplaceLastThree(const std::string& path, const std::string& with) {
    if (path.size() < 3) return with;
    return path.substr(0, path.size() - 3) + with;
}

std::string FolderOf(const std::string& path) {
    const auto at = path.rfind('\\');
    return at == std::string::npos ? std::string() : path.substr(0, at);
}

std::string NameOf(const std::string& path) {
    const auto at = path.rfind('\\');
    return at == std::string::npos ? path : path.substr(at + 1);
}

std::string SetupFilePath(const std::string& modulePath) {
    return ReplaceLastThree(modulePath, "ini");
}

namespace {

// The title names the Start-menu group folder, which the uninstall deletes: it must
// name a folder below the programs folder, never the folder itself or one above it.
bool UsableAsFolderName(const std::string& name) {
    bool named = false;
    std::string part;
    for (const char c : name + "\\") {
        if (c != '\\' && c != '/') {
            part += c;
            continue;
        }
        if (part == "." || part == "..") return false;
        named = named || !part.empty();
        part.clear();
    }
    return named;
}

}  // namespace

bool ReadSetupInformation(Platform& p, MessageBoxes& boxes, SetupRecord& record) {
    const std::string file = SetupFilePath(p.system.ModulePath());
    record = SetupRecord{};

    auto fail = [&](const std::string& caption) {
        record.uninstallKey.clear();
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
    std::string title;
    if (!readText("TITLE_NAME", kMaxTitle, title) || !UsableAsFolderName(title)) return fail("");
    record.title = title;
    if (!readText("PRINTER_NAME", kMaxPath, record.printerName)) return fail(record.title);
    if (!readText("INSTALL_FOLDER", kMaxPath, record.installFolder)) return fail(record.title);
    if (!readText("DISK_PATH", kMaxPath, record.diskPath)) return fail(record.title);
    if (!readText("VX_FILE", kMaxPath, record.programFile)) return fail(record.title);
    const OsVersion version = p.system.Version();
    const char* helpKey = version.major == 4 && version.minor == 0 ? "HELP_FILE1" : "HELP_FILE2";
    if (!readText(helpKey, kMaxPath, record.helpFile)) return fail(record.title);

    const std::string key = std::string(text::kUninstallRoot) + "\\" + record.installFolder;
    if (key.size() > kMaxPath) return fail(record.title);
    record.uninstallKey = key;
    return true;
}

std::string DefaultDestination(const std::string& windowsDirectory,
                               const std::string& installFolder) {
    std::string format = text::kDefaultDestination;
    const char drive = windowsDirectory.empty() ? 'C' : windowsDirectory[0];
    format.replace(format.find("%c"), 2, 1, drive);
    return FormatText(format, installFolder);
}

std::vector<char> FindSwitches(const std::string& commandLine) {
    std::vector<char> switches;
    for (std::size_t i = 0; i + 1 < commandLine.size(); ++i) {
        if (commandLine[i] != '/') continue;
        const char c = commandLine[i + 1];
        if (c == 'u' || c == 'U') switches.push_back('U');
        if (c == 'm' || c == 'M') switches.push_back('M');
    }
    return switches;
}

}  // namespace vx::inst
