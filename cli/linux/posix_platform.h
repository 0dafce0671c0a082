// vxctl's services on Linux: the standard streams, files and devices, a
// listening socket for simulate, the clock, and the locale's language.
#pragma once

#include <vector>

#include "cli/cli_platform.h"
#include "settings/file_system.h"

namespace vx::cli::posix {

class PosixConsole : public Console {
  public:
    void Out(const std::string& text) override;
    void Err(const std::string& text) override;
    std::string OutFailure() override { return outFailure_; }

  private:
    std::string outFailure_;
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
    bool WriteDeviceWithin(const std::string& path, const std::vector<std::uint8_t>& bytes,
                           long long timeoutMs, std::string& error) override;
    std::string WhyNotReadable(const std::string& path, bool& missing) override;
    // flock(2) on the folder: every vxctl that writes there takes it.
    std::unique_ptr<Lock> LockFolderOf(const std::string& path) override;
};

// A raw port, or a stand-in for a USB printer: a pseudo-terminal in raw mode linked as
// DIR/dev/usb/lp0, with its device ID in DIR/sys/class/usbmisc/lp0/device/ieee1284_id (the
// layout of the usblp driver under a root of its own; see posix_links.h).
class PosixJobSource : public JobSource {
  public:
    ~PosixJobSource() override;
    bool Listen(const std::string& host, int port, std::string& bound, std::string& error) override;
    bool Next(ReceivedJob& job, std::string& error) override;
    bool ListenDatagrams(const std::string& host, int port, std::string& bound,
                         std::string& error) override;
    bool ListenUsb(const std::string& folder, const std::string& deviceId, std::string& bound,
                   std::string& error) override;
    bool NextAnswering(ReceivedJob& job, PrinterResponder& responder, std::string& error) override;

  private:
    bool Take(ReceivedJob& job, PrinterResponder* responder, std::string& error);
    // Waits until `fd` can be read or `timeoutMs` passes (-1: no limit), answering datagrams
    // meanwhile. 1: readable, 0: the time passed, -1: error.
    int Wait(int fd, int timeoutMs, PrinterResponder* responder, std::string& error);
    void AnswerDatagram(PrinterResponder* responder);

    // A job's connection while it arrives.
    struct Connection {
        int fd = -1;
        ReceivedJob job;
        long long lastMs = 0;  // when its last bytes came
        bool ended = false;    // the sender closed it
    };
    std::vector<Connection> open_;
    int socket_ = -1;
    int datagrams_ = -1;
    int usbMaster_ = -1, usbSlave_ = -1;
};

class PosixClock : public Clock {
  public:
    long long NowMs() override;
    void SleepMs(int ms) override;
};

// Japanese when the locale's messages are (LC_ALL, LC_MESSAGES, LANG).
Language LocaleLanguage();

// Writes all of `bytes` (again after an interruption); false with errno set when it could not.
bool WriteBytes(int fd, const std::vector<std::uint8_t>& bytes);

}  // namespace vx::cli::posix
