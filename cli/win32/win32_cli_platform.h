// vxctl's services on Windows: the console (wide characters) or redirected
// output (UTF-8), files and ports, a listening socket for simulate, the user's
// language, the platform family and the printer list's name order.
#pragma once

#include <string>

#include "cli/cli_platform.h"
#include "common/win32/owned_socket.h"
#include "printer/platform_family.h"
#include "settings/win32/win32_file_system.h"

namespace vx::cli::win32 {

class Win32Console : public Console {
  public:
    void Out(const std::string& text) override;
    void Err(const std::string& text) override;
};

// Files as the settings program reads them; "-" the standard input.
class Win32CliFileSystem : public vx::win32::Win32FileSystem {
  public:
    std::unique_ptr<File> OpenForReading(const std::string& path) override;
};

// Files written as on Linux (cli/file_writing.h decides): an existing file keeps its
// attributes and security (ReplaceFileW), a symbolic link is followed to it, a read-only one
// is refused; "-" is the standard output; the edit lock is a file in the folder that one
// run at a time holds open.
class Win32OutputFiles : public OutputFiles {
  public:
    bool WriteAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes,
                         std::string& error) override;
    bool WriteDevice(const std::string& path, const std::vector<std::uint8_t>& bytes,
                     std::string& error) override;
    std::string WhyNotReadable(const std::string& path, bool& missing) override;
    std::unique_ptr<Lock> LockFolderOf(const std::string& path) override;
};

class Win32JobSource : public JobSource {
  public:
    Win32JobSource();
    ~Win32JobSource() override;
    bool Listen(const std::string& host, int port, std::string& bound, std::string& error) override;
    bool Next(ReceivedJob& job, std::string& error) override;

  private:
    bool started_ = false;
    vx::win32::Socket socket_;
};

// Japanese when the user's interface language is.
Language UserLanguage();
PlatformFamily Family();
// The order of the printer list, which sorts its names as the system compares texts.
bool PrinterNameBefore(const std::string& a, const std::string& b);

}  // namespace vx::cli::win32
