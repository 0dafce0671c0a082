// What vxctl needs of the system it runs on. Each platform implements these
// thinly; the native tests use fakes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "printer/net_socket.h"
#include "printer/printer_link.h"

namespace vx::cli {

enum class Language { Japanese, English };

// Standard output and standard error, UTF-8. Each call's text is written at once.
class Console {
  public:
    virtual ~Console() = default;
    virtual void Out(const std::string& text) = 0;
    virtual void Err(const std::string& text) = 0;
    // The system's reason when some standard output could not be written; empty when all was.
    virtual std::string OutFailure() { return {}; }
};

// Writing whole files and devices. `error` gets the system's reason on failure.
class OutputFiles {
  public:
    // The error text of WriteAtomically for an existing file nobody may write.
    static constexpr const char* kReadOnly = "read-only";
    // The error text of WriteDeviceWithin when the time ran out.
    static constexpr const char* kTimedOut = "timed out";

    virtual ~OutputFiles() = default;
    // Writes `bytes` as the whole content of `path`, never leaving it half-written: a new
    // file goes to a temporary file in the folder that is renamed into place; an existing
    // regular file keeps its mode and owner (a symbolic link is followed to it), and one
    // nobody may write is refused with kReadOnly. A device or a pipe is written directly.
    // On failure `path` is as it was.
    virtual bool WriteAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes,
                                 std::string& error) = 0;
    // Writes to an existing device (a printer port such as /dev/usb/lp0) in one go.
    virtual bool WriteDevice(const std::string& path, const std::vector<std::uint8_t>& bytes,
                             std::string& error) = 0;

    // WriteDevice within `timeoutMs` (-1: no limit): a device that takes nothing by then (a
    // pipe nobody reads, an offline printer) fails with kTimedOut.
    virtual bool WriteDeviceWithin(const std::string& path, const std::vector<std::uint8_t>& bytes,
                                   long long timeoutMs, std::string& error) {
        (void)timeoutMs;
        return WriteDevice(path, bytes, error);
    }

    // Why `path` cannot be opened for reading, in the system's words; `missing` when there
    // is nothing by that name.
    virtual std::string WhyNotReadable(const std::string& path, bool& missing) {
        (void)path;
        missing = false;
        return {};
    }

    // Held while a file is read, changed and written back.
    class Lock {
      public:
        virtual ~Lock() = default;
    };
    // Keeps other vxctl runs from writing into the folder of `path` until the lock is
    // dropped, and removes the temporary files a killed run left for `path`. Null where
    // the platform has no such lock; the edit goes on without it.
    virtual std::unique_ptr<Lock> LockFolderOf(const std::string& path) {
        (void)path;
        return nullptr;
    }
};

// A connection's bytes, received in full.
struct ReceivedJob {
    std::string peer;  // "127.0.0.1:40312"
    std::vector<std::uint8_t> bytes;
    std::size_t answered = 0;  // bytes the responder sent back while the job arrived
};

// What a simulated printer says back while it takes a job.
class PrinterResponder {
  public:
    virtual ~PrinterResponder() = default;
    // All the bytes of the job so far, each time more arrive: every byte to send back for
    // them, from the start of the job (the job source sends what it has not sent yet).
    virtual std::vector<std::uint8_t> Answer(const std::vector<std::uint8_t>& received) = 0;
    // One datagram on the SNMP port: the datagram to send back (none when empty).
    virtual std::string AnswerDatagram(const std::string& request) = 0;
};

// A listening socket on a printer's raw port: each connection is one job; several may
// arrive at once, and Next gives the one that ends first.
class JobSource {
  public:
    virtual ~JobSource() = default;
    // Port 0 takes a free port; `bound` gets "host:port" as bound.
    virtual bool Listen(const std::string& host, int port, std::string& bound,
                        std::string& error) = 0;
    // Waits for the next connection and reads it until the sender closes it.
    virtual bool Next(ReceivedJob& job, std::string& error) = 0;

    // Where a platform can answer as a printer does. A UDP port whose datagrams the
    // responder of NextAnswering answers, while it waits for a job and while it takes one.
    virtual bool ListenDatagrams(const std::string& host, int port, std::string& bound,
                                 std::string& error) {
        (void)host, (void)port, (void)bound;
        error = "not supported here";
        return false;
    }
    // Instead of a socket: a stand-in for a USB printer in `folder` with this device ID, laid
    // out as the system shows one (see the platform). Its jobs end when the sender goes quiet.
    virtual bool ListenUsb(const std::string& folder, const std::string& deviceId,
                           std::string& bound, std::string& error) {
        (void)folder, (void)deviceId, (void)bound;
        error = "not supported here";
        return false;
    }
    // Next, with the printer's answers going back as the job arrives.
    virtual bool NextAnswering(ReceivedJob& job, PrinterResponder& responder, std::string& error) {
        (void)responder;
        return Next(job, error);
    }
};

// Where the printer of a print queue is, for reading its settings.
struct PrinterPlace {
    enum Kind {
        Network,  // `host`, `port`: a raw port, with SNMP on the same host
        Device,   // `device`: a path OpenDevice takes
    } kind = Network;
    std::string host;
    unsigned port = 9100;
    std::string device;
};

// The ways vxctl reaches a printer to read its settings.
class PrinterLinks {
  public:
    virtual ~PrinterLinks() = default;
    // The network's sockets; null where vxctl cannot use them yet.
    virtual NetSockets* Network() = 0;
    // A printer device (Linux: a usblp device such as /dev/usb/lp0). Null with `error` when
    // it cannot be opened.
    virtual std::unique_ptr<PrinterLink> OpenDevice(const std::string& path,
                                                    std::string& error) = 0;
    // The place of a queue's printer from its destination as PrintService::List gives it (the
    // device URI on CUPS, the port on Windows). False with `why` when it cannot be read.
    virtual bool Locate(const std::string& destination, PrinterPlace& place, std::string& why) = 0;
};

// Time, for waiting on print jobs.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual long long NowMs() = 0;
    virtual void SleepMs(int ms) = 0;
};

}  // namespace vx::cli
