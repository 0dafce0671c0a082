// Start-up decisions of the settings program: one running copy, the settings
// file named on the command line, and which help file the system can show.
#pragma once

#include <string>
#include <vector>

#include "common/utf8.h"

namespace vx {

// ---- Help file
enum class HelpKind { WinHelp = 0, HtmlHelp = 1 };
struct HelpChoice {
    const char* fileName;  // "QLV3906.hlp" or "QLV3906.chm"
    HelpKind kind;
};
// Windows 95 and NT 4.0 show the WinHelp file; 98, Me, 2000, XP and later the HTML Help file.
HelpChoice ChooseHelpFile(unsigned platformId, unsigned major, unsigned minor);

// The running program's full path cut after its last backslash, the backslash kept.
std::string ProgramFolder(const std::string& modulePath);
// The application name: the program's file name without folder and extension ("QLV3906" for
// the program as it ships). The single-instance mutex and the application's message box
// caption use it.
std::string ApplicationName(const std::string& modulePath);

// ---- Path limits
// A path fits the system's path buffers (MAX_PATH) when it has at most 259 UTF-16 units,
// the terminating zero making 260: the limit counts what the wide-character API counts, not
// the bytes of the UTF-8 text (a kanji is one unit but three bytes).
constexpr std::size_t kMaxPathUnits = 260;
bool FitsMaxPath(const std::string& utf8);

// ---- Command line
struct CommandLine {
    std::string startupFile;       // empty when none was named
    bool fileNameTooLong = false;  // a name that does not fit MAX_PATH is refused, never cut
};
// Arguments beginning with "/" or "-" are switches without effect; the first other
// argument names the settings file loaded at start-up. `args` excludes the program name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// ---- Single instance
class InstanceSystem {
  public:
    virtual ~InstanceSystem() = default;
    virtual bool OpenExistingMutex(const std::string& name) = 0;  // closes it again at once
    virtual void CreateOwnedMutex(const std::string& name) = 0;   // failure is ignored
    // The main window of the running copy, found by class "#32770" and title; 0 when none.
    virtual long long FindMainWindow(const std::string& title) = 0;
    virtual bool IsMinimised(long long window) = 0;
    virtual void Restore(long long window) = 0;
    virtual void BringToForeground(long long window) = 0;
};

extern const char kMainWindowTitle[];  // "ZAM QX-K480/330 ベルトリクス"

// True when this copy is the only one and should run. Otherwise the running copy's
// window is brought back (restored when minimised) and this copy ends. The mutex is named
// with the application name.
bool ClaimSingleInstance(InstanceSystem& system, const std::string& applicationName);

}  // namespace vx
