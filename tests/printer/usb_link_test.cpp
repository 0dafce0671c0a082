#include "printer/usb_link.h"

#include <gtest/gtest.h>

#include "printer/device_id.h"
#include "printer/receive.h"
#include "tests/fakes/fake_usb_print.h"

namespace vx {
namespace {

using test::FakeUsbPrintDevices;

const std::vector<std::uint8_t> kRequest = {0x1C, 0x6F, 0x33, 0x2E, 0x00};

struct UsbLinkTest : ::testing::Test {
    FakeUsbPrintDevices devices;
    void SetUp() override {
        devices.interfaces = {
            {"\\\\?\\usb#a", "USB", 2}, {"\\\\?\\usb#b", "DOT4", 1}, {"\\\\?\\usb#c", "USB", 1}};
        devices.device.SetDeviceIdText("MFG:ZAM;MDL:QX-K480;EXTSTS:00000000;");
    }
    std::unique_ptr<PrinterLink> Open() { return OpenUsbLink(devices, Clock(), {"USB", 1}); }
    NetSockets& Clock() { return devices.device.clock; }
};

TEST_F(UsbLinkTest, ThePortsDeviceIsFoundByBaseNameAndNumberAndOpenedOnlyForTheExchange) {
    {
        std::unique_ptr<PrinterLink> link = Open();
        ASSERT_TRUE(link);
        EXPECT_EQ(devices.opened, std::vector<std::string>{"\\\\?\\usb#c"});
        EXPECT_TRUE(devices.device.open);
    }
    EXPECT_FALSE(devices.device.open);
    EXPECT_FALSE(OpenUsbLink(devices, Clock(), {"USB", 3}));
    EXPECT_FALSE(OpenUsbLink(devices, Clock(), {"DOT", 1}));
    devices.openFails = true;  // the spooler is printing to it
    EXPECT_FALSE(Open());
}

TEST_F(UsbLinkTest, TheDeviceIdLosesItsLengthAndDecidesReadiness) {
    std::unique_ptr<PrinterLink> link = Open();
    EXPECT_EQ(QueryPrinterReady(*link), 1);
    EXPECT_EQ(devices.device.deviceIdBufferSizes, std::vector<std::size_t>{4094});

    devices.device.SetDeviceIdText("MFG:ZAM;EXTSTS:00000001;");
    EXPECT_EQ(QueryPrinterReady(*link), 0);
    devices.device.deviceIdResult = -1;
    EXPECT_EQ(QueryPrinterReady(*link), 0);

    // A length shorter than the answer cuts it; a text longer than the caller's buffer is cut
    // to fit it.
    const std::uint8_t answer[] = {0, 5, 'A', 'B', 'C', 'D', 'E'};
    EXPECT_EQ(DeviceIdFromUsbAnswer(answer, sizeof answer), "ABC");
    EXPECT_EQ(DeviceIdFromUsbAnswer(answer, 1), "");
    devices.device.SetDeviceIdText("MFG:ZAM;MDL:QX-K480;EXTSTS:00000000;");
    devices.device.deviceIdResult = -2;
    std::uint8_t out[8];
    ASSERT_TRUE(link->GetDeviceId(out, sizeof out));
    EXPECT_STREQ(reinterpret_cast<char*>(out), "MFG:ZAM");
}

TEST_F(UsbLinkTest, TheReplyIsReadWithTheParallelPortsDeadlines) {
    // Twelve bytes in two pieces: the read goes on past the first piece, and ends when the
    // interval time-out has passed after the last byte.
    devices.device.replies = {{300, {0, 0, 66, 1, 0}}, {150, {0, 1, 0, 0, 0, 0, 0}}};
    std::unique_ptr<PrinterLink> link = Open();
    const std::uint64_t start = devices.device.clock.now;
    SettingsAnswer answer = RequestSettings(*link);
    EXPECT_EQ(answer.result, RequestResult::Read);
    EXPECT_EQ(answer.count, 12u);
    EXPECT_EQ(devices.device.written, kRequest);
    EXPECT_EQ(devices.device.readWaits, (std::vector<unsigned>{10000, 200, 200}));
    EXPECT_EQ(devices.device.clock.now - start, 300u + 150u + 200u);
    PortTimeouts after;
    link->GetTimeouts(after);
    EXPECT_EQ(after.readTotalTimeoutConstant, 0u);  // the link's own values are back

    // A silent printer: the read ends at the total time-out, with nothing.
    const std::uint64_t silentStart = devices.device.clock.now;
    answer = RequestSettings(*link);
    EXPECT_EQ(answer.result, RequestResult::Read);
    EXPECT_EQ(answer.count, 0u);
    EXPECT_EQ(devices.device.clock.now - silentStart, 10000u);

    // A reply that stops in the middle of the total time is cut there; a failing pipe fails.
    devices.device.replies = {{9900, {1, 2, 3}}, {500, {4}}};
    answer = RequestSettings(*link);
    EXPECT_EQ(answer.count, 3u);
    devices.device.readFails = true;
    EXPECT_EQ(RequestSettings(*link).result, RequestResult::ReadFailed);
}

}  // namespace
}  // namespace vx
