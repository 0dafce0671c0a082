// The installer's files over the Win32 file API and the LZ expansion interface.
#pragma once

#include <windows.h>

#include "installer/installer_platform.h"

namespace vx::inst::win32 {

class Win32Files : public InstallFiles {
  public:
    bool List(const std::string& folder, std::vector<DirEntry>& entries) override;
    bool Exists(const std::string& path) override;
    bool IsFolder(const std::string& path) override;
    bool IsLink(const std::string& path) override;
    std::string FullPath(const std::string& path) override;
    bool DriveRootExists(const std::string& root) override;
    std::uint64_t FreeBytes(const std::string& root) override;
    FolderResult CreateFolder(const std::string& path) override;
    bool RemoveFolder(const std::string& path) override;
    void SetNormalAttributes(const std::string& path) override;
    unsigned Copy(const std::string& from, const std::string& to) override;
    bool Delete(const std::string& path) override;
    bool Move(const std::string& from, const std::string& to) override;
    std::optional<std::uint64_t> FileSize(const std::string& path) override;
    std::optional<std::string> ExpandedName(const std::string& path) override;
    std::int64_t Expand(const std::string& from, const std::string& to) override;
    std::string ReadHead(const std::string& path, std::size_t count) override;
    bool ReadBytes(const std::string& path, std::string& bytes) override;
    bool WriteBytes(const std::string& path, const std::string& bytes) override;
    void RemoveDownloadMark(const std::string& path) override;
};

}  // namespace vx::inst::win32
