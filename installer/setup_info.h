// The setup information file read into the SetupRecord, the default destination, and
// the command line's switches.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "installer/installer_platform.h"

namespace vx::inst {

// The uninstall entry's DisplayName holds no more than 49 bytes.
inline constexpr std::size_t kMaxTitle = 49;

struct SetupRecord {
    std::string uninstallKey;   // formed only when the whole reading succeeded
    std::string msiMarkKey;     // where the Windows Installer package marks its install
    std::string programFile;    // "VX_FILE"
    std::string installFolder;  // "INSTALL_FOLDER", then the chosen destination
    std::string printerName;
    std::string title;
    std::string diskPath;
    std::string helpFile;  // "HELP_FILE1" on version 4.0, else "HELP_FILE2"
    std::uint64_t requiredMb = 0;
};

std::string SetupFilePath(const std::string& modulePath);
bool ReadSetupInformation(Platform& p, MessageBoxes& boxes, SetupRecord& record);
std::string DefaultDestination(const std::string& windowsDirectory,
                               const std::string& installFolder);

// What a command line asks for. Its arguments are split at blanks, double quotes grouping
// and dropped; the program's own name (the first one) is never read, and a switch counts
// only as a whole argument.
struct Invocation {
    std::vector<char> stages;       // 'M' (/M, /m) and 'U' (/U, /u) in the order they stand
    bool silent = false;            // /S or /s
    std::string destination;        // /D=<folder>: the rest of the line, blanks kept, no quotes
    bool destinationGiven = false;  // /D= stood in the line (an empty folder is refused)
    std::string logFile;            // /LOG=<file>
};
Invocation ParseInvocation(const std::string& commandLine);
// The switches of a command line in the order they stand: 'U' or 'M'.
std::vector<char> FindSwitches(const std::string& commandLine);
// The right to install: on the NT family, full access to the service control manager.
bool HasInstallRight(System& system);

}  // namespace vx::inst
