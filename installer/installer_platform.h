// The platform services the installer needs, by role. The install and uninstall
// flows are written against these; installer/win32/ implements them and the
// native tests fake them. Every path and text is UTF-8.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/message_box.h"

namespace vx::inst {

// A message box's icon and buttons, by the names the installer's flows use.
struct MsgStyle {
    MsgIcon icon;
    MsgButtons buttons;

    static const MsgStyle Error;             // error icon, OK
    static const MsgStyle Information;       // information icon, OK
    static const MsgStyle YesNoExclamation;  // exclamation icon, Yes and No
    static const MsgStyle YesNoPlain;        // no icon, Yes and No
    static const MsgStyle PlainOk;           // no icon, OK

    bool operator==(const MsgStyle& o) const { return icon == o.icon && buttons == o.buttons; }
    bool operator!=(const MsgStyle& o) const { return !(*this == o); }
};
inline constexpr MsgStyle MsgStyle::Error{MsgIcon::Error, MsgButtons::Ok};
inline constexpr MsgStyle MsgStyle::Information{MsgIcon::Information, MsgButtons::Ok};
inline constexpr MsgStyle MsgStyle::YesNoExclamation{MsgIcon::Warning, MsgButtons::YesNo};
inline constexpr MsgStyle MsgStyle::YesNoPlain{MsgIcon::None, MsgButtons::YesNo};
inline constexpr MsgStyle MsgStyle::PlainOk{MsgIcon::None, MsgButtons::Ok};

using Answer = MsgAnswer;

// Message boxes, owned by whichever window the implementation was made for.
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    virtual Answer Show(const std::string& text, const std::string& caption, MsgStyle style) = 0;
};

struct DirEntry {
    std::string name;
    bool isFolder = false;
    bool isLink = false;  // a junction or symbolic link: never followed
};

enum class FolderResult { Created, AlreadyThere, PathNotFound, Failed };

class InstallFiles {
  public:
    virtual ~InstallFiles() = default;
    // The entries of a folder, "." and ".." left out. False when it cannot be listed.
    virtual bool List(const std::string& folder, std::vector<DirEntry>& entries) = 0;
    // Whether the attributes of a file or folder can be read.
    virtual bool Exists(const std::string& path) = 0;
    virtual bool IsFolder(const std::string& path) = 0;
    // Whether it is a junction or symbolic link.
    virtual bool IsLink(const std::string& path) = 0;
    // The path as the file system resolves it: full, with "." and ".." parts, trailing dots
    // and links followed, each known part spelt as the file system spells it, the drive
    // as the volume is mounted (a path not there yet: its deepest existing folder resolved,
    // the rest appended). Two spellings of one folder resolve alike. The path as given
    // when it cannot be resolved.
    virtual std::string FullPath(const std::string& path) = 0;
    // Whether the system knows the root ("X:\") as a drive.
    virtual bool DriveRootExists(const std::string& root) = 0;
    // The volume's total free bytes; 0 when the query fails.
    virtual std::uint64_t FreeBytes(const std::string& root) = 0;
    virtual FolderResult CreateFolder(const std::string& path) = 0;
    virtual bool RemoveFolder(const std::string& path) = 0;
    virtual void SetNormalAttributes(const std::string& path) = 0;
    // Copies, replacing a file of that name. 0 on success, else the system error code.
    virtual unsigned Copy(const std::string& from, const std::string& to) = 0;
    virtual bool Delete(const std::string& path) = 0;
    // Moves a file within its volume, replacing a file of that name. A running program's
    // file can be moved, though not deleted.
    virtual bool Move(const std::string& from, const std::string& to) = 0;
    // A file's size in bytes; none when it cannot be had.
    virtual std::optional<std::uint64_t> FileSize(const std::string& path) = 0;
    // A compressed file's name with its stored last character; a plain file's name unchanged.
    // None when the name cannot be had (the file cannot be opened).
    virtual std::optional<std::string> ExpandedName(const std::string& path) = 0;
    // Expands (or copies, when plain) through the LZ interface into exactly `to`, replacing
    // it. The number of bytes written; negative when nothing could be.
    virtual std::int64_t Expand(const std::string& from, const std::string& to) = 0;
    // The first `count` bytes of a file (fewer when it is shorter; none when unreadable).
    virtual std::string ReadHead(const std::string& path, std::size_t count) = 0;
    // A whole file's bytes as they are. False when it cannot be read.
    virtual bool ReadBytes(const std::string& path, std::string& bytes) = 0;
    virtual bool WriteBytes(const std::string& path, const std::string& bytes) = 0;
    // Removes the mark a downloaded file carries (its "Zone.Identifier" stream), which
    // keeps the HTML Help viewer from showing an installed help file. Nothing when unmarked.
    virtual void RemoveDownloadMark(const std::string& path) = 0;
};

// HKEY_LOCAL_MACHINE as this program sees it, the same in the view of 32-bit programs (on
// 64-bit Windows the two differ under SOFTWARE; elsewhere they are one), HKEY_USERS.
enum class RegRoot { LocalMachine, LocalMachine32, Users };

class RegKey {
  public:
    virtual ~RegKey() = default;  // closes the key
    virtual bool ReadString(const std::string& name, std::string& value) = 0;
    virtual bool WriteString(const std::string& name, const std::string& value) = 0;
    // A list of strings (REG_MULTI_SZ).
    virtual bool ReadStrings(const std::string& name, std::vector<std::string>& values) = 0;
    virtual bool WriteStrings(const std::string& name, const std::vector<std::string>& values) = 0;
    // A 32-bit number (REG_DWORD).
    virtual bool WriteNumber(const std::string& name, std::uint32_t value) = 0;
    // Deletes this key itself (it has values and no subkeys).
    virtual bool DeleteSelf() = 0;
};

class Registry {
  public:
    virtual ~Registry() = default;
    // Full access. Null on failure.
    virtual std::unique_ptr<RegKey> Open(RegRoot root, const std::string& path) = 0;
    virtual std::unique_ptr<RegKey> Create(RegRoot root, const std::string& path) = 0;
};

class ShellLink {
  public:
    virtual ~ShellLink() = default;  // releases the object
    virtual bool SetPath(const std::string& target) = 0;
    virtual bool SetDescription(const std::string& text) = 0;
    virtual bool SetWorkingDirectory(const std::string& folder) = 0;
    virtual bool Save(const std::string& linkPath) = 0;
};

class ShellLinks {
  public:
    virtual ~ShellLinks() = default;
    // Null when the link object or its persist-file interface is unavailable.
    virtual std::unique_ptr<ShellLink> Create() = 0;
};

struct OsVersion {
    unsigned platformId = 2;
    unsigned major = 5;
    unsigned minor = 1;
    bool NtFamily() const { return platformId == 2; }
};

class System {
  public:
    virtual ~System() = default;
    virtual OsVersion Version() = 0;
    virtual std::string ModulePath() = 0;
    virtual std::string CommandLine() = 0;
    virtual std::string WindowsDirectory() = 0;
    virtual std::string TempPath() = 0;  // as reported, with its trailing backslash
    virtual void Sleep(unsigned milliseconds) = 0;
    virtual void ExitProcess(int code) = 0;
    virtual bool StartProcess(const std::string& program, const std::string& commandLine) = 0;
    // Starts a program as StartProcess does and waits for it to end. False when it could
    // not be started.
    virtual bool RunProcess(const std::string& program, const std::string& commandLine,
                            int& exitCode) = 0;
    // Whether the service control manager opens with full access (0xF003F).
    virtual bool CanManageServices() = 0;
    // A text in the system's ANSI code page (the bytes the 9x family's files hold).
    virtual std::string AnsiText(const std::string& text) = 0;
    // Registers a file or empty folder for deletion at the next system start. False when
    // it could not be registered.
    virtual bool DeleteAtRestart(const std::string& path) = 0;
    // Makes `folder` the process's working folder (inherited by the programs it starts).
    virtual void SetWorkingFolder(const std::string& folder) = 0;
    virtual void InitComForThread() = 0;
    virtual void OpenFolderWindow(const std::string& folder) = 0;  // verb "open"
    virtual void OpenDocument(const std::string& path) = 0;        // default verb
};

// The setup information file.
class Profile {
  public:
    virtual ~Profile() = default;
    virtual unsigned ReadInt(const std::string& file, const std::string& section,
                             const std::string& key) = 0;  // 0 when absent
    // The value in UTF-8 and its length in the file's own bytes (CP932, whatever the
    // system's code page); empty when absent.
    virtual std::string ReadText(const std::string& file, const std::string& section,
                                 const std::string& key, std::size_t& ansiBytes) = 0;
};

struct Platform {
    System& system;
    InstallFiles& files;
    Registry& registry;
    ShellLinks& links;
    Profile& profile;
};

}  // namespace vx::inst
