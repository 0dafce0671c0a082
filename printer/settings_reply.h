// Asking the printer for its settings over the parallel port, and spreading
// its 12-byte report over a switch block.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "settings/printer_commands.h"
#include "settings/switch_block.h"

namespace vx {

// Up to this many bytes are read; only a reply of exactly kSettingsReplySize is used.
constexpr std::size_t kReplyBufferSize = 29;
constexpr std::size_t kSettingsReplySize = 12;

// Writes the setting bytes of `block` from the reply (r0 and r1 are not examined; framing
// bytes keep their values). Any count other than 12 changes nothing and returns false.
bool SpreadSettingsReply(const std::uint8_t* reply, std::size_t count, SwitchBlock& block);

// The reply a printer holding `block` gives: the table above read backwards (r0 and r1 are
// zero). Spreading it over a block with the same framing bytes gives `block` back whenever
// its page length is two digits and its digits are those the pages write.
std::array<std::uint8_t, kSettingsReplySize> SettingsReply(const SwitchBlock& block);

}  // namespace vx
