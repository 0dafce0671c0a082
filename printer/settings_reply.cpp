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
    block.bytes[kPageLengthTens] = static_cast<std::uint8_t>(lines[0]);
    block.bytes[kPageLengthUnits] = static_cast<std::uint8_t>(lines[1]);

    block.bytes[kOutlineFont] = Digit(reply[3]);
    block.bytes[kFont1] = Digit(reply[4]);
    block.bytes[kFont2] = Digit(reply[5]);
    block.bytes[kKanjiTable] = static_cast<std::uint8_t>(Digit(reply[6]) - 1);
    block.bytes[kTypeface] = Digit(reply[7]);

    for (int msw = 1; msw <= 4; ++msw) SetMswByte(block, msw, reply[7 + msw]);
    return true;
}

}  // namespace vx
