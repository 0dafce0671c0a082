// vxctl's commands with printers: send, deploy, simulate and receive.
#include "tests/cli/vxctl_fixture.h"

namespace vx::cli {
namespace {

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
