#include "settings/switch_block.h"

#include <cassert>

namespace vx {

// clang-format off
const SwitchBlock FactoryDefaults = {{
    kFs, kCommandLetter, kSetSettings, kFieldSeparator,  // FS 'o' '0' ','
    0x00, 0x00, kFieldSeparator,                         // MSW1
    0x00, 0x00, kFieldSeparator,                         // MSW2
    0x00, 0x00, kFieldSeparator,                         // MSW3
    0x00, 0x00, kFieldSeparator,                         // MSW4
    0x31, kFieldSeparator,                               // outline font on
    0x30, kFieldSeparator,                               // kanji code table JIS 1978
    0x30, kFieldSeparator,                               // font 1 standard
    0x30, kFieldSeparator,                               // font 2 standard
    0x36, 0x36, kFieldSeparator,                         // 66 lines
    0x30, kCommandEnd,                                   // Mincho, '.'
}};
// clang-format on

std::size_t MswLowByte(int msw) {
    assert(msw >= 1 && msw <= 4);
    return static_cast<std::size_t>(kMsw1Low) + 3 * static_cast<std::size_t>(msw - 1);
}

int GetSwitch(const SwitchBlock& block, int msw, int sw) {
    assert(sw >= 1 && sw <= 8);
    const std::size_t at = MswLowByte(msw) + (sw > 4 ? 1 : 0);
    return (block.bytes[at] >> ((sw - 1) % 4)) & 1;
}

void SetSwitch(SwitchBlock& block, int msw, int sw, bool on) {
    assert(sw >= 1 && sw <= 8);
    const std::size_t at = MswLowByte(msw) + (sw > 4 ? 1 : 0);
    const auto bit = static_cast<std::uint8_t>(1u << ((sw - 1) % 4));
    block.bytes[at] =
        static_cast<std::uint8_t>(on ? (block.bytes[at] | bit) : (block.bytes[at] & ~bit));
}

int GetSwitchCode(const SwitchBlock& block, int msw, int first, int width) {
    int code = 0;
    for (int i = 0; i < width; ++i) code |= GetSwitch(block, msw, first + i) << i;
    return code;
}

void SetSwitchCode(SwitchBlock& block, int msw, int first, int width, int code) {
    for (int i = 0; i < width; ++i) SetSwitch(block, msw, first + i, ((code >> i) & 1) != 0);
}

std::uint8_t GetMswByte(const SwitchBlock& block, int msw) {
    const std::size_t at = MswLowByte(msw);
    return static_cast<std::uint8_t>((block.bytes[at] & 0x0F) |
                                     ((block.bytes[at + 1] & 0x0F) << 4));
}

void SetMswByte(SwitchBlock& block, int msw, std::uint8_t value) {
    const std::size_t at = MswLowByte(msw);
    block.bytes[at] = value & 0x0F;
    block.bytes[at + 1] = static_cast<std::uint8_t>(value >> 4);
}

int GetPageLength(const SwitchBlock& block) {
    const int tens = GetDigit(block, kPageLengthTens);
    const int units = GetDigit(block, kPageLengthUnits);
    return tens < 0 || units < 0 ? -1 : tens * 10 + units;
}

void SetPageLength(SwitchBlock& block, int lines) {
    assert(lines >= 0 && lines <= 99);
    block.bytes[kPageLengthTens] = static_cast<std::uint8_t>('0' + lines / 10);
    block.bytes[kPageLengthUnits] = static_cast<std::uint8_t>('0' + lines % 10);
}

int GetDigit(const SwitchBlock& block, BlockByte at) {
    const std::uint8_t b = block.bytes[at];
    return (b >= '0' && b <= '9') ? b - '0' : -1;
}

void SetDigit(SwitchBlock& block, BlockByte at, int value) {
    assert(value >= 0 && value <= 9);
    block.bytes[at] = static_cast<std::uint8_t>('0' + value);
}

std::uint8_t GetByte(const SwitchBlock& block, BlockByte at) { return block.bytes[at]; }

void SetByte(SwitchBlock& block, BlockByte at, std::uint8_t value) { block.bytes[at] = value; }

}  // namespace vx
