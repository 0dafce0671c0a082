// The installer's flows: setup information, the folder window's decisions, the
// install and uninstall workers, shortcuts and the uninstall entry. Portable; the
// windows of installer/win32/ host them through the view interfaces below.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "installer/installer_platform.h"

namespace vx::inst {

// A path fits when it fits MAX_PATH UTF-16 units with its terminator: at most 259. The setup
// file's texts fit 260-byte buffers of its own code page: at most 259 bytes.
inline constexpr std::size_t kMaxPath = 259;
// The uninstall entry's DisplayName holds no more than 49 bytes.
inline constexpr std::size_t kMaxTitle = 49;

struct SetupRecord {
    std::string uninstallKey;   // formed only when the whole reading succeeded
    std::string programFile;    // "VX_FILE"
    std::string installFolder;  // "INSTALL_FOLDER", then the chosen destination
    std::string printerName;
    std::string title;
    std::string diskPath;
    std::string helpFile;  // "HELP_FILE1" on version 4.0, else "HELP_FILE2"
    std::uint64_t requiredMb = 0;
};

// What one install wrote, by full path: every file it wrote (a file it replaced too) and
// every folder it created, each in the order made. A failed install removes exactly these;
// the uninstall entry keeps those at or below the install folder (see StoreRecord).
struct InstallRecord {
    std::vector<std::string> files;
    std::vector<std::string> folders;
    void AddFile(const std::string& path);  // each path once, whatever its case
    void AddFolder(const std::string& path);
};

struct InstallJob {
    SetupRecord record;
    std::string source;       // installer folder + "\" + disk path
    std::string destination;  // as the user chose it
    bool expand = true;
    InstallRecord created;  // the folders the folder window made for the destination
};

// The progress window (template 129), driven from a worker thread.
class ProgressView {
  public:
    virtual ~ProgressView() = default;
    virtual void SetRange(unsigned upper) = 0;  // 0..upper, step 1, position 0
    virtual void StepIt() = 0;
    virtual unsigned Upper() = 0;
    virtual unsigned Position() = 0;
    virtual void SetPercentText(const std::string& text) = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    virtual void BringToForeground() = 0;
    virtual void Close() = 0;              // with OK
    virtual MessageBoxes& Messages() = 0;  // owned by the progress window
};

// The folder window (template 102) and the windows it opens.
class FolderView {
  public:
    virtual ~FolderView() = default;
    virtual std::string Destination() = 0;
    virtual void SetDestination(const std::string& path) = 0;
    virtual void EnableInputs(bool enable) = 0;  // OK, Cancel, Browse, the edit
    virtual void MakeTopmost() = 0;
    virtual void SetTitle(const std::string& title) = 0;
    virtual std::string LabelTemplate() = 0;
    virtual void SetLabel(const std::string& text) = 0;
    virtual void Close(bool ok) = 0;
    virtual MessageBoxes& Messages() = 0;
    // Modal windows.
    virtual void RunInstallProgress(const InstallJob& job) = 0;
    virtual bool ConfirmUninstall(const std::string& title) = 0;  // true on "はい(&Y)"
    virtual void RunUninstallProgress(const SetupRecord& record) = 0;
};

// Text helpers.
std::string FormatText(const std::string& format, const std::string& value);  // first "%s"
std::string FormatNumber(const std::string& format, long long value);         // first "%d"
std::string UpperAscii(std::string text);
bool EqualNoCase(const std::string& a, const std::string& b);
std::string ReplaceLastThree(const std::string& path, const std::string& with);
std::string FolderOf(const std::string& path);  // cut at the last backslash
std::string NameOf(const std::string& path);    // after the last backslash
// The length of a UTF-8 text in UTF-16 units, as the wide-character API counts it.
std::size_t Utf16Length(const std::string& text);
// One name a folder (or file) can bear: not empty, "." or "..", and none of \ / : * ? " < > |
// or a control character.
bool IsFolderName(const std::string& name);

// Setup information.
std::string SetupFilePath(const std::string& modulePath);
bool ReadSetupInformation(Platform& p, MessageBoxes& boxes, SetupRecord& record);
std::string DefaultDestination(const std::string& windowsDirectory,
                               const std::string& installFolder);

// The switches of a command line in the order they stand: 'U' or 'M'.
std::vector<char> FindSwitches(const std::string& commandLine);

// Folder window.
void SetUpFolderWindow(Platform& p, FolderView& view, SetupRecord& record);
void OnFolderOk(Platform& p, FolderView& view, SetupRecord& record);
// Creates a folder whose ancestors may be missing, adding each folder made to `made`. True
// when it exists afterwards.
bool CreateFolderWithAncestors(InstallFiles& files, const std::string& path, InstallRecord& made);

// Folder browser rules.
std::string BrowseInitialPath(InstallFiles& files, const std::string& defaultDestination);
bool BrowseSelectionAllowed(bool attributesRead, bool isFolder, std::uint32_t attributes,
                            const std::string& path);
std::string BrowseResult(const std::string& picked, const std::string& installFolder);

// Progress: one step of the bar with its status text and the 500 ms pause.
class Progress {
  public:
    Progress(System& system, ProgressView& view) : system_(system), view_(view) {}
    void Start(unsigned steps, const std::string& status);
    void Step(const std::string& status);
    ProgressView& View() { return view_; }

  private:
    System& system_;
    ProgressView& view_;
};

// The source tree: linked folders are neither counted, searched nor copied.
unsigned CountFiles(InstallFiles& files, const std::string& folder);
bool FindRequiredFile(InstallFiles& files, const std::string& name, const std::string& folder);
// The uncompressed size an LZ (SZDD) file's header records; none for another header.
std::optional<std::uint32_t> ExpandedSizeFromHeader(const std::string& head);
// Copies the tree, one step per file, adding what it writes to `written`. Empty on success,
// else the message naming what failed.
std::string CopyTree(InstallFiles& files, Progress& progress, const std::string& source,
                     const std::string& destination, bool expand, InstallRecord& written);
// Removes what an install wrote: its files, then each of its folders that is empty, deepest
// first. Shows nothing; for any caller that has to undo an install.
void RollBack(InstallFiles& files, const InstallRecord& written);
// The install proper; ends the process through the system.
void RunInstallWorker(Platform& p, const InstallJob& job, ProgressView& view);

// Shortcuts and the uninstall entry.
bool FindProgramsFolder(Registry& registry, std::string& folder);
// Adds the group folder (when it makes it) and the shortcut files to `written`.
bool CreateShortcuts(Platform& p, MessageBoxes& boxes, const SetupRecord& record,
                     const std::string& destination, InstallRecord& written);
bool CreateShellLink(Platform& p, MessageBoxes& boxes, const std::string& file,
                     const std::string& group, const std::string& destination,
                     const std::string& name, const std::string& description);
// Writes the entry with the install record; a reinstall into the folder of the entry it
// replaces keeps that entry's record too.
bool WriteUninstallEntry(Platform& p, MessageBoxes& boxes, const SetupRecord& record,
                         const std::string& destination, const InstallRecord& written);

// The install record as the uninstall entry keeps it, relative to the install folder: a file
// or subfolder by its path below the folder, the folder itself as ".", a parent of it that
// the install created as "..", "..\.." and so on. What lies elsewhere (the shortcuts) is
// left out: the uninstall finds the shortcuts by their names.
struct StoredRecord {
    std::vector<std::string> files;
    std::vector<std::string> folders;
};
StoredRecord StoreRecord(const InstallRecord& written, const std::string& installPath);
// False, with `written` empty, when any entry is not such a path (a damaged or hand-made
// record).
bool LoadRecord(const StoredRecord& stored, const std::string& installPath, InstallRecord& written);
// The record under the uninstall entry. False when it is absent or damaged.
bool ReadRecord(RegKey& key, const std::string& installPath, InstallRecord& written);

// Uninstall.
// Stage one (/M). False when it stopped before starting stage two (no uninstall key, or no
// usable "InstallPath").
bool UninstallStageOne(Platform& p, MessageBoxes& boxes, const SetupRecord& record);
// wininit.ini's text with "NUL=<path>" added to its [Rename] section beside the entries
// already there (unchanged when that very entry is there).
std::string AddRenameEntry(const std::string& ini, const std::string& path);
// Stage two (/U).
void UninstallStageTwo(Platform& p, FolderView& view, SetupRecord& record);
void RunUninstallWorker(Platform& p, const SetupRecord& record, ProgressView& view);
// Whether a folder may be uninstalled from as the install folder: a real folder (not a link)
// below a drive root or share, neither a device path nor with "." or ".." parts, holding
// the installed "VXInst.ini".
bool InstallPathIsSafe(InstallFiles& files, const std::string& path);
// Deletes the recorded files, one progress step each (deleted or not) when given progress,
// then removes each recorded folder that is empty, deepest first. Within `base` nothing
// reached through a link is touched.
void RemoveRecorded(InstallFiles& files, Progress* progress, const InstallRecord& written,
                    const std::string& base);

}  // namespace vx::inst
