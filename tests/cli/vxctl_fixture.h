// vxctl's commands over fakes of the platform: files, the Windows spooler, CUPS,
// a listening socket; the fakes and the blocks the tests share. The whole
// program against a real CUPS server is cups_test.sh; under Wine,
// tests/e2e/vxctl_test.cpp.
#pragma once

#include "cli/vxctl.h"

#include <gtest/gtest.h>

#include <atomic>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <set>

#include "cli/block_report.h"
#include "cli/printer_places.h"
#include "cli/settings_table.h"
#include "cli/simulator.h"
#include "printer/settings_reply.h"
#include "settings/settings_file.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_net_sockets.h"
#include "tests/fakes/fake_spooler.h"

namespace vx::cli {

using Bytes = std::vector<std::uint8_t>;

struct FakeConsole : Console {
    std::string out, err;
    void Out(const std::string& text) override { out += text; }
    void Err(const std::string& text) override { err += text; }
};

// Writes land in `files` and in the file system the commands read from.
struct FakeOutputFiles : OutputFiles {
    explicit FakeOutputFiles(test::FakeFileSystem& fs) : fs(fs) {}
    test::FakeFileSystem& fs;
    std::map<std::string, Bytes> files;             // written
    std::map<std::string, Bytes> devices;           // existing devices and what they got
    std::map<std::string, std::string> unreadable;  // there, but not to be opened: why
    std::string fail;                               // the error of every write
    bool WriteAtomically(const std::string& path, const Bytes& bytes, std::string& error) override {
        error = fail;
        if (!fail.empty()) return false;
        files[path] = fs.files[path] = bytes;
        return true;
    }
    std::string WhyNotReadable(const std::string& path, bool& missing) override {
        missing = !unreadable.count(path) && !fs.files.count(path);
        return missing ? "No such file or directory" : unreadable[path];
    }
    bool WriteDevice(const std::string& path, const Bytes& bytes, std::string& error) override {
        if (devices.count(path) == 0) {
            error = "No such file or directory";
            return false;
        }
        devices[path] = bytes;
        return true;
    }
};

// Queues and the states each queue's jobs pass through, one per status request.
struct FakeCups : CupsClient {
    std::vector<CupsDestination> destinations;
    std::map<std::string, std::vector<int>> states;
    std::map<std::string, std::string> messages;
    struct Job {
        std::string queue, title;
        Bytes data;
        std::size_t polls = 0;
    };
    std::vector<Job> jobs;
    std::set<int> cancelled;
    bool down = false;  // the scheduler
    bool dieAfterSubmit = false;
    std::mutex mutex;  // jobs run several at once

    bool CancelJob(int id, std::string&) override {
        const std::lock_guard<std::mutex> hold(mutex);
        cancelled.insert(id);
        return true;
    }
    bool Destinations(std::vector<CupsDestination>& out, std::string&) override {
        out = destinations;
        return true;
    }
    int SubmitRaw(const std::string& queue, const std::string& title, const Bytes& data,
                  std::string& error) override {
        const std::lock_guard<std::mutex> hold(mutex);
        if (down || states.count(queue) == 0) {
            error = down ? std::string(kNoSchedulerPrefix) + "/run/cups/cups.sock"
                         : "The printer or class does not exist.";
            return 0;
        }
        jobs.push_back({queue, title, data});
        down = dieAfterSubmit;
        return static_cast<int>(jobs.size());
    }
    bool JobStatus(int id, CupsJobStatus& status, std::string& error) override {
        const std::lock_guard<std::mutex> hold(mutex);
        if (down) {
            error = std::string(kNoSchedulerPrefix) + "/run/cups/cups.sock";
            return false;
        }
        Job& job = jobs.at(static_cast<std::size_t>(id - 1));
        const std::vector<int>& seq = states[job.queue];
        status.state = seq[std::min(job.polls++, seq.size() - 1)];
        status.message = messages[job.queue];
        return true;
    }
};

// Shared by all threads: tests that wait on it send to one printer at a time.
struct FakeClock : Clock {
    std::atomic<long long> now{0};
    long long NowMs() override { return now; }
    void SleepMs(int ms) override { now += ms; }
};

struct FakeJobs : JobSource {
    std::deque<ReceivedJob> jobs;
    std::string listenedOn;
    bool Listen(const std::string& host, int port, std::string& bound, std::string&) override {
        listenedOn = bound = host + ":" + std::to_string(port);
        return true;
    }
    bool Next(ReceivedJob& job, std::string& error) override {
        if (jobs.empty()) {
            error = "closed";
            return false;
        }
        job = jobs.front();
        jobs.pop_front();
        return true;
    }
};

// The network in memory; queues by their CUPS device URI; no devices.
struct FakeLinks : PrinterLinks {
    test::FakeNetSockets net;
    NetSockets* Network() override { return &net; }
    std::unique_ptr<PrinterLink> OpenDevice(const std::string&, std::string& error) override {
        error = "No such file or directory";
        return nullptr;
    }
    bool Locate(const std::string& destination, PrinterPlace& place, std::string& why) override {
        UsbPrinterName usb;
        why = destination;
        return ParseDeviceUri(destination, place, usb) == DeviceUriKind::Socket;
    }
};

inline Bytes FileOf(const SwitchBlock& block) {
    Bytes bytes(kSettingsFileHeader.begin(), kSettingsFileHeader.end());
    bytes.insert(bytes.end(), block.bytes.begin(), block.bytes.end());
    return bytes;
}

inline Bytes ReplyOf(const SwitchBlock& block) {
    const auto reply = SettingsReply(block);
    return Bytes(reply.begin(), reply.end());
}

inline Bytes BlockBytes(const SwitchBlock& block) {
    return Bytes(block.bytes.begin(), block.bytes.end());
}

// A block the pages would not write back as it is: framing byte 3 changed (kept), country
// code 6 (written back as 0), SW2-2 on (cleared), SW1-4 on (kept), SW2-5 on.
inline SwitchBlock Odd() {
    SwitchBlock b = FactoryDefaults;
    b.bytes[3] = 0x3B;
    SetSwitchCode(b, 1, 1, 3, 6);
    SetSwitch(b, 1, 4, true);
    SetSwitch(b, 2, 2, true);
    SetSwitch(b, 2, 5, true);
    return b;
}

inline SwitchBlock Uk() {
    SwitchBlock uk = FactoryDefaults;
    SetSwitchCode(uk, 1, 1, 3, 3);
    return uk;
}

struct VxctlTest : testing::Test {
    test::FakeFileSystem files;
    FakeConsole console;
    FakeOutputFiles output{files};
    Clock* clock = nullptr;  // the deadline's, where a test sets one

    int Run(std::vector<std::string> args, PrintService* printers = nullptr,
            JobSource* jobs = nullptr, PrinterLinks* links = nullptr) {
        console.out.clear();
        console.err.clear();
        Services s{console, files, output, Language::English, printers, jobs, links, clock};
        return RunVxctl(args, s);
    }
    // Runs a command for several printers of which some do not get their job: exit
    // code 1 and, printer by printer, what happened.
    void ExpectSomeMissed(std::vector<std::string> args, PrintService* printers,
                          const std::string& out) {
        SCOPED_TRACE(testing::PrintToString(args));
        EXPECT_EQ(Run(std::move(args), printers), kExitDiffer);
        EXPECT_EQ(console.out, out);
    }
};

}  // namespace vx::cli
