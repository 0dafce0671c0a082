#include "settings/switch_block.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

TEST(SwitchBlock, FactoryDefaultsAreTheSetCommandWithDefaultSettings) {
    const std::array<std::uint8_t, 29> expected = {
        0x1C, 0x6F, 0x30, 0x2C, 0x00, 0x00, 0x2C, 0x00, 0x00, 0x2C, 0x00, 0x00, 0x2C, 0x00, 0x00,
        0x2C, 0x31, 0x2C, 0x30, 0x2C, 0x30, 0x2C, 0x30, 0x2C, 0x36, 0x36, 0x2C, 0x30, 0x2E};
    EXPECT_EQ(FactoryDefaults.bytes, expected);
    EXPECT_EQ(GetPageLength(FactoryDefaults), 66);
    EXPECT_EQ(GetDigit(FactoryDefaults, kOutlineFont), 1);
    EXPECT_EQ(GetDigit(FactoryDefaults, kTypeface), 0);
    for (int msw = 1; msw <= 4; ++msw)
        EXPECT_EQ(GetMswByte(FactoryDefaults, msw), 0) << "MSW" << msw;
}

// Each of the 32 switches lands in exactly one bit of exactly one byte.
TEST(SwitchBlock, EverySwitchHasItsOwnBit) {
    const std::size_t lowByte[] = {0, 4, 7, 10, 13};
    for (int msw = 1; msw <= 4; ++msw) {
        for (int sw = 1; sw <= 8; ++sw) {
            SwitchBlock b = FactoryDefaults;
            SetSwitch(b, msw, sw, true);
            const std::size_t at = lowByte[msw] + (sw > 4 ? 1 : 0);
            for (std::size_t i = 0; i < kBlockSize; ++i) {
                const std::uint8_t want = i == at ? static_cast<std::uint8_t>(1u << ((sw - 1) % 4))
                                                  : FactoryDefaults.bytes[i];
                ASSERT_EQ(b.bytes[i], want) << "SW" << msw << "-" << sw << " byte " << i;
            }
            EXPECT_EQ(GetSwitch(b, msw, sw), 1);
            SetSwitch(b, msw, sw, false);
            EXPECT_EQ(b, FactoryDefaults);
        }
    }
}

TEST(SwitchBlock, MultiSwitchCodesKeepTheirNeighbours) {
    SwitchBlock b = FactoryDefaults;
    SetSwitchCode(b, 1, 1, 3, 5);  // Sweden, SW1-4 off
    EXPECT_EQ(b.bytes[kMsw1Low], 0x05);
    SetSwitch(b, 1, 4, true);
    SetSwitchCode(b, 1, 1, 3, 5);  // SW1-4 carried through
    EXPECT_EQ(b.bytes[kMsw1Low], 0x0D);
    EXPECT_EQ(GetSwitchCode(b, 1, 1, 3), 5);

    SetSwitchCode(b, 3, 1, 2, 2);  // speed code 2 with SW3-3 on
    SetSwitch(b, 3, 3, true);
    EXPECT_EQ(b.bytes[kMsw3Low], 0x06);
    SetSwitchCode(b, 4, 5, 2, 3);  // print mode: SW4-5 and SW4-6, the second byte
    EXPECT_EQ(b.bytes[kMsw4High], 0x03);
    EXPECT_EQ(b.bytes[kMsw4Low], 0x00);
    EXPECT_EQ(GetSwitchCode(b, 4, 5, 2), 3);
}

TEST(SwitchBlock, MswByteSplitsIntoNibbles) {
    SwitchBlock b = FactoryDefaults;
    SetMswByte(b, 1, 0xA5);
    EXPECT_EQ(b.bytes[kMsw1Low], 0x05);
    EXPECT_EQ(b.bytes[kMsw1High], 0x0A);
    EXPECT_EQ(GetMswByte(b, 1), 0xA5);
    SetMswByte(b, 4, 0xFF);
    EXPECT_EQ(b.bytes[kMsw4Low], 0x0F);
    EXPECT_EQ(b.bytes[kMsw4High], 0x0F);
    EXPECT_EQ(GetSwitch(b, 4, 8), 1);
    // Bits above the nibble in a foreign block are not taken for switches.
    b.bytes[kMsw2Low] = 0xF1;
    EXPECT_EQ(GetMswByte(b, 2), 0x01);
}

TEST(SwitchBlock, PageLengthAndDigits) {
    SwitchBlock b = FactoryDefaults;
    SetPageLength(b, 7);
    EXPECT_EQ(b.bytes[kPageLengthTens], '0');
    EXPECT_EQ(b.bytes[kPageLengthUnits], '7');
    EXPECT_EQ(GetPageLength(b), 7);
    SetPageLength(b, 99);
    EXPECT_EQ(GetPageLength(b), 99);

    SetDigit(b, kFont1, 4);
    EXPECT_EQ(b.bytes[kFont1], '4');
    b.bytes[kKanjiTable] = 0x2F;
    EXPECT_EQ(GetDigit(b, kKanjiTable), -1);
    b.bytes[kTypeface] = ':';
    EXPECT_EQ(GetDigit(b, kTypeface), -1);
}

TEST(SwitchBlock, EqualityIsByteWiseIncludingFraming) {
    SwitchBlock b = FactoryDefaults;
    EXPECT_EQ(b, FactoryDefaults);
    b.bytes[26] = ';';  // a separator is as much a difference as a switch
    EXPECT_NE(b, FactoryDefaults);
    SwitchBlock c = b;  // copies are independent
    c.bytes[26] = ',';
    EXPECT_EQ(c, FactoryDefaults);
    EXPECT_NE(b, c);
}

}  // namespace
}  // namespace vx
