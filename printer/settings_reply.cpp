#include "printer/settings_reply.h"

#include <cstdio>

namespace vx {

namespace {

// "0" + r with 8-bit wrap-around, as the printer's firmware expects it read.
std::uint8_t Digit(std::uint8_t r) { return static_cast<std::uint8_t>('0' + r); }

}  // namespace

bool SpreadSettingsReply(const std::uint8_t* reply, std::size_t count, SwitchBlock& block) {
    if (count != kSettingsReplySize) return false;

    // Page length: the first two characters of r2 written with "%02d", so 5 gives "05"
    // and 120 gives "12".
    char lines[8];
    std::snprintf(lines, sizeof lines, "%02d", reply[2]);
    SetByte(block, kPageLengthTens, static_cast<std::uint8_t>(lines[0]));
    SetByte(block, kPageLengthUnits, static_cast<std::uint8_t>(lines[1]));

    SetByte(block, kOutlineFont, Digit(reply[3]));
    SetByte(block, kFont1, Digit(reply[4]));
    SetByte(block, kFont2, Digit(reply[5]));
    SetByte(block, kKanjiTable, static_cast<std::uint8_t>(Digit(reply[6]) - 1));
    SetByte(block, kTypeface, Digit(reply[7]));

    for (int msw = 1; msw <= 4; ++msw) SetMswByte(block, msw, reply[7 + msw]);
    return true;
}

std::array<std::uint8_t, kSettingsReplySize> SettingsReply(const SwitchBlock& block) {
    auto value = [&](BlockByte at) { return static_cast<std::uint8_t>(GetByte(block, at) - '0'); };
    std::array<std::uint8_t, kSettingsReplySize> reply{};
    reply[2] = static_cast<std::uint8_t>(value(kPageLengthTens) * 10 + value(kPageLengthUnits));
    reply[3] = value(kOutlineFont);
    reply[4] = value(kFont1);
    reply[5] = value(kFont2);
    reply[6] = static_cast<std::uint8_t>(value(kKanjiTable) + 1);
    reply[7] = value(kTypeface);
    for (int msw = 1; msw <= 4; ++msw) reply[7 + msw] = GetMswByte(block, msw);
    return reply;
}

}  // namespace vx
