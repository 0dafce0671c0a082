#pragma once

#include "settings/file_system.h"

namespace vx::win32 {

class Win32FileSystem : public FileSystem {
  public:
    std::unique_ptr<File> OpenForReading(const std::string& path) override;
    std::unique_ptr<File> OpenForUpdate(const std::string& path, OpenError& error) override;
    bool CanCreateFileIn(const std::string& folder) override;
    std::string DocumentsFolder() override;
};

}  // namespace vx::win32
