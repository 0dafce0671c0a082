// The installer's platform services over the Win32 API (wide-character calls; the
// portable side's UTF-8 is converted at this edge).
#pragma once

#include <windows.h>

#include <atomic>

#include "installer/installer_platform.h"
#include "installer/silent.h"

namespace vx::inst::win32 {

// The owner may change on one thread while another shows a box (a progress window's
// worker).
class Win32MessageBoxes : public MessageBoxes {
  public:
    explicit Win32MessageBoxes(HWND owner = nullptr) : owner_(owner) {}
    void SetOwner(HWND owner) { owner_ = owner; }
    Answer Show(const std::string& text, const std::string& caption, MsgStyle style) override;

  private:
    std::atomic<HWND> owner_;
};

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

class Win32Registry : public Registry {
  public:
    std::unique_ptr<RegKey> Open(RegRoot root, const std::string& path) override;
    std::unique_ptr<RegKey> Create(RegRoot root, const std::string& path) override;
};

class Win32ShellLinks : public ShellLinks {
  public:
    std::unique_ptr<ShellLink> Create() override;
};

class Win32System : public System {
  public:
    OsVersion Version() override;
    std::string ModulePath() override;
    std::string CommandLine() override;
    std::string WindowsDirectory() override;
    std::string TempPath() override;
    void Sleep(unsigned milliseconds) override;
    void ExitProcess(int code) override;
    bool StartProcess(const std::string& program, const std::string& commandLine) override;
    bool RunProcess(const std::string& program, const std::string& commandLine,
                    int& exitCode) override;
    bool CanManageServices() override;
    std::string AnsiText(const std::string& text) override;
    bool DeleteAtRestart(const std::string& path) override;
    void SetWorkingFolder(const std::string& folder) override;
    void InitComForThread() override;
    void OpenFolderWindow(const std::string& folder) override;
    void OpenDocument(const std::string& path) override;
};

class Win32Profile : public Profile {
  public:
    unsigned ReadInt(const std::string& file, const std::string& section,
                     const std::string& key) override;
    std::string ReadText(const std::string& file, const std::string& section,
                         const std::string& key, std::size_t& ansiBytes) override;
};

// The log of a silent run: each line appended to the file in UTF-8 as it comes, so
// stage two can add to what stage one wrote. No file, no log.
class Win32Log : public Log {
  public:
    explicit Win32Log(const std::string& file) : file_(file) {}
    void Line(const std::string& text) override;
    bool Writable() override;

  private:
    std::string file_;
};

}  // namespace vx::inst::win32
