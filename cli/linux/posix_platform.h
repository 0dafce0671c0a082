// vxctl's services on Linux: the standard streams, files and devices, a
// listening socket for simulate, the clock, and the locale's language.
#pragma once

#include "cli/cli_platform.h"
#include "settings/file_system.h"

namespace vx::cli::posix {

class PosixConsole : public Console {
  public:
    void Out(const std::string& text) override;
    void Err(const std::string& text) override;
};

class PosixFileSystem : public FileSystem {
  public:
    std::unique_ptr<File> OpenForReading(const std::string& path) override;
    std::unique_ptr<File> OpenForUpdate(const std::string& path, OpenError& error) override;
};

class PosixOutputFiles : public OutputFiles {
  public:
    bool WriteAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes,
                         std::string& error) override;
    bool WriteDevice(const std::string& path, const std::vector<std::uint8_t>& bytes,
                     std::string& error) override;
};

class PosixJobSource : public JobSource {
  public:
    ~PosixJobSource() override;
    bool Listen(const std::string& host, int port, std::string& bound, std::string& error) override;
    bool Next(ReceivedJob& job, std::string& error) override;

  private:
    int socket_ = -1;
};

class PosixClock : public Clock {
  public:
    long long NowMs() override;
    void SleepMs(int ms) override;
};

// Japanese when the locale's messages are (LC_ALL, LC_MESSAGES, LANG).
Language LocaleLanguage();

}  // namespace vx::cli::posix
