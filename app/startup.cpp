#include "app/startup.h"

namespace vx {

const char kMainWindowTitle[] = "ZAM QX-K480/330 ベルトリクス";

HelpChoice ChooseHelpFile(unsigned platformId, unsigned major, unsigned minor) {
    const HelpChoice hlp{"QLV3906.hlp", HelpKind::WinHelp};
    const HelpChoice chm{"QLV3906.chm", HelpKind::HtmlHelp};
    switch (platformId) {
        case 1:  // 9x family: Windows 95 is 4.0
            return (major < 5 && minor < 10) ? hlp : chm;
        case 2:  // NT family: NT 4.0 and earlier
            return major < 5 ? hlp : chm;
        default:
            return chm;
    }
}

std::string ProgramFolder(const std::string& modulePath) {
    const std::size_t slash = modulePath.find_last_of('\\');
    return slash == std::string::npos ? std::string() : modulePath.substr(0, slash + 1);
}

std::string ApplicationName(const std::string& modulePath) {
    std::string name = modulePath.substr(modulePath.find_last_of("\\/") + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}

bool FitsMaxPath(const std::string& utf8) { return Utf16Length(utf8) < kMaxPathUnits; }

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine result;
    for (const std::string& arg : args) {
        if (!arg.empty() && (arg[0] == '/' || arg[0] == '-')) continue;
        if (!FitsMaxPath(arg)) {
            result.fileNameTooLong = true;
        } else {
            result.startupFile = arg;
        }
        break;
    }
    return result;
}

bool ClaimSingleInstance(InstanceSystem& system, const std::string& applicationName) {
    if (system.OpenExistingMutex(applicationName)) {
        // Another copy runs: the mutex alone decides, found window or not.
        if (const long long window = system.FindMainWindow(kMainWindowTitle)) {
            if (system.IsMinimised(window)) system.Restore(window);
            system.BringToForeground(window);
        }
        return false;
    }
    system.CreateOwnedMutex(applicationName);
    return true;
}

}  // namespace vx
