// The system services of the installer: version, paths, processes, pauses, restart-time
// deletion and the shell.
#pragma once

#include <windows.h>

#include "installer/installer_platform.h"

namespace vx::inst::win32 {

class Win32System : public System {
  public:
    OsVersion Version() override;
    std::string ModulePath() override;
    std::string CommandLine() override;
    std::string WindowsDirectory() override;
    std::string TempPath() override;
    void Sleep(unsigned milliseconds) override;
    void ExitProcess(int code) override;
    bool StartProcess(const std::string& program, const std::string& commandLine) override;
    bool RunProcess(const std::string& program, const std::string& commandLine,
                    int& exitCode) override;
    bool CanManageServices() override;
    std::string AnsiText(const std::string& text) override;
    bool DeleteAtRestart(const std::string& path) override;
    void SetWorkingFolder(const std::string& folder) override;
    void InitComForThread() override;
    void OpenFolderWindow(const std::string& folder) override;
    void OpenDocument(const std::string& path) override;
};

}  // namespace vx::inst::win32
