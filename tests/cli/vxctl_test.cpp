// vxctl's commands over fakes of the platform: files, the Windows spooler, CUPS,
// a listening socket. The whole program against a real CUPS server is
// cups_test.sh; under Wine, tests/e2e/vxctl_test.cpp.
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
namespace {

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

Bytes FileOf(const SwitchBlock& block) {
    Bytes bytes(kSettingsFileHeader.begin(), kSettingsFileHeader.end());
    bytes.insert(bytes.end(), block.bytes.begin(), block.bytes.end());
    return bytes;
}

Bytes ReplyOf(const SwitchBlock& block) {
    const auto reply = SettingsReply(block);
    return Bytes(reply.begin(), reply.end());
}

Bytes BlockBytes(const SwitchBlock& block) { return Bytes(block.bytes.begin(), block.bytes.end()); }

// A block the pages would not write back as it is: framing byte 3 changed (kept), country
// code 6 (written back as 0), SW2-2 on (cleared), SW1-4 on (kept), SW2-5 on.
SwitchBlock Odd() {
    SwitchBlock b = FactoryDefaults;
    b.bytes[3] = 0x3B;
    SetSwitchCode(b, 1, 1, 3, 6);
    SetSwitch(b, 1, 4, true);
    SetSwitch(b, 2, 2, true);
    SetSwitch(b, 2, 5, true);
    return b;
}

SwitchBlock Uk() {
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

TEST_F(VxctlTest, SetWritesTheFileAsTheProgramSavesItAndRefusesWithoutWriting) {
    files.files["in.dat"] = FileOf(Odd());
    ASSERT_EQ(Run({"set", "in.dat", "out.dat", "country=SWEDEN", "print-mode=高品位",
                   "driver=QX-K480/330(16&0)", "page-length=07", "buzzer=有効", "font2=OCR-B",
                   "outline-font=ＯＦＦ", "density=Density 1"}),
              kExitOk)
        << console.err;
    SwitchBlock want = Odd();
    SetSwitchCode(want, 1, 1, 3, 5);  // country written anew
    SetSwitch(want, 2, 2, false);
    SetSwitchCode(want, 4, 5, 2, 1);
    SetSwitch(want, 3, 4, true);
    SetPageLength(want, 7);
    SetSwitch(want, 4, 1, true);
    want.bytes[kFont2] = '4';
    want.bytes[kOutlineFont] = '0';
    SetSwitchCode(want, 4, 2, 2, 1);
    EXPECT_EQ(output.files["out.dat"], FileOf(want));

    // Without IN: the factory settings, as the program shows them at start.
    ASSERT_EQ(Run({"set", "f.dat", "page-length=99"}), kExitOk);
    SwitchBlock factory = FactoryDefaults;
    SetPageLength(factory, 99);
    EXPECT_EQ(output.files["f.dat"], FileOf(factory));

    const std::map<std::string, std::string> refusals = {
        {"colour=red", "colour: no such setting"},
        {"country=france",
         "country: not an allowed value: france\nallowed: Japan (japan), USA (usa), UK (uk), "
         "Germany (germany), Sweden (sweden)\n"},
        {"sw1-4=on", "sw1-4: no page shows this switch"},
        {"page-length=100", "allowed: 1..99"},
        {"page-length=0", "allowed: 1..99"},
        {"buzzer=", "allowed: Disabled (disabled), Enabled (enabled)"},
    };
    for (const auto& [argument, reason] : refusals) {
        EXPECT_EQ(Run({"set", "x.dat", "country=usa", argument}), kExitError) << argument;
        EXPECT_NE(console.err.find(reason), std::string::npos) << console.err;
        EXPECT_EQ(output.files.count("x.dat"), 0u) << argument;
    }
    EXPECT_EQ(Run({"set", "x.dat", "country=usa", "buzzer"}), kExitError);  // files come first
    EXPECT_EQ(output.files.count("x.dat"), 0u);

    output.fail = "disk full";
    EXPECT_EQ(Run({"set", "y.dat"}), kExitError);
    EXPECT_EQ(console.err, "vxctl: y.dat: could not be written (disk full)\n");
    output.fail = OutputFiles::kReadOnly;
    EXPECT_EQ(Run({"set", "y.dat"}), kExitError);
    EXPECT_EQ(console.err, "vxctl: y.dat: the file is read-only; nothing was written\n");
}

TEST_F(VxctlTest, SetEditsOnlyTheNamedSettingsAndTakesNoTypoForAFile) {
    files.files["uk.dat"] = FileOf(Uk());
    ASSERT_EQ(Run({"set", "uk.dat", "page-length=72"}), kExitOk) << console.err;
    SwitchBlock want = Uk();
    SetPageLength(want, 72);
    EXPECT_EQ(files.files["uk.dat"], FileOf(want));  // the country stays
    ASSERT_EQ(Run({"set", "--from-factory", "uk.dat", "buzzer=enabled"}), kExitOk);
    SwitchBlock factory = FactoryDefaults;
    SetSwitch(factory, 4, 1, true);
    EXPECT_EQ(files.files["uk.dat"], FileOf(factory));

    // Mistyped settings are refused and write nothing; so is a key given twice.
    const std::map<std::vector<std::string>, std::string> typos = {
        {{"new.dat", "buzzer"}, "vxctl set: buzzer: expected KEY=VALUE\n"},
        {{"new.dat", "countyr"},
         "vxctl set: countyr: neither KEY=VALUE nor an existing file or a name ending in .dat\n"},
        {{"new.dat", "=usa"}, "vxctl set: : no such setting\n"},
        {{"new.dat", "ｃｏｕｎｔｒｙ=usa"}, "vxctl set: ｃｏｕｎｔｒｙ: no such setting\n"},
        {{"new.dat", "country＝usa"}, "vxctl set: country＝usa: expected KEY=VALUE\n"},
        {{"new.dat", "country=usa", "country=uk"}, "vxctl set: country is given twice\n"},
    };
    for (const auto& [arguments, error] : typos) {
        std::vector<std::string> args = {"set"};
        args.insert(args.end(), arguments.begin(), arguments.end());
        EXPECT_EQ(Run(args), kExitError) << arguments.back();
        EXPECT_EQ(console.err.substr(0, error.size()), error);
    }
    EXPECT_TRUE(output.files.count("new.dat") == 0 && output.files.count("buzzer") == 0 &&
                output.files.count("=usa") == 0);

    // An OUT that cannot be read is not started afresh.
    output.unreadable["locked.dat"] = "Permission denied";
    EXPECT_EQ(Run({"set", "locked.dat", "buzzer=enabled"}), kExitError);
    EXPECT_EQ(console.err, "vxctl: locked.dat: cannot be read (Permission denied)\n");
    EXPECT_EQ(output.files.count("locked.dat"), 0u);
}

TEST_F(VxctlTest, ShowDiffAndJobReadFilesAsTheProgramDoes) {
    Bytes crlf = FileOf(FactoryDefaults);
    crlf[15] = '\r';
    files.files["bad.dat"] = crlf;
    Bytes shortFile = FileOf(FactoryDefaults);
    shortFile.pop_back();
    files.files["short.dat"] = shortFile;
    for (const char* name : {"bad.dat", "short.dat"}) {
        EXPECT_EQ(Run({"show", name}), kExitError);
        EXPECT_EQ(console.err,
                  "vxctl: " + std::string(name) + ": This file is not a valid settings file.\n");
    }
    output.unreadable["folder"] = "Is a directory";
    EXPECT_EQ(Run({"show", "missing.dat"}), kExitError);
    EXPECT_EQ(console.err, "vxctl: missing.dat: cannot be read (No such file or directory)\n");
    EXPECT_EQ(Run({"diff", "folder", "bad.dat"}), kExitError);
    EXPECT_EQ(console.err, "vxctl: folder: cannot be read (Is a directory)\n");

    // A page length shows as it is sent, saying when the file's bytes are corrected.
    SwitchBlock zero = FactoryDefaults;
    zero.bytes[kPageLengthTens] = zero.bytes[kPageLengthUnits] = '0';
    files.files["zero.dat"] = FileOf(zero);
    ASSERT_EQ(Run({"show", "zero.dat"}), kExitOk);
    EXPECT_NE(console.out.find(" 1     "), std::string::npos) << console.out;
    EXPECT_NE(console.out.find("  bytes 24-25 = 0x30 0x30  (the file's bytes corrected, sent as "
                               "0x30 0x31)\n"),
              std::string::npos)
        << console.out;
    zero.bytes[kPageLengthUnits] = 'x';
    files.files["zero.dat"] = FileOf(zero);
    ASSERT_EQ(Run({"show", "zero.dat", "--json", "--lang", "ja"}), kExitOk);
    EXPECT_NE(console.out.find("\"value\":\"66\",\"alias\":\"66\",\"code\":66,\"raw\":\"0x30 "
                               "0x78\",\"sent\":\"0x36 0x36\"}"),
              std::string::npos)
        << console.out;
    EXPECT_EQ(Run({"--lang", "ja", "diff", "bad.dat", "bad.dat"}), kExitError);
    EXPECT_EQ(console.err, "vxctl: bad.dat: このファイルは有効な設定ファイルではありません。\n");

    SwitchBlock sweden = FactoryDefaults;
    SetSwitchCode(sweden, 1, 1, 3, 5);
    files.files["sweden.dat"] = FileOf(sweden);
    ASSERT_EQ(Run({"show", "sweden.dat", "--json", "--lang", "ja"}), kExitOk);
    EXPECT_NE(console.out.find(
                  "{\"key\":\"country\",\"page\":\"ＭＳＷ１\",\"label\":\"各国文字の切り替え "
                  "（MSW1-1/2/3）\",\"value\":\"スウェーデン\",\"alias\":\"sweden\","
                  "\"code\":5,\"raw\":\"0x05\"}"),
              std::string::npos)
        << console.out;
    // In English: the same keys, English labels and values, the aliases as they are.
    ASSERT_EQ(Run({"show", "sweden.dat", "--json"}), kExitOk);
    EXPECT_NE(console.out.find("{\"key\":\"country\",\"page\":\"MSW1\",\"label\":"
                               "\"International characters (MSW1-1/2/3)\",\"value\":\"Sweden\","
                               "\"alias\":\"sweden\",\"code\":5,\"raw\":\"0x05\"}"),
              std::string::npos)
        << console.out;

    EXPECT_EQ(Run({"diff", "sweden.dat", "sweden.dat"}), kExitOk);
    EXPECT_EQ(console.out, "");
    files.files["odd.dat"] = FileOf(Odd());
    EXPECT_EQ(Run({"diff", "sweden.dat", "odd.dat", "--lang", "ja"}), kExitDiffer);
    // Country 5 against 6 (shown as 日本), SW1-4, SW2-2, SW2-5 and the framing byte 3.
    std::vector<std::string> keys;
    for (std::size_t at = 0; at < console.out.size(); at = console.out.find('\n', at) + 1)
        keys.push_back(console.out.substr(at, console.out.find(' ', at) - at));
    EXPECT_EQ(keys,
              (std::vector<std::string>{"country", "host-density", "sw1-4", "sw2-2", "byte-3"}));
    EXPECT_NE(console.out.find("スウェーデン (sweden)  ->  日本 (japan)"), std::string::npos);

    // The job holds what the program sends once it has loaded the file.
    ASSERT_EQ(Run({"job", "odd.dat", "-o", "odd.bin"}), kExitOk);
    EXPECT_EQ(output.files["odd.bin"], BlockBytes(Collected(Odd())));
    EXPECT_EQ(Run({"job", "odd.dat"}), kExitError);
}

TEST_F(VxctlTest, SendOnWindowsGivesEveryPrinterItsTurnWithTheProgramsRefusals) {
    test::FakeSpooler spooler;
    spooler.AddPrinter("QX b", "ZAM QX-K480/330(168)", "LPT1:");
    spooler.AddPrinter("QX a", "ZAM QX-K480/330(160)", "FILE:");
    spooler.AddPrinter("Other", "Another driver", "LPT2:");
    SpoolerPrintService printers(spooler, PlatformFamily::Nt, std::less<std::string>());
    files.files["odd.dat"] = FileOf(Odd());

    ASSERT_EQ(Run({"printers"}, &printers), kExitOk);
    EXPECT_EQ(console.out, "QX a\tFILE:\nQX b\tLPT1:\n");

    ExpectSomeMissed(
        {"send", "odd.dat", "--printer", "Other", "--printer", "QX a", "--printer=QX b"}, &printers,
        "Other: no printer of the QX-K480/330 by this name.\n"
        "QX a: the destination is FILE:, so the settings cannot be sent.\n"
        "QX b: settings sent to the printer.\n");
    ASSERT_EQ(spooler.jobs.size(), 1u);
    EXPECT_EQ(spooler.jobs[0].printer, "QX b");
    EXPECT_EQ(spooler.jobs[0].document, "Veltrix Status Write");
    EXPECT_EQ(spooler.jobs[0].bytes, BlockBytes(Collected(Odd())));

    output.devices["/dev/usb/lp0"] = {};
    ExpectSomeMissed(
        {"print-settings", "--device", "/dev/lp9", "--printer", "QX b", "--device", "/dev/usb/lp0"},
        &printers,
        "/dev/lp9: not sent: No such file or directory\n"
        "QX b: the printer was told to print its current settings.\n"
        "/dev/usb/lp0: the printer was told to print its current settings.\n");
    ASSERT_EQ(spooler.jobs.size(), 2u);
    EXPECT_EQ(spooler.jobs[1].document, "Veltrix Print Setting");
    EXPECT_EQ(spooler.jobs[1].bytes, (Bytes{0x1C, 0x6F, 0x32, 0x2E}));
    EXPECT_EQ(output.devices["/dev/usb/lp0"], (Bytes{0x1C, 0x6F, 0x32, 0x2E}));

    EXPECT_EQ(Run({"send", "odd.dat"}, &printers), kExitError);  // no printer named
}

TEST_F(VxctlTest, SendThroughCupsWaitsForEachJobAndReportsHowItEnded) {
    FakeCups cups;
    cups.destinations = {{"Office", "ZAM QX-K480/330 raw", "socket://10.0.0.5:9100"},
                         {"Laser", "Generic PCL Printer", "ipp://10.0.0.9/ipp/print"}};
    cups.states["Q1"] = {kJobPending, kJobProcessing, kJobCompleted};
    cups.states["Q2"] = {kJobProcessing, kJobAborted};
    cups.messages["Q2"] = "Unable to connect";
    cups.states["Stuck"] = {kJobProcessing};
    FakeClock clock;
    CupsPrintService printers(cups, clock, 0);
    files.files["a.dat"] = FileOf(FactoryDefaults);

    ExpectSomeMissed({"send", "a.dat", "--printer", "Q1", "--printer", "Gone", "--printer", "Q2",
                      "--printer", "Stuck", "--timeout", "5", "--jobs", "1"},
                     &printers,
                     "Q1: settings sent to the printer. (job 1: completed, handed to the "
                     "printer's port)\n"
                     "Gone: not sent: The printer or class does not exist.\n"
                     "Q2: job 2 did not complete: aborted (Unable to connect)\n"
                     "Stuck: job 3 had not ended after 5 s and was cancelled: processing\n");
    ASSERT_EQ(cups.jobs.size(), 3u);
    EXPECT_EQ(cups.jobs[0].title, "Veltrix Status Write");
    EXPECT_EQ(cups.jobs[0].data, BlockBytes(FactoryDefaults));
    EXPECT_GE(clock.now, 5000);
    EXPECT_EQ(cups.cancelled, (std::set<int>{3}));

    // Left queued when asked, with the scheduler's reason; one record per printer in JSON.
    // One at a time, so that the fake clock's seconds are each job's own.
    cups.messages["Stuck"] = "printer-stopped";
    this->clock = &clock;
    ExpectSomeMissed({"send", "a.dat", "--printer", "Q1", "--printer", "Stuck", "--timeout", "2",
                      "--keep-queued", "--json", "--jobs", "1"},
                     &printers,
                     "{\"printer\":\"Q1\",\"transport\":\"cups\",\"job\":4,\"result\":\"done\","
                     "\"state\":\"completed\",\"reason\":\"\",\"cancelled\":false,\"seconds\":0."
                     "20,\"message\":\"Q1: settings sent to the printer. (job 4: completed, "
                     "handed to the printer's port)\"}\n"
                     "{\"printer\":\"Stuck\",\"transport\":\"cups\",\"job\":5,\"result\":"
                     "\"timed-out\",\"state\":\"processing\",\"reason\":\"printer-stopped\","
                     "\"cancelled\":false,\"seconds\":1.80,\"message\":\"Stuck: job 5 had not "
                     "ended after 2 s and is still queued; it may print later: processing "
                     "(printer-stopped)\"}\n");
    EXPECT_EQ(cups.cancelled, (std::set<int>{3}));

    // No scheduler: said so, not errno's words; one that goes away after taking a job.
    cups.down = true;
    ExpectSomeMissed({"send", "a.dat", "--printer", "Q1"}, &printers,
                     "Q1: not sent: no print scheduler is running at /run/cups/cups.sock\n");
    cups.down = false;
    cups.dieAfterSubmit = true;
    ExpectSomeMissed({"print-settings", "--printer", "Q1"}, &printers,
                     "Q1: job 6 was accepted, but what became of it cannot be told: no print "
                     "scheduler is running at /run/cups/cups.sock\n");
    EXPECT_EQ(Run({"send", "a.dat", "--printer", "Q1", "--timeout", "0"}, &printers), kExitError);
    EXPECT_EQ(console.err, "vxctl send: --timeout takes a positive whole number: 0\n");
    EXPECT_EQ(Run({"send", "a.dat", "--printer", "Q1", "--timeout", "1234567890"}, &printers),
              kExitError);
    EXPECT_EQ(console.err, "vxctl send: --timeout is too large (at most 999999999): 1234567890\n");
    EXPECT_EQ(Run({"send", "a.dat", "--printer", "Q1", "--printer", "Q1"}, &printers), kExitError);
    EXPECT_EQ(console.err, "vxctl send: --printer Q1 is named twice\n");

    ASSERT_EQ(Run({"printers", "--model"}, &printers), kExitOk);
    EXPECT_EQ(console.out, "Office\tZAM QX-K480/330 raw\tsocket://10.0.0.5:9100\n");

    // Raw queues are of the model when their printer's device ID says so.
    cups.destinations.push_back({"Floor1", "Local Raw Printer", "socket://10.0.0.7:9100"});
    cups.destinations.push_back({"Floor2", "Local Raw Printer", "socket://10.0.0.8"});
    FakeLinks links;
    links.net.deviceIdOf["10.0.0.8"] = "MFG:ACME;MDL:Other;";
    ASSERT_EQ(Run({"printers", "--model", "--snmp-port", "1161"}, &printers, nullptr, &links),
              kExitOk);
    EXPECT_EQ(console.out,
              "Office\tZAM QX-K480/330 raw\tsocket://10.0.0.5:9100\n"
              "Floor1\tLocal Raw Printer\tsocket://10.0.0.7:9100\n");
    EXPECT_NE(std::find(links.net.calls.begin(), links.net.calls.end(),
                        "Exchange 10.0.0.7:1161 within 700"),
              links.net.calls.end());
    ASSERT_EQ(Run({"printers", "--model", "--match", "F*1", "--json"}, &printers, nullptr, &links),
              kExitOk);
    EXPECT_EQ(console.out,
              "{\"printer\":\"Floor1\",\"model\":\"Local Raw Printer\",\"destination\":"
              "\"socket://10.0.0.7:9100\",\"model-by\":\"device-id\"}\n");
}

TEST_F(VxctlTest, DeployGivesEachPrinterWhatTheFirstLineNamingItSays) {
    FakeCups cups;
    cups.destinations = {{"QX-1", "Local Raw Printer", "socket://10.0.0.1"},
                         {"QX-2", "Local Raw Printer", "socket://10.0.0.2"}};
    cups.states["QX-1"] = cups.states["QX-2"] = {kJobCompleted};
    FakeClock clock;
    CupsPrintService printers(cups, clock, 0);
    FakeLinks links;
    files.files["uk.dat"] = FileOf(Uk());

    auto text = [](const std::string& t) { return Bytes(t.begin(), t.end()); };
    files.files["bad.plan"] = text("QX-* uk.dat\nQX-1 buzzer=loud\nQX-2\n");
    EXPECT_EQ(Run({"deploy", "bad.plan"}, &printers, nullptr, &links), kExitError);
    EXPECT_EQ(console.err,
              "vxctl deploy: bad.plan:2: not an allowed change: buzzer=loud (see vxctl settings)\n"
              "vxctl deploy: bad.plan:3: expected TARGET [FILE.dat] [KEY=VALUE…]\n");
    EXPECT_TRUE(cups.jobs.empty());

    files.files["fleet.plan"] =
        text("# office\nQX-2 uk.dat page-length=12  # first\nQX-* uk.dat\nLaser-* uk.dat\n");
    ASSERT_EQ(Run({"deploy", "fleet.plan", "--dry-run", "--jobs", "1"}, &printers, nullptr, &links),
              kExitDiffer);
    EXPECT_EQ(console.err, "vxctl deploy: fleet.plan:4: no printer matches Laser-*\n");
    EXPECT_EQ(console.out.substr(0, console.out.find('\n')),
              "QX-2 (printer): uk.dat (plan line 2)");
    EXPECT_NE(console.out.find("\nQX-1 (printer): uk.dat (plan line 3)\n"), std::string::npos);
    EXPECT_TRUE(cups.jobs.empty());

    ASSERT_EQ(Run({"deploy", "fleet.plan", "--jobs", "1"}, &printers, nullptr, &links),
              kExitDiffer);
    ASSERT_EQ(cups.jobs.size(), 2u);
    SwitchBlock uk12 = Uk();
    SetPageLength(uk12, 12);
    EXPECT_EQ(cups.jobs[0].queue + " " + cups.jobs[1].queue, "QX-2 QX-1");
    EXPECT_EQ(cups.jobs[0].data, BlockBytes(uk12));
    EXPECT_EQ(cups.jobs[1].data, BlockBytes(Uk()));
    // Raw queues by their location or name and a range's printers, each only when its
    // printer answers as the model; the dry run as one JSON record per printer, against
    // what the printer holds.
    cups.destinations[0].location = "Floor 1";
    cups.destinations.push_back({"Other", "Local Raw Printer", "socket://10.0.0.3", "Floor 1"});
    links.net.deviceIdOf["10.0.0.3"] = links.net.deviceIdOf["10.0.0.10"] = "MFG:ACME;MDL:X;";
    links.net.replies = {{20, ReplyOf(FactoryDefaults)}};
    files.files["lan.plan"] =
        text("location:Floor?1 uk.dat\nraw:Oth* uk.dat\ndiscover:10.0.0.8/30 buzzer=enabled\n");
    ASSERT_EQ(Run({"deploy", "lan.plan", "--dry-run", "--json", "--jobs", "1"}, &printers, nullptr,
                  &links),
              kExitDiffer);
    EXPECT_EQ(console.err,
              "vxctl deploy: lan.plan:1: Other left out: its printer does not answer as the "
              "QX-K480/330\n"
              "vxctl deploy: lan.plan:2: Other left out: its printer does not answer as the "
              "QX-K480/330\n"
              "vxctl deploy: lan.plan:2: no printer matches Oth*\n");
    const std::string& out = console.out;
    const std::string qx1 =
        "{\"printer\":\"QX-1\",\"transport\":\"printer\",\"plan-line\":1,"
        "\"file\":\"uk.dat\",\"result\":\"would-send\",\"gets\":\"" +
        BlockHex(Uk()) + "\",\"read\":true,\"holds\":\"" + BlockHex(FactoryDefaults) +
        "\",\"equal\":false,\"differences\":[\n{\"key\":\"country\"";
    EXPECT_EQ(out.find(qx1), 0u) << out;
    EXPECT_NE(out.find("]}\n{\"printer\":\"10.0.0.9\",\"transport\":\"host\",\"plan-line\":3,"
                       "\"file\":\"\",\"result\":\"would-send\""),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("\"differences\":[\n{\"key\":\"buzzer\""), std::string::npos) << out;
    EXPECT_EQ(out.find("10.0.0.10"), std::string::npos);
    EXPECT_EQ(cups.jobs.size(), 2u);  // nothing sent
}

TEST_F(VxctlTest, SimulateActsAsThePrinterAndKeepsItsSettings) {
    SwitchBlock uk = FactoryDefaults;
    SetSwitchCode(uk, 1, 1, 3, 3);
    FakeJobs jobs;
    Bytes garbage = {'x', 'y', 0x1C, 0x6F, 0x33, 0x2E, 0x00};
    jobs.jobs = {{"127.0.0.1:5001", BlockBytes(uk)},
                 {"127.0.0.1:5002", {0x1C, 0x6F, 0x32, 0x2E}},
                 {"127.0.0.1:5003", garbage}};
    ASSERT_EQ(
        Run({"simulate", "--listen", "0", "--state", "state.dat", "--jobs", "3"}, nullptr, &jobs),
        kExitOk)
        << console.err;
    EXPECT_EQ(jobs.listenedOn, "127.0.0.1:0");  // loopback unless told otherwise
    const std::string& out = console.out;
    EXPECT_EQ(out.find("listening on 127.0.0.1:0"), 0u);
    EXPECT_NE(out.find("job 1: 29 bytes from 127.0.0.1:5001\n  settings written: 1 changed\n"
                       "    country"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("Japan (japan)  ->  UK (uk)"), std::string::npos);
    EXPECT_NE(out.find("job 2: 4 bytes from 127.0.0.1:5002\n  print settings requested\n"),
              std::string::npos);
    EXPECT_NE(out.find("  2 bytes that are no command ignored\n  settings report requested"),
              std::string::npos);
    EXPECT_EQ(output.files["state.dat"], FileOf(uk));

    // Started again on its state file, the printer still holds those settings.
    files.files["state.dat"] = output.files["state.dat"];
    jobs.jobs = {{"127.0.0.1:5004", BlockBytes(uk)}};
    ASSERT_EQ(Run({"simulate", "--state", "state.dat", "--jobs", "1"}, nullptr, &jobs), kExitOk);
    EXPECT_EQ(jobs.listenedOn, "127.0.0.1:9100");
    EXPECT_NE(console.out.find("settings written: 0 changed"), std::string::npos);

    EXPECT_EQ(Run({"simulate", "--listen", "localhost:70000"}, nullptr, &jobs), kExitError);
    EXPECT_EQ(Run({"--lang", "fr", "settings"}), kExitError);
}

TEST_F(VxctlTest, ReceiveReadsEveryPrinterAndNamesEachFailure) {
    FakeCups cups;
    cups.destinations = {{"Office", "ZAM QX-K480/330 raw", "socket://10.0.0.5"},
                         {"Laser", "Generic PCL Printer", "ipp://10.0.0.9/ipp/print"}};
    FakeClock clock;
    CupsPrintService printers(cups, clock, 0);
    FakeLinks links;
    links.net.replies = {{20, ReplyOf(Uk())}};
    links.net.unreachable = {"10.0.0.8"};
    links.net.deviceIdOf["10.0.0.6"] = SimulatedDeviceId(true);

    ASSERT_EQ(
        Run({"receive", "--printer", "Office", "--printer", "Laser", "--printer", "Gone", "--host",
             "10.0.0.8:9200", "--host", "10.0.0.6", "--device", "/dev/usb/lp3", "--jobs", "1"},
            &printers, nullptr, &links),
        kExitDiffer);
    const std::string& out = console.out;
    EXPECT_EQ(out.find("Office: the settings were read from the printer.\n[Function select]\n"), 0u)
        << out;
    EXPECT_NE(out.find("UK (uk)"), std::string::npos);
    EXPECT_EQ(out.substr(out.find("Laser:")),
              "Laser: the settings cannot be read over this connection: ipp://10.0.0.9/ipp/print\n"
              "Gone: no printer of the QX-K480/330 by this name.\n"
              "10.0.0.8:9200: the printer cannot be reached.\n"
              "10.0.0.6: the printer is printing at present or an error has occurred, so the "
              "settings cannot be obtained.\n"
              "/dev/usb/lp3: the printer cannot be reached (No such file or directory).\n");
    EXPECT_EQ(links.net.calls[0], "Connect 10.0.0.5:9100 within 5000");
    EXPECT_EQ(links.net.calls[1], "Exchange 10.0.0.5:161 within 1000");
    EXPECT_EQ(links.net.sent, (Bytes{0x1C, 0x6F, 0x33, 0x2E, 0x00}));

    // One printer into a settings file; SNMP where it was told.
    links.net.calls.clear();
    ASSERT_EQ(Run({"receive", "--host", "[::1]:9101", "--snmp-port", "16161", "-o", "got.dat"},
                  &printers, nullptr, &links),
              kExitOk);
    EXPECT_EQ(console.out, "[::1]:9101: the settings were written to got.dat.\n");
    EXPECT_EQ(output.files["got.dat"], FileOf(Uk()));
    EXPECT_EQ(links.net.calls[1], "Exchange ::1:16161 within 1000");

    // A reply that is not 12 bytes changes nothing.
    links.net.replies = {{20, Bytes(11, 0)}};
    ASSERT_EQ(Run({"receive", "--host", "10.0.0.5", "--json"}, &printers, nullptr, &links),
              kExitDiffer);
    EXPECT_EQ(console.out,
              "{\"printer\":\"10.0.0.5\",\"transport\":\"host\",\"seconds\":0.00,\"result\":"
              "\"failed\",\"error\":\"10.0.0.5: no 12-byte reply from the printer (11 bytes); no "
              "settings read.\"}\n");

    // Where printers cannot be read, each says so.
    ASSERT_EQ(Run({"receive", "--host", "10.0.0.5"}, &printers), kExitDiffer);
    EXPECT_EQ(console.out, "10.0.0.5: printers cannot be read here yet.\n");
    EXPECT_EQ(Run({"receive"}, &printers, nullptr, &links), kExitError);
    EXPECT_EQ(
        Run({"receive", "--host", "a", "--host", "b", "-o", "x.dat"}, &printers, nullptr, &links),
        kExitError);
    EXPECT_EQ(Run({"receive", "--host", "[::1"}, &printers, nullptr, &links), kExitError);
    EXPECT_EQ(console.err, "vxctl receive: --host takes HOST[:PORT]: [::1\n");

    // --timeout bounds a read in progress: a printer that goes silent after taking the
    // request is cut off at the deadline, not after the link's own ten seconds.
    struct NetClock : Clock {
        explicit NetClock(test::FakeNetSockets& net) : net(net) {}
        test::FakeNetSockets& net;
        long long NowMs() override { return static_cast<long long>(net.now); }
        void SleepMs(int ms) override { net.now += static_cast<std::uint64_t>(ms); }
    } netClock(links.net);
    this->clock = &netClock;
    links.net.replies = {{60000, ReplyOf(Uk())}};
    ASSERT_EQ(Run({"receive", "--host", "10.0.0.5", "--timeout", "3", "--json"}, &printers, nullptr,
                  &links),
              kExitDiffer);
    EXPECT_EQ(console.out,
              "{\"printer\":\"10.0.0.5\",\"transport\":\"host\",\"seconds\":3.00,\"result\":"
              "\"timed-out\",\"error\":\"10.0.0.5: not read: no answer within 3 s, cut off.\"}\n");
}

TEST(SimulatedPrinterTest, AnswersEachReportRequestOnceFromTheSettingsItHoldsThen) {
    SimulatedPrinter printer(FactoryDefaults);
    Bytes job = BlockBytes(Uk());
    EXPECT_TRUE(printer.Answer(job).empty());
    job.insert(job.end(), {0x1C, 0x6F, 0x33, 0x2E, 0x00});
    EXPECT_EQ(printer.Answer(job), ReplyOf(Uk()));  // after the settings the job wrote
    EXPECT_TRUE(printer.Answer(job).empty());       // once
    const std::vector<PrinterEvent> events = printer.Receive(job);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[1].kind, PrinterEvent::ReportRequested);
    EXPECT_EQ(events[1].count, 12u);
    EXPECT_EQ(printer.Settings(), Uk());
    EXPECT_EQ(printer.Answer({0x1C, 0x6F, 0x33, 0x2E}), ReplyOf(Uk()));  // the next job's
}

TEST(PrinterPlacesTest, QueuesAreFoundByTheirDeviceUri) {
    PrinterPlace place;
    UsbPrinterName usb;
    ASSERT_EQ(ParseDeviceUri("socket://[fe80::1]:9101?waiteof=false", place, usb),
              DeviceUriKind::Socket);
    EXPECT_EQ(place.host + " " + std::to_string(place.port), "fe80::1 9101");
    ASSERT_EQ(ParseDeviceUri("socket://printer.local", place, usb), DeviceUriKind::Socket);
    EXPECT_EQ(place.host + " " + std::to_string(place.port), "printer.local 9100");
    EXPECT_EQ(ParseDeviceUri("lpd://10.0.0.5/queue", place, usb), DeviceUriKind::Other);

    ASSERT_EQ(ParseDeviceUri("usb://ZAM/QX-K480%2F330?serial=SIM0001&interface=1", place, usb),
              DeviceUriKind::Usb);
    EXPECT_EQ(usb.make + "|" + usb.model + "|" + usb.serial, "ZAM|QX-K480/330|SIM0001");
    EXPECT_TRUE(DeviceIdNames(SimulatedDeviceId(false), usb));
    EXPECT_FALSE(DeviceIdNames("MFG:ZAM;MDL:QX-K480/330;SN:SIM0002;", usb));
    ASSERT_EQ(ParseDeviceUri("usb://zam/qx-k480/330", place, usb), DeviceUriKind::Usb);
    EXPECT_TRUE(DeviceIdNames("MANUFACTURER:ZAM;MODEL:QX-K480/330;SERIALNUMBER:1;", usb));
    EXPECT_FALSE(DeviceIdNames("MFG:ZAM;MDL:QX-K480;", usb));
}

}  // namespace
}  // namespace vx::cli
