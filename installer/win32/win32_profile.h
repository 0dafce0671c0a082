// The setup information file, read as code page 932 whatever the system's code page.
#pragma once

#include <windows.h>

#include "installer/installer_platform.h"

namespace vx::inst::win32 {

class Win32Profile : public Profile {
  public:
    unsigned ReadInt(const std::string& file, const std::string& section,
                     const std::string& key) override;
    std::string ReadText(const std::string& file, const std::string& section,
                         const std::string& key, std::size_t& ansiBytes) override;
};

}  // namespace vx::inst::win32
