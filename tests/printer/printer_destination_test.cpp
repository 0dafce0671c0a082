#include "printer/printer_destination.h"

#include <gtest/gtest.h>

#include "printer/device_id.h"
#include "printer/receive.h"
#include "tests/fakes/fake_printer_link.h"

namespace vx {
namespace {

using test::FakePortOpener;

std::string Way(FakePortOpener& opener, PlatformFamily family, const std::string& destination) {
    const PrinterDestination d = FindPrinterDestination(opener, family, destination);
    switch (d.kind) {
        case LinkKind::Lpt1:
            return "lpt1";
        case LinkKind::Usb:
            return "usb " + d.usb.baseName + " " + std::to_string(d.usb.number);
        case LinkKind::RawTcp:
            return "tcp " + d.host + ":" + std::to_string(d.rawPort);
        case LinkKind::NotReadable:
            break;
    }
    return "none";
}

TEST(PrinterDestinationTest, EachDestinationIsReachedItsOwnWayOrNotAtAll) {
    FakePortOpener opener;
    opener.tcpPorts["IP_10.0.0.7"] = {"", "10.0.0.7", 9100, kTcpProtocolRaw};
    opener.tcpPorts["office"] = {"prn.example", "10.0.0.8", 0, kTcpProtocolRaw};
    opener.tcpPorts["lpr"] = {"", "10.0.0.9", 515, 2};
    opener.tcpPorts["nohost"] = {"", "", 9100, kTcpProtocolRaw};
    const PlatformFamily nt = PlatformFamily::Nt, w9x = PlatformFamily::Win9x;

    EXPECT_EQ(Way(opener, w9x, "LPT1:"), "lpt1");
    EXPECT_EQ(Way(opener, nt, "LPT1:"), "none");
    for (PlatformFamily f : {nt, w9x}) {
        EXPECT_EQ(Way(opener, f, "USB001"), "usb USB 1");
        EXPECT_EQ(Way(opener, f, "USB012"), "usb USB 12");
        EXPECT_EQ(Way(opener, f, "IP_10.0.0.7"), "tcp 10.0.0.7:9100");
        EXPECT_EQ(Way(opener, f, "office"), "tcp prn.example:9100");  // the name first
    }
    for (const char* no : {"LPT2:", "lpt1:", "usb001", "USB", "USB00a", "USB001:", "lpr", "nohost",
                           "unknown", "FILE:", ""})
        EXPECT_EQ(Way(opener, nt, no), "none") << no;
}

TEST(PrinterDestinationTest, OnlyLpt1IsTriedThreeTimesAndAFailedOpenIsNeverReady) {
    FakePortOpener opener;
    opener.linksOpen = false;
    PrinterDestination usb;
    usb.kind = LinkKind::Usb;
    usb.usb = {"USB", 3};
    std::unique_ptr<PrinterLink> link = OpenDestination(opener, usb);
    ASSERT_TRUE(link);
    EXPECT_EQ(QueryPrinterReady(*link), 0);
    EXPECT_EQ(opener.linksOpened, std::vector<std::string>{"usb USB 3"});
    EXPECT_TRUE(opener.sleeps.empty());
    EXPECT_EQ(opener.opens, 0);

    opener.linksOpen = true;
    PrinterDestination net;
    net.kind = LinkKind::RawTcp;
    net.host = "127.0.0.2";
    net.rawPort = 9100;
    link = OpenDestination(opener, net);
    EXPECT_EQ(QueryPrinterReady(*link), 1);
    EXPECT_EQ(opener.linksOpened.back(), "net 127.0.0.2:9100");

    link = OpenDestination(opener, PrinterDestination{});  // not readable: nothing is opened
    EXPECT_EQ(QueryPrinterReady(*link), 0);
    EXPECT_EQ(opener.linksOpened.size(), 2u);
    EXPECT_EQ(opener.opens, 0);
}

}  // namespace
}  // namespace vx
