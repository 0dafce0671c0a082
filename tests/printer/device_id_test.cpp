#include "printer/device_id.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/fakes/fake_printer_link.h"

namespace vx {
namespace {

using test::FakePrinterLink;

int Query(const std::string& text) {
    FakePrinterLink port;
    port.SetDeviceIdText(text);
    return QueryPrinterReady(port);
}

std::string StatusAfter(const std::string& text) {
    StatusBuffer s = InitialStatusBuffer();
    ReadExtendedStatus(text.c_str(), s);
    return std::string(s.data(), 8);
}

TEST(DeviceIdStatus, JudgesTheExtendedStatusField) {
    EXPECT_EQ(Query("MFG:X;MDL:Y;CMD:Z;STATUS:1;EXTSTS:00000000;"), 1);
    EXPECT_EQ(Query("MFG:X;MDL:Y;CMD:Z;STATUS:1;EXTSTS:00000001;"), 0);
    EXPECT_EQ(Query("EXTSTS:000000000000;"), 1);      // only the first eight characters count
    EXPECT_EQ(Query("EXTSTS:A0000000;"), 1);          // no digits read as 0
    EXPECT_EQ(Query("STATUS:9;EXTSTS:00000000"), 1);  // last field without its ";"
    EXPECT_EQ(Query("EXTSTS:  -00000;"), 1);          // blanks and a sign before the digits
    EXPECT_EQ(Query("EXTSTS:  -0;"), 0);              // "  -01111" reads as -1111
    EXPECT_EQ(Query("EXTSTS:0;"), 0);                 // leaves "01111111" behind
    EXPECT_EQ(StatusAfter("EXTSTS:0;"), "01111111");
}

TEST(DeviceIdStatus, WithoutARecognisedKeyThePrinterIsNotReady) {
    EXPECT_EQ(Query("MFG:X;MDL:Y;CMD:Z;STATUS:0;"), 0);
    EXPECT_EQ(Query(""), 0);
    EXPECT_EQ(Query("extsts:00000000;"), 0);         // case-sensitive
    EXPECT_EQ(Query("MFG:X; EXTSTS:00000000;"), 0);  // no blank skipped
    EXPECT_EQ(Query("EXTSTS:;"), 0);                 // empty value: nothing copied
    EXPECT_EQ(Query("STATUS:EXTSTS:00000000;"), 0);  // inside another field's value
    EXPECT_EQ(Query("MFG:X;;EXTSTS:00000000;"), 1);  // an empty field is just skipped
    EXPECT_EQ(Query("MFG:X;"), 0);                   // nothing after the last ";"
}

TEST(DeviceIdStatus, LaterFieldsOverwriteEarlierOnesWithoutTerminator) {
    EXPECT_EQ(StatusAfter("EXTSTS:00000000;EXTSTS:22;"), "22000000");
    EXPECT_EQ(Query("EXTSTS:00000000;EXTSTS:22;"), 0);
    EXPECT_EQ(StatusAfter("EXTSTS:12345678901;"), "12345678");
}

TEST(DeviceIdStatus, UsesAtMost255CharactersOfAnUnterminatedOutput) {
    FakePrinterLink port;
    std::string text = "MFG:X;EXTSTS:00000000;";
    text.resize(kDeviceIdSize, 'Q');  // the driver filled all 256 bytes, no zero
    port.SetDeviceIdText(text);
    EXPECT_EQ(QueryPrinterReady(port), 1);

    text = std::string(kDeviceIdSize - 8, 'Q');
    text[kDeviceIdSize - 17] = ';';
    text += "EXTSTS:0";  // the key straddles the 255-character cut: nothing usable
    port.SetDeviceIdText(text.substr(0, kDeviceIdSize));
    EXPECT_EQ(QueryPrinterReady(port), 0);
}

TEST(DeviceIdStatus, TimeoutsAreSetForTheQueryAndPutBack) {
    FakePrinterLink port;
    const PortTimeouts own = port.portTimeouts;
    port.SetDeviceIdText("EXTSTS:00000000;");
    ASSERT_EQ(QueryPrinterReady(port), 1);
    EXPECT_EQ(port.calls, (std::vector<std::string>{"GetTimeouts", "SetTimeouts", "GetDeviceId",
                                                    "SetTimeouts"}));
    const PortTimeouts& during = port.timeoutsSet[0];
    EXPECT_EQ(during.readIntervalTimeout, 200u);
    EXPECT_EQ(during.readTotalTimeoutConstant, 10000u);
    EXPECT_EQ(during.writeTotalTimeoutConstant, 30000u);
    EXPECT_EQ(during.readTotalTimeoutMultiplier, own.readTotalTimeoutMultiplier);
    EXPECT_EQ(during.writeTotalTimeoutMultiplier, own.writeTotalTimeoutMultiplier);
    const PortTimeouts& after = port.timeoutsSet[1];
    EXPECT_EQ(after.readIntervalTimeout, own.readIntervalTimeout);
    EXPECT_EQ(after.readTotalTimeoutConstant, own.readTotalTimeoutConstant);
    EXPECT_EQ(after.writeTotalTimeoutConstant, own.writeTotalTimeoutConstant);
}

TEST(DeviceIdStatus, EveryFailureIsNotReadyAndRestoresWhatWasChanged) {
    {  // time-outs unreadable (also an invalid port handle): nothing else is tried
        FakePrinterLink port;
        port.getTimeoutsFails = true;
        port.SetDeviceIdText("EXTSTS:00000000;");
        EXPECT_EQ(QueryPrinterReady(port), 0);
        EXPECT_EQ(port.calls, std::vector<std::string>{"GetTimeouts"});
    }
    {  // time-outs cannot be set: still written back, no device ID asked
        FakePrinterLink port;
        port.setTimeoutsResults = {false, true};
        port.SetDeviceIdText("EXTSTS:00000000;");
        EXPECT_EQ(QueryPrinterReady(port), 0);
        EXPECT_EQ(port.calls,
                  (std::vector<std::string>{"GetTimeouts", "SetTimeouts", "SetTimeouts"}));
        EXPECT_EQ(port.timeoutsSet[1].readIntervalTimeout, 7u);
    }
    {  // the control call fails
        FakePrinterLink port;
        const PortTimeouts own = port.portTimeouts;
        port.deviceIdFails = true;
        EXPECT_EQ(QueryPrinterReady(port), 0);
        EXPECT_EQ(port.calls.back(), "SetTimeouts");
        EXPECT_EQ(port.portTimeouts.readTotalTimeoutConstant, own.readTotalTimeoutConstant);
        EXPECT_EQ(port.portTimeouts.writeTotalTimeoutConstant, own.writeTotalTimeoutConstant);
    }
}

TEST(DeviceIdStatus, JudgeReadsEightCharactersAsADecimal) {
    auto judge = [](const char* eight) {
        StatusBuffer s{};
        std::memcpy(s.data(), eight, 8);
        return IsReadyStatus(s);
    };
    EXPECT_FALSE(judge("11111111"));
    EXPECT_TRUE(judge("00000000"));
    EXPECT_TRUE(judge("+0000000"));
    EXPECT_TRUE(judge("--000001"));  // a second sign ends the number before any digit
    EXPECT_FALSE(judge(" \t00001x"));
    EXPECT_TRUE(judge("0000000x"));
}

}  // namespace
}  // namespace vx
