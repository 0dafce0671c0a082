// vxctl's services on Windows: the console (wide characters) or redirected
// output (UTF-8), files and ports, a listening socket for simulate, the user's
// language, the platform family and the printer list's name order.
#pragma once

#include <string>

#include "cli/cli_platform.h"
#include "printer/platform_family.h"

namespace vx::cli::win32 {

class Win32Console : public Console {
  public:
    void Out(const std::string& text) override;
    void Err(const std::string& text) override;
};

class Win32OutputFiles : public OutputFiles {
  public:
    bool WriteAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes,
                         std::string& error) override;
    bool WriteDevice(const std::string& path, const std::vector<std::uint8_t>& bytes,
                     std::string& error) override;
    std::string WhyNotReadable(const std::string& path, bool& missing) override;
};

class Win32JobSource : public JobSource {
  public:
    Win32JobSource();
    ~Win32JobSource() override;
    bool Listen(const std::string& host, int port, std::string& bound, std::string& error) override;
    bool Next(ReceivedJob& job, std::string& error) override;

  private:
    bool started_ = false;
    std::uintptr_t socket_;
};

// Japanese when the user's interface language is.
Language UserLanguage();
PlatformFamily Family();
// The order of the printer list, which sorts its names as the system compares texts.
bool PrinterNameBefore(const std::string& a, const std::string& b);

}  // namespace vx::cli::win32
