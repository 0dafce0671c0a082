// The bytes of the printer's settings commands. Every command starts FS 'o', names its
// function with one digit and ends with '.'; the set-settings command (function '0')
// carries the switch block between its function and its end.
#pragma once

#include <array>
#include <cstdint>

namespace vx {

constexpr std::uint8_t kFs = 0x1C;
constexpr std::uint8_t kCommandLetter = 0x6F;   // 'o'
constexpr std::uint8_t kFieldSeparator = 0x2C;  // ','
constexpr std::uint8_t kCommandEnd = 0x2E;      // '.'

// The function digits.
constexpr std::uint8_t kSetSettings = 0x30;     // '0': the switch block follows
constexpr std::uint8_t kPrintSettings = 0x32;   // '2': print the settings held
constexpr std::uint8_t kReportSettings = 0x33;  // '3': answer with the 12-byte report

// FS 'o' '2' '.': the printer prints the settings it holds. No trailing zero.
constexpr std::array<std::uint8_t, 4> kPrintSettingsCommand = {kFs, kCommandLetter, kPrintSettings,
                                                               kCommandEnd};

// FS 'o' '3' '.' and a zero byte, written in one write.
constexpr std::array<std::uint8_t, 5> kSettingsRequest = {kFs, kCommandLetter, kReportSettings,
                                                          kCommandEnd, 0x00};

}  // namespace vx
