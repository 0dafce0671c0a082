#include "printer/settings_reply.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

using Reply = std::array<std::uint8_t, 12>;

// The printer's report of its factory settings.
Reply DefaultReply() { return {0xAA, 0xBB, 66, 1, 0, 0, 1, 0, 0, 0, 0, 0}; }

TEST(SettingsReply, RequestIsFiveBytes) {
    const std::array<std::uint8_t, 5> expected = {0x1C, 0x6F, 0x33, 0x2E, 0x00};
    EXPECT_EQ(kSettingsRequest, expected);
}

TEST(SettingsReply, DefaultReportGivesTheFactoryBlock) {
    SwitchBlock b = FactoryDefaults;
    SetSwitch(b, 2, 1, true);
    SetPageLength(b, 10);
    const Reply r = DefaultReply();
    ASSERT_TRUE(SpreadSettingsReply(r.data(), r.size(), b));
    EXPECT_EQ(b, FactoryDefaults);
}

TEST(SettingsReply, EachRuleOfTheReport) {
    Reply r = DefaultReply();
    r[3] = 0;     // outline off
    r[4] = 4;     // font 1 OCR-B
    r[5] = 2;     // font 2
    r[6] = 3;     // kanji table "2"
    r[7] = 1;     // Gothic
    r[8] = 0xA5;  // MSW1
    r[9] = 0x01;
    r[10] = 0x80;
    r[11] = 0xFF;
    SwitchBlock b = FactoryDefaults;
    ASSERT_TRUE(SpreadSettingsReply(r.data(), r.size(), b));
    EXPECT_EQ(b.bytes[kOutlineFont], '0');
    EXPECT_EQ(b.bytes[kFont1], '4');
    EXPECT_EQ(b.bytes[kFont2], '2');
    EXPECT_EQ(b.bytes[kKanjiTable], '2');
    EXPECT_EQ(b.bytes[kTypeface], '1');
    EXPECT_EQ(b.bytes[kMsw1Low], 0x05);
    EXPECT_EQ(b.bytes[kMsw1High], 0x0A);
    EXPECT_EQ(b.bytes[kMsw2Low], 0x01);
    EXPECT_EQ(b.bytes[kMsw2High], 0x00);
    EXPECT_EQ(b.bytes[kMsw3Low], 0x00);
    EXPECT_EQ(b.bytes[kMsw3High], 0x08);
    EXPECT_EQ(b.bytes[kMsw4Low], 0x0F);
    EXPECT_EQ(b.bytes[kMsw4High], 0x0F);
}

TEST(SettingsReply, PageLengthIsTheFirstTwoCharactersOfTheNumber) {
    struct Case {
        std::uint8_t r2;
        char tens, units;
    } cases[] = {{5, '0', '5'}, {66, '6', '6'}, {120, '1', '2'}, {0, '0', '0'}, {255, '2', '5'}};
    for (const Case& c : cases) {
        Reply r = DefaultReply();
        r[2] = c.r2;
        SwitchBlock b = FactoryDefaults;
        ASSERT_TRUE(SpreadSettingsReply(r.data(), r.size(), b));
        EXPECT_EQ(b.bytes[kPageLengthTens], c.tens) << int(c.r2);
        EXPECT_EQ(b.bytes[kPageLengthUnits], c.units) << int(c.r2);
    }
}

TEST(SettingsReply, ArithmeticWrapsAtEightBits) {
    Reply r = DefaultReply();
    r[6] = 0;     // "0" + 0 - 1
    r[3] = 0xFF;  // "0" + 255
    SwitchBlock b = FactoryDefaults;
    ASSERT_TRUE(SpreadSettingsReply(r.data(), r.size(), b));
    EXPECT_EQ(b.bytes[kKanjiTable], 0x2F);
    EXPECT_EQ(b.bytes[kOutlineFont], 0x2F);
}

TEST(SettingsReply, FramingBytesKeepTheirValues) {
    SwitchBlock b = FactoryDefaults;
    for (std::size_t i : {0u, 1u, 2u, 3u, 6u, 9u, 12u, 15u, 17u, 19u, 21u, 23u, 26u, 28u})
        b.bytes[i] = 0x77;
    const SwitchBlock before = b;
    const Reply r = DefaultReply();
    ASSERT_TRUE(SpreadSettingsReply(r.data(), r.size(), b));
    for (std::size_t i : {0u, 1u, 2u, 3u, 6u, 9u, 12u, 15u, 17u, 19u, 21u, 23u, 26u, 28u})
        EXPECT_EQ(b.bytes[i], before.bytes[i]) << i;
}

TEST(SettingsReply, OnlyTwelveBytesCount) {
    std::array<std::uint8_t, kReplyBufferSize> buffer{};
    buffer.fill(9);
    for (std::size_t n : {0u, 1u, 11u, 13u, 29u}) {
        SwitchBlock b = FactoryDefaults;
        EXPECT_FALSE(SpreadSettingsReply(buffer.data(), n, b)) << n;
        EXPECT_EQ(b, FactoryDefaults) << n;
    }
}

}  // namespace
}  // namespace vx

namespace vx {
namespace {

// The printer's side: what it answers for its settings spreads back to those settings.
TEST(SettingsReply, ThePrintersReplyGivesItsSettingsBack) {
    EXPECT_EQ(SettingsReply(FactoryDefaults), (Reply{0, 0, 66, 1, 0, 0, 1, 0, 0, 0, 0, 0}));
    SwitchBlock held = FactoryDefaults;
    SetPageLength(held, 5);
    held.bytes[kKanjiTable] = '0';
    held.bytes[kFont2] = '3';
    for (int msw = 1; msw <= 4; ++msw) SetMswByte(held, msw, static_cast<std::uint8_t>(0x5A + msw));
    const Reply r = SettingsReply(held);
    SwitchBlock shown = FactoryDefaults;
    ASSERT_TRUE(SpreadSettingsReply(r.data(), r.size(), shown));
    EXPECT_EQ(shown, held);
}

}  // namespace
}  // namespace vx
