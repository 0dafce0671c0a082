// What vxctl needs of the system it runs on. Each platform implements these
// thinly; the native tests use fakes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vx::cli {

enum class Language { Japanese, English };

// Standard output and standard error, UTF-8. Each call's text is written at once.
class Console {
  public:
    virtual ~Console() = default;
    virtual void Out(const std::string& text) = 0;
    virtual void Err(const std::string& text) = 0;
};

// Writing whole files and devices. `error` gets the system's reason on failure.
class OutputFiles {
  public:
    virtual ~OutputFiles() = default;
    // Writes a new temporary file in the folder of `path` and renames it over `path`, so
    // `path` is never left half-written; on failure `path` is as it was.
    virtual bool WriteAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes,
                                 std::string& error) = 0;
    // Writes to an existing device (a printer port such as /dev/usb/lp0) in one go.
    virtual bool WriteDevice(const std::string& path, const std::vector<std::uint8_t>& bytes,
                             std::string& error) = 0;
};

// A connection's bytes, received in full.
struct ReceivedJob {
    std::string peer;  // "127.0.0.1:40312"
    std::vector<std::uint8_t> bytes;
};

// A listening socket on a printer's raw port: each connection is one job.
class JobSource {
  public:
    virtual ~JobSource() = default;
    // Port 0 takes a free port; `bound` gets "host:port" as bound.
    virtual bool Listen(const std::string& host, int port, std::string& bound,
                        std::string& error) = 0;
    // Waits for the next connection and reads it until the sender closes it.
    virtual bool Next(ReceivedJob& job, std::string& error) = 0;
};

// Time, for waiting on print jobs.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual long long NowMs() = 0;
    virtual void SleepMs(int ms) = 0;
};

}  // namespace vx::cli
