// The 29-byte switch block: the printer's set-settings command and, at the
// same time, the one data model of the settings program.
//
//   FS 'o' '0' ',' MSW1 MSW1 ',' MSW2 MSW2 ',' MSW3 MSW3 ',' MSW4 MSW4 ','
//   outline ',' kanji ',' font1 ',' font2 ',' tens units ',' typeface '.'
//
// Each memory switch MSWn travels as two bytes holding plain 4-bit values
// (SWn-1..4 in the first, SWn-5..8 in the second, SWn-k in bit (k-1) % 4).
// The function-select settings are ASCII digits.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "settings/printer_commands.h"

namespace vx {

constexpr std::size_t kBlockSize = 29;

struct SwitchBlock {
    std::array<std::uint8_t, kBlockSize> bytes;

    // Equal when all 29 bytes are equal: a separator byte counts as much as a switch.
    friend bool operator==(const SwitchBlock& a, const SwitchBlock& b) {
        return a.bytes == b.bytes;
    }
    friend bool operator!=(const SwitchBlock& a, const SwitchBlock& b) { return !(a == b); }
};

// Every switch off, outline font on, JIS 1978 table, standard fonts, 66 lines, Mincho.
extern const SwitchBlock FactoryDefaults;

// Byte positions of the settings; every other byte is framing that no page writes.
enum BlockByte : std::size_t {
    kMsw1Low = 4,
    kMsw1High = 5,
    kMsw2Low = 7,
    kMsw2High = 8,
    kMsw3Low = 10,
    kMsw3High = 11,
    kMsw4Low = 13,
    kMsw4High = 14,
    kOutlineFont = 16,
    kKanjiTable = 18,
    kFont1 = 20,
    kFont2 = 22,
    kPageLengthTens = 24,
    kPageLengthUnits = 25,
    kTypeface = 27,
};

// First of the two bytes that carry memory switch `msw` (1..4).
std::size_t MswLowByte(int msw);

// SWmsw-sw (msw 1..4, sw 1..8): 1 when on, 0 when off.
int GetSwitch(const SwitchBlock& block, int msw, int sw);
void SetSwitch(SwitchBlock& block, int msw, int sw, bool on);

// A code made of `width` neighbouring switches, the first one (SWmsw-first) the
// lowest bit: the country code is GetSwitchCode(b, 1, 1, 3).
int GetSwitchCode(const SwitchBlock& block, int msw, int first, int width);
void SetSwitchCode(SwitchBlock& block, int msw, int first, int width, int code);

// All eight switches of MSWn as the printer reports them: SWn-1 in bit 0 ... SWn-8 in bit 7.
std::uint8_t GetMswByte(const SwitchBlock& block, int msw);
// Low nibble to the first block byte, high nibble to the second, as values 0..15.
void SetMswByte(SwitchBlock& block, int msw, std::uint8_t value);

// The page lengths the block can carry, and the factory one: also what a page shows for
// page-length bytes that are no digits.
constexpr int kMinPageLength = 1;
constexpr int kMaxPageLength = 99;
constexpr int kFactoryPageLength = 66;

// Page length as (byte 24 - '0') * 10 + (byte 25 - '0'); -1 when either byte is no digit.
int GetPageLength(const SwitchBlock& block);
// Writes 0..99 as two decimal digits.
void SetPageLength(SwitchBlock& block, int lines);

// Function-select bytes as the digit values they carry ('0' -> 0); -1 when the byte is no digit.
int GetDigit(const SwitchBlock& block, BlockByte at);
void SetDigit(SwitchBlock& block, BlockByte at, int value);

// A setting byte as it stands, digit or not: the printer's report may carry any value.
std::uint8_t GetByte(const SwitchBlock& block, BlockByte at);
void SetByte(SwitchBlock& block, BlockByte at, std::uint8_t value);

}  // namespace vx
