// vxctl receive on Windows: the printers of the spooler reached by their ports, as the
// settings program reaches them.
#include "cli/spooler_port_links.h"

#include <gtest/gtest.h>

#include "cli/print_service.h"
#include "cli/vxctl.h"
#include "printer/settings_reply.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_net_sockets.h"
#include "tests/fakes/fake_printer_link.h"
#include "tests/fakes/fake_spooler.h"

namespace vx::cli {
namespace {

struct Lines : Console {
    std::string out, err;
    void Out(const std::string& t) override { out += t; }
    void Err(const std::string& t) override { err += t; }
};
struct NoOutput : OutputFiles {
    bool WriteAtomically(const std::string&, const std::vector<std::uint8_t>&,
                         std::string&) override {
        return false;
    }
    bool WriteDevice(const std::string&, const std::vector<std::uint8_t>&, std::string&) override {
        return false;
    }
};

std::vector<std::uint8_t> ReplyOf(const SwitchBlock& block) {
    const auto reply = SettingsReply(block);
    return {reply.begin(), reply.end()};
}

TEST(SpoolerPortLinksTest, ReceiveReadsNetworkAndUsbPortsAndNamesTheOthers) {
    SwitchBlock uk = FactoryDefaults;
    SetSwitchCode(uk, 1, 1, 3, 3);
    test::FakeSpooler spooler;
    spooler.AddPrinter("Net", "ZAM QX-K480/330(168)", "IP_10.0.0.5");
    spooler.AddPrinter("Usb", "ZAM QX-K480/330(160)", "USB001");
    spooler.AddPrinter("Par", "ZAM QX-K480/330(168)", "LPT1:");
    SpoolerPrintService printers(spooler, PlatformFamily::Nt, std::less<std::string>());
    test::FakePortOpener opener;
    opener.tcpPorts["IP_10.0.0.5"] = {"", "10.0.0.5", 9101, kTcpProtocolRaw};
    opener.port.reply = ReplyOf(uk);
    test::FakeNetSockets net;
    net.replies = {{20, ReplyOf(FactoryDefaults)}};
    SpoolerPortLinks links(opener, net, PlatformFamily::Nt);

    test::FakeFileSystem files;
    Lines console;
    NoOutput output;
    Services s{console, files, output, Language::English, &printers, nullptr, &links};
    // One printer at a time: the fake spooler and opener record calls from one thread only.
    EXPECT_EQ(RunVxctl({"receive", "--jobs", "1", "--printer", "Net", "--printer", "Usb",
                        "--printer", "Par", "--device", "USB001", "--device", "COM1:", "--json"},
                       s),
              kExitDiffer);
    EXPECT_EQ(net.calls.front(), "Connect 10.0.0.5:9101 within 5000");
    EXPECT_EQ(opener.linksOpened, (std::vector<std::string>{"usb USB 1", "usb USB 1"}));
    const std::string& out = console.out;
    // One record per printer, on its own line.
    const auto record = [&out](const std::string& printer) {
        const auto at = out.find("{\"printer\":\"" + printer + "\"");
        return at == std::string::npos ? std::string() : out.substr(at, out.find('\n', at) - at);
    };
    for (const char* read : {"Net", "Usb", "USB001"}) {
        EXPECT_NE(record(read).find("\"result\":\"done\""), std::string::npos) << out;
    }
    EXPECT_NE(record("Par").find("\"result\":\"failed\",\"error\":\"Par: the settings cannot be "
                                 "read over this connection: LPT1:\"}"),
              std::string::npos)
        << out;
    EXPECT_NE(record("COM1:").find("\"result\":\"failed\",\"error\":\"COM1:: the printer cannot "
                                   "be reached (COM1:).\"}"),
              std::string::npos)
        << out;
    EXPECT_EQ(opener.opens, 0);  // LPT1: is no way to the printer on the NT family

    // On the 9x family "LPT1:" is read, through its three attempts.
    opener.failingOpens = 99;
    SpoolerPortLinks on9x(opener, net, PlatformFamily::Win9x);
    PrinterPlace place;
    std::string why;
    ASSERT_TRUE(on9x.Locate("LPT1:", place, why));
    EXPECT_EQ(place.kind, PrinterPlace::Device);
    std::string error;
    std::unique_ptr<PrinterLink> lpt = on9x.OpenDevice(place.device, error);
    ASSERT_TRUE(lpt);
    EXPECT_EQ(opener.opens, 3);
}

}  // namespace
}  // namespace vx::cli
