// The installer's registry keys over the Win32 registry API.
#pragma once

#include <windows.h>

#include "installer/installer_platform.h"

namespace vx::inst::win32 {

class Win32Registry : public Registry {
  public:
    std::unique_ptr<RegKey> Open(RegRoot root, const std::string& path) override;
    std::unique_ptr<RegKey> Create(RegRoot root, const std::string& path) override;
};

}  // namespace vx::inst::win32
