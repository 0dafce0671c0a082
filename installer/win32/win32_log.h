// The log of a silent run.
#pragma once

#include <windows.h>

#include "installer/installer_platform.h"
#include "installer/silent.h"

namespace vx::inst::win32 {

// The log of a silent run: each line appended to the file in UTF-8 as it comes, so
// stage two can add to what stage one wrote. No file, no log.
class Win32Log : public Log {
  public:
    explicit Win32Log(const std::string& file) : file_(file) {}
    void Line(const std::string& text) override;
    bool Writable() override;

  private:
    std::string file_;
};

}  // namespace vx::inst::win32
