// The receive exchange over a network printer's link: the device ID by SNMP, the request
// and the reply over the raw port, on the fake network's own clock.
#include "printer/net_link.h"

#include <gtest/gtest.h>

#include "printer/device_id.h"
#include "printer/receive.h"
#include "tests/fakes/fake_net_sockets.h"

namespace vx {
namespace {

using test::FakeNetSockets;

const std::vector<std::uint8_t> kReply = {0, 0, 66, 1, 0, 0, 1, 0, 0xA5, 0, 0, 0};

struct NetLinkTest : ::testing::Test {
    FakeNetSockets net;
    std::unique_ptr<PrinterLink> Open() { return OpenNetworkLink(net, "10.0.0.5", 9100, 16161); }
};

TEST_F(NetLinkTest, TheExchangeRunsOverSnmpAndTheRawPort) {
    net.replies = {{30, {kReply.begin(), kReply.begin() + 5}},
                   {50, {kReply.begin() + 5, kReply.end()}}};
    std::unique_ptr<PrinterLink> link = Open();
    ASSERT_TRUE(link);
    EXPECT_EQ(QueryPrinterReady(*link), 1);
    const SettingsAnswer answer = RequestSettings(*link);
    EXPECT_EQ(answer.result, RequestResult::Read);
    ASSERT_EQ(answer.count, 12u);
    EXPECT_TRUE(std::equal(kReply.begin(), kReply.end(), answer.reply.begin()));
    EXPECT_EQ(net.sent,
              std::vector<std::uint8_t>(kSettingsRequest.begin(), kSettingsRequest.end()));
    // The read ends 200 ms after the last byte: no more came.
    EXPECT_EQ(net.now, 30u + 50u + 200u);
    EXPECT_EQ(net.calls,
              (std::vector<std::string>{"Connect 10.0.0.5:9100 within 5000",
                                        "Exchange 10.0.0.5:16161 within 1000",
                                        "Send 5 within 30000", "Receive 29 within 10000",
                                        "Receive 24 within 200", "Receive 17 within 200"}));
    PortTimeouts after;
    link->GetTimeouts(after);
    EXPECT_EQ(after.readTotalTimeoutConstant, 0u);  // the link's own time-outs are back
    link.reset();
    EXPECT_EQ(net.calls.back(), "Close");
}

TEST_F(NetLinkTest, NoSnmpAnswerOrABusyPrinterIsNotReady) {
    net.deviceId = "MFG:ZAM;MDL:QX-K480/330;EXTSTS:00000100;";
    EXPECT_EQ(QueryPrinterReady(*Open()), 0);

    net.deviceId = "MFG:ZAM;MDL:QX-K480/330;EXTSTS:00000000;";
    net.silentSnmpTries = 99;
    net.snmpTries = 0;
    net.now = 0;
    EXPECT_EQ(QueryPrinterReady(*Open()), 0);
    EXPECT_EQ(net.snmpTries, 3);
    EXPECT_EQ(net.now, 3000u);

    // An answer to another request is no answer: the next try's is taken.
    net.silentSnmpTries = 0;
    net.snmpTries = 0;
    int answers = 0;
    net.snmpAnswer = [&](const std::string& request) {
        std::string response;
        snmp::AnswerDeviceIdGet(++answers == 1 ? snmp::DeviceIdRequest(-1) : request, net.deviceId,
                                response);
        return response;
    };
    EXPECT_EQ(QueryPrinterReady(*Open()), 1);
    EXPECT_EQ(net.snmpTries, 2);

    net.refuseConnect = true;
    EXPECT_EQ(Open(), nullptr);
}

TEST_F(NetLinkTest, TheReadEndsAtItsTimeOutsOrWhenThePrinterCloses) {
    std::unique_ptr<PrinterLink> link = Open();
    PortTimeouts exchange = WithExchangeTimeouts({});
    exchange.readTotalTimeoutMultiplier = 10;
    link->SetTimeouts(exchange);
    std::uint8_t buffer[29];

    EXPECT_EQ(link->Read(buffer, 29), 0);  // silent: the total, 10 s and 10 ms a byte
    EXPECT_EQ(net.now, 10290u);

    net.now = 0;
    net.replies = {{9000, std::vector<std::uint8_t>(40, 7)}};
    link->Write(kSettingsRequest.data(), kSettingsRequest.size());
    EXPECT_EQ(link->Read(buffer, 29), 29);  // no more than asked for
    EXPECT_EQ(net.now, 9000u);

    net.now = 0;
    net.replies = {{100, kReply}, {150, {1}}, {9000, {2}}};
    link->Write(kSettingsRequest.data(), kSettingsRequest.size());
    EXPECT_EQ(link->Read(buffer, 29), 13);  // a gap of 150 ms is within the interval
    EXPECT_EQ(net.now, 450u);

    net.now = 0;
    net.replies = {{100, kReply}};
    net.closesAfterReplies = true;
    link->Write(kSettingsRequest.data(), kSettingsRequest.size());
    EXPECT_EQ(link->Read(buffer, 29), 12);
    EXPECT_EQ(net.now, 100u);  // closing ends the read at once
}

TEST_F(NetLinkTest, TheDeviceIdIsFilledInAsThePortsDriverDoes) {
    std::unique_ptr<PrinterLink> link = Open();
    std::uint8_t out[8];
    std::memset(out, 'x', sizeof out);
    net.deviceId = "MFG:ZAM;MDL:Q;";
    ASSERT_TRUE(link->GetDeviceId(out, sizeof out));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out)), "MFG:ZAM");  // cut, zero-terminated

    net.deviceId = std::string("\0\x0A", 2) + "MFG:ZAM;";  // with the IEEE 1284 length in front
    ASSERT_TRUE(link->GetDeviceId(out, sizeof out));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out)), "MFG:ZAM");
}

}  // namespace
}  // namespace vx
