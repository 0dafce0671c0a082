#include "settings/settings_file.h"

#include <algorithm>
#include <cstring>

namespace vx {

const std::array<std::uint8_t, kSettingsHeaderSize> kSettingsFileHeader = {
    'Z', 'A', 'M', ' ', 'Q', 'X', '-', 'K', '4', '8', '0', '/', '3', '3', '0', '\n', 0x00};

namespace {

// Reads until `size` bytes arrived or the file ends; -1 when a read fails.
long ReadFully(File& file, std::uint8_t* data, std::size_t size) {
    std::size_t total = 0;
    while (total < size) {
        const long n = file.Read(data + total, size - total);
        if (n < 0) return -1;
        if (n == 0) break;
        total += static_cast<std::size_t>(n);
    }
    return static_cast<long>(total);
}

bool WriteFully(File& file, const std::uint8_t* data, std::size_t size) {
    return file.Write(data, size) == static_cast<long>(size);
}

}  // namespace

bool IsSettingsFileHeader(const std::uint8_t* data, std::size_t size) {
    return size >= kSettingsHeaderSize &&
           std::equal(kSettingsFileHeader.begin(), kSettingsFileHeader.end(), data);
}

bool ParseSettingsFile(const std::uint8_t* data, std::size_t size, SwitchBlock& block) {
    if (!IsSettingsFileHeader(data, size) || size < kSettingsFileSize) return false;
    std::memcpy(block.bytes.data(), data + kSettingsHeaderSize, kBlockSize);
    return true;
}

LoadResult ReadSettingsFile(FileSystem& fs, const std::string& path, SwitchBlock& block) {
    std::unique_ptr<File> file = fs.OpenForReading(path);
    if (!file) return LoadResult::NotSettingsFile;
    std::array<std::uint8_t, kSettingsFileSize> buffer{};
    const long n = ReadFully(*file, buffer.data(), buffer.size());
    if (n < 0) return LoadResult::NotSettingsFile;
    return ParseSettingsFile(buffer.data(), static_cast<std::size_t>(n), block)
               ? LoadResult::Loaded
               : LoadResult::NotSettingsFile;
}

SaveResult WriteSettingsFile(FileSystem& fs, const std::string& path, const SwitchBlock& block) {
    OpenError error = OpenError::None;
    std::unique_ptr<File> file = fs.OpenForUpdate(path, error);
    if (!file)
        return error == OpenError::AccessDenied ? SaveResult::AccessDenied : SaveResult::Failed;
    if (!WriteFully(*file, kSettingsFileHeader.data(), kSettingsFileHeader.size()))
        return SaveResult::Failed;
    if (!WriteFully(*file, block.bytes.data(), block.bytes.size())) return SaveResult::Failed;
    return SaveResult::Saved;
}

std::string BareFileName(const std::string& path) {
    const std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace vx
