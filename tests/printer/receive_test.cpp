#include "printer/receive.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "printer/device_id.h"
#include "tests/fakes/fake_printer_link.h"

namespace vx {
namespace {

using test::FakePortOpener;

TEST(OpenPrinterPortTest, ThreeAttemptsWithAPauseAfterEachFailure) {
    FakePortOpener never, second;  // outlive the ports they open
    never.failingOpens = 99;
    std::unique_ptr<PrinterLink> port = OpenPrinterPort(never);
    ASSERT_TRUE(port);
    EXPECT_EQ(never.opens, 3);
    EXPECT_EQ(never.sleeps, (std::vector<unsigned>{1000, 1000, 1000}));
    EXPECT_EQ(QueryPrinterReady(*port), 0);  // the unopened port is never ready

    second.failingOpens = 1;
    port = OpenPrinterPort(second);
    EXPECT_EQ(second.opens, 2);
    EXPECT_EQ(second.sleeps, std::vector<unsigned>{1000});
    EXPECT_EQ(QueryPrinterReady(*port), 1);
}

SettingsAnswer RequestOn(FakePortOpener& opener) {
    std::unique_ptr<PrinterLink> port = opener.OpenLpt1();
    return RequestSettings(*port);
}

struct RequestTest : ::testing::Test {
    FakePortOpener opener;
    SettingsAnswer Request() { return RequestOn(opener); }
    const PortTimeouts& Own() const { return opener.port.own; }
    PortTimeouts Exchange() const { return WithExchangeTimeouts(opener.port.own); }
};

bool operator==(const PortTimeouts& a, const PortTimeouts& b) {
    return a.readIntervalTimeout == b.readIntervalTimeout &&
           a.readTotalTimeoutMultiplier == b.readTotalTimeoutMultiplier &&
           a.readTotalTimeoutConstant == b.readTotalTimeoutConstant &&
           a.writeTotalTimeoutMultiplier == b.writeTotalTimeoutMultiplier &&
           a.writeTotalTimeoutConstant == b.writeTotalTimeoutConstant;
}

TEST_F(RequestTest, ARepliedExchangeSetsTheTimeoutsTwiceAndPutsThemBack) {
    opener.port.reply = {1, 2, 66, 1, 0, 0, 1, 0, 0xA5, 0, 0, 0};
    const SettingsAnswer a = Request();
    EXPECT_EQ(a.result, RequestResult::Read);
    EXPECT_EQ(a.count, 12u);
    EXPECT_EQ(a.reply[8], 0xA5);
    EXPECT_EQ(opener.port.written,
              std::vector<std::uint8_t>(kSettingsRequest.begin(), kSettingsRequest.end()));
    EXPECT_EQ(opener.port.calls,
              (std::vector<std::string>{"Open", "GetTimeouts", "SetTimeouts", "Write",
                                        "SetTimeouts", "Read", "SetTimeouts", "Close"}));
    ASSERT_EQ(opener.port.timeoutsSet.size(), 3u);
    EXPECT_TRUE(opener.port.timeoutsSet[0] == Exchange());
    EXPECT_EQ(opener.port.timeoutsSet[0].readTotalTimeoutMultiplier, 3u);  // kept
    EXPECT_TRUE(opener.port.timeoutsSet[1] == Exchange());
    EXPECT_TRUE(opener.port.timeoutsSet[2] == Own());
}

TEST_F(RequestTest, FailuresStopTheExchangeAndRestoreWhatWasChanged) {
    opener.port.getTimeoutsFails = true;
    opener.port.lastError = 6;
    SettingsAnswer a = Request();
    EXPECT_EQ(a.result, RequestResult::TimeoutsNotRead);
    EXPECT_EQ(a.error, 6u);
    EXPECT_TRUE(opener.port.timeoutsSet.empty());

    FakePortOpener notSet;
    notSet.port.failSetTimeoutsCall = 1;
    notSet.port.lastError = 87;
    a = RequestOn(notSet);
    EXPECT_EQ(a.result, RequestResult::TimeoutsNotSet);
    EXPECT_EQ(a.error, 87u);
    ASSERT_EQ(notSet.port.timeoutsSet.size(), 2u);
    EXPECT_TRUE(notSet.port.timeoutsSet[1] == notSet.port.own);
    EXPECT_EQ(std::count(notSet.port.calls.begin(), notSet.port.calls.end(), "Write"), 0);

    for (long written : {-1L, 0L, 4L}) {
        FakePortOpener shortWrite;
        shortWrite.port.writeResult = written;
        EXPECT_EQ(RequestOn(shortWrite).result, RequestResult::RequestNotWritten);
        EXPECT_TRUE(shortWrite.port.timeoutsSet.back() == shortWrite.port.own);
        EXPECT_EQ(std::count(shortWrite.port.calls.begin(), shortWrite.port.calls.end(), "Read"),
                  0);
    }

    FakePortOpener readFails;
    readFails.port.readResult = -1;
    EXPECT_EQ(RequestOn(readFails).result, RequestResult::ReadFailed);
    EXPECT_TRUE(readFails.port.timeoutsSet.back() == readFails.port.own);
}

}  // namespace
}  // namespace vx
