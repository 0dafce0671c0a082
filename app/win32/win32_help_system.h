#pragma once

#include "app/help.h"

namespace vx::win32 {

class Win32HelpSystem : public HelpSystem {
  public:
    WindowsVersion Version() override;
    std::string ModulePath() override;
    bool FileExists(const std::string& path) override;
    bool ShowHtmlHelp(const std::string& path) override;
    bool ShowWinHelp(const std::string& path) override;
    void QuitWinHelp(const std::string& path) override;
};

}  // namespace vx::win32
