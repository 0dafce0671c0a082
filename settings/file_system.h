// The few file operations the settings file needs, so the format logic runs
// and is tested without the platform.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace vx {

class File {
  public:
    virtual ~File() = default;  // closes the file
    // The number of bytes transferred (less than `size` at the end of the file), or -1 on failure.
    virtual long Read(std::uint8_t* data, std::size_t size) = 0;
    virtual long Write(const std::uint8_t* data, std::size_t size) = 0;
};

enum class OpenError { None, AccessDenied, Other };

// Paths are UTF-8 throughout the portable code.
class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // For reading, others may read too; the file must exist. Null when it cannot be opened.
    virtual std::unique_ptr<File> OpenForReading(const std::string& path) = 0;
    // For reading and writing, others may read; created when missing, never truncated.
    // Null on failure, with `error` telling access denied apart from everything else.
    virtual std::unique_ptr<File> OpenForUpdate(const std::string& path, OpenError& error) = 0;
    // Where the settings program's file dialogs open. A file system that cannot tell
    // (a command-line tool's) answers so that they stay in the program folder.
    // Whether this user can create a file in `folder` (tried with a temporary file).
    virtual bool CanCreateFileIn(const std::string& /*folder*/) { return true; }
    // The user's own Documents folder with a trailing backslash; empty when unknown.
    virtual std::string DocumentsFolder() { return {}; }
};

}  // namespace vx
