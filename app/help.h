// The help command: which help file the system can show, and showing it.
#pragma once

#include <string>

#include "app/main_view.h"
#include "app/startup.h"

namespace vx {

struct WindowsVersion {
    unsigned platformId = 2;
    unsigned major = 5;
    unsigned minor = 1;
};

// The help viewers and the few system calls the help command needs.
class HelpSystem {
  public:
    virtual ~HelpSystem() = default;
    virtual WindowsVersion Version() = 0;
    virtual std::string ModulePath() = 0;  // the running program's full path
    virtual bool FileExists(const std::string& path) = 0;
    // HTML Help at its contents; false when no help window comes back (also when
    // the viewer cannot be loaded).
    virtual bool ShowHtmlHelp(const std::string& path) = 0;
    // WinHelp at its contents; false when it fails.
    virtual bool ShowWinHelp(const std::string& path) = 0;
    // Closes a WinHelp window opened for `path`.
    virtual void QuitWinHelp(const std::string& path) = 0;
};

class HelpFile {
  public:
    // Chooses the file by the system's version, in the program's folder; the help
    // command is disabled when that file is missing. Once, at start-up.
    void FindHelpFile(HelpSystem& system, MainView& view);
    // The help command (32806, F1).
    void ShowHelp(HelpSystem& system, MainView& view) const;
    // When the main window is destroyed.
    void Shutdown(HelpSystem& system) const;

    HelpKind Kind() const { return kind_; }
    const std::string& Path() const { return path_; }

  private:
    HelpKind kind_ = HelpKind::HtmlHelp;
    std::string path_;
};

}  // namespace vx
