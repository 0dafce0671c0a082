// Shortcut files through the shell's link object (COM).
#pragma once

#include <windows.h>

#include "installer/installer_platform.h"

namespace vx::inst::win32 {

class Win32ShellLinks : public ShellLinks {
  public:
    std::unique_ptr<ShellLink> Create() override;
};

}  // namespace vx::inst::win32
