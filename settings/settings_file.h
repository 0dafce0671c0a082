// Settings files (.dat): a 17-byte header naming the printer model, then the
// 29-byte switch block, 46 bytes in all. Bytes after offset 46 are never read.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "settings/file_system.h"
#include "settings/switch_block.h"

namespace vx {

// "ZAM QX-K480/330\n" and its terminating zero, written and checked as one unit.
constexpr std::size_t kSettingsHeaderSize = 17;
extern const std::array<std::uint8_t, kSettingsHeaderSize> kSettingsFileHeader;
constexpr std::size_t kSettingsFileSize = kSettingsHeaderSize + kBlockSize;

// True when the first `size` bytes hold the whole header exactly (case-sensitive).
bool IsSettingsFileHeader(const std::uint8_t* data, std::size_t size);

// Takes the block out of the first `size` bytes of a file. False when the header
// is not good or fewer than 29 bytes follow it; `block` is then untouched.
bool ParseSettingsFile(const std::uint8_t* data, std::size_t size, SwitchBlock& block);

enum class LoadResult { Loaded, NotSettingsFile };
// A file that cannot be opened or read counts as not a settings file.
LoadResult ReadSettingsFile(FileSystem& fs, const std::string& path, SwitchBlock& block);

enum class SaveResult { Saved, AccessDenied, Failed };
// Writes header and block over the beginning of the file; a longer file keeps its tail.
// A failed or short write is a failure, never a save.
SaveResult WriteSettingsFile(FileSystem& fs, const std::string& path, const SwitchBlock& block);

// The name without its folder: what follows the last backslash, or the whole path.
std::string BareFileName(const std::string& path);

}  // namespace vx
