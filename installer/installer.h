// The installer's flows: setup information, the folder window's decisions, the
// install and uninstall workers, shortcuts and the uninstall entry. Portable; the
// windows of installer/win32/ host them through the view interfaces below.
#pragma once

#include <cstdint>
#include <map>
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
    std::string msiMarkKey;     // where the Windows Installer package marks its install
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
    // The files that were there before the install wrote its own: each kept aside under
    // another name until the install is over, so a failed install puts it back.
    struct Kept {
        std::string path, keptAs;
    };
    std::vector<Kept> replaced;
    void AddFile(const std::string& path);  // each path once, whatever its case
    void AddFolder(const std::string& path);
};
// Readies `path` for a file this install writes: the path is recorded, and a file already
// there from before is kept aside. False, with nothing changed, when that earlier file
// cannot be kept aside (a program holds it, or a folder stands in its place).
bool KeepEarlier(InstallFiles& files, const std::string& path, InstallRecord& written);

using Checksums = std::map<std::string, std::uint32_t>;
// "NAME:XXXXXXXX,..." (hexadecimal CRC-32s) read into checksums by upper-case name; an entry
// that is not of that form is left out.
Checksums ParseChecksums(const std::string& text);
// The CRC-32 (as zlib and the medium's maker compute it) of some bytes.
std::uint32_t Crc32(const std::string& bytes);

struct InstallJob {
    SetupRecord record;
    std::string source;       // installer folder + "\" + disk path
    std::string destination;  // as the user chose it
    bool expand = true;
    InstallRecord created;  // the folders the folder window made for the destination
    // The CRC-32 of what each compressed file of the medium expands to, by its stored name
    // in upper case (the setup file's "CHECKSUMS"): an expansion must give exactly these bytes.
    Checksums checksums;
    // Silent mode: no group window, no help question, exit code 1 for every failure, and
    // an uninstall entry that cannot be written is a failure too.
    bool silent = false;
};
// The job that installs `record` from the medium this installer runs from into `destination`.
InstallJob MakeInstallJob(Platform& p, SetupRecord record, const std::string& destination,
                          const InstallRecord& created, bool silent);

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
    // Whether someone watches: the steps are paced for the eye only then.
    virtual bool Paced() { return true; }
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

// What a command line asks for. Its arguments are split at blanks, double quotes grouping
// and dropped; the program's own name (the first one) is never read, and a switch counts
// only as a whole argument.
struct Invocation {
    std::vector<char> stages;       // 'M' (/M, /m) and 'U' (/U, /u) in the order they stand
    bool silent = false;            // /S or /s
    std::string destination;        // /D=<folder>: the rest of the line, blanks kept, no quotes
    bool destinationGiven = false;  // /D= stood in the line (an empty folder is refused)
    std::string logFile;            // /LOG=<file>
};
Invocation ParseInvocation(const std::string& commandLine);
// The switches of a command line in the order they stand: 'U' or 'M'.
std::vector<char> FindSwitches(const std::string& commandLine);
// The right to install: on the NT family, full access to the service control manager.
bool HasInstallRight(System& system);

// What is wrong with a destination, the same for the folder window and silent mode.
enum class DestinationProblem {
    None,
    TooLong,             // beyond the path length the system takes
    NotAFolderPath,      // not a full path below a drive root, or a part no folder can bear
    NoDrive,             // the drive is not there
    NotAFolder,          // a file of that name
    Link,                // a junction or symbolic link: the uninstall would refuse it
    HoldsSource,         // the distribution folder, inside it, or holding it
    InstalledElsewhere,  // an install in another folder is still there
    InstalledByPackage,  // the Windows Installer package's install is there (any folder)
};
struct DestinationCheck {
    DestinationProblem problem = DestinationProblem::None;
    std::string message;  // what the user is told; empty when fine
};
// Whether `path` can be a destination as it stands: a full path below a drive root
// ("X:\folder..."), every part a name a folder can bear.
bool UsableDestination(const std::string& path);
// Checks a destination before anything is written. `source` is the distribution folder.
DestinationCheck CheckDestination(Platform& p, const SetupRecord& record,
                                  const std::string& destination, const std::string& source);
// Whether two paths name one folder once resolved; whether, besides, one lies below the other.
bool SameFolder(InstallFiles& files, const std::string& a, const std::string& b);
bool FoldersOverlap(InstallFiles& files, const std::string& a, const std::string& b);
// The folder the Windows Installer package installed into, while its mark is there; empty
// otherwise. That install is the package's to update and remove: VXInst keeps out of it.
std::string InstalledByPackage(Platform& p, const SetupRecord& record);
// The folder an install in another folder than `destination` lies in, when the uninstall
// entry names one that is still there; empty otherwise.
std::string InstalledElsewhere(Platform& p, const SetupRecord& record,
                               const std::string& destination);
// The distribution folder of the medium this installer runs from.
std::string SourceFolder(Platform& p, const SetupRecord& record);

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
                     const std::string& destination, bool expand, InstallRecord& written,
                     const Checksums& checksums = {});
// Undoes an install: the files it created go, each file it replaced is put back, then each
// folder it made goes when empty, deepest first. Shows nothing; for any caller that has to
// undo an install.
void RollBack(InstallFiles& files, const InstallRecord& written);
// After a successful install: the earlier files kept aside go, now or at the next start.
// Returns those left for the next start (a running program's).
std::vector<std::string> DropKeptFiles(Platform& p, const InstallRecord& written);
// The install proper; ends the process through the system.
void RunInstallWorker(Platform& p, const InstallJob& job, ProgressView& view);

// Shortcuts and the uninstall entry.
bool FindProgramsFolder(Registry& registry, std::string& folder);
// Adds the group folder (when it makes it) and the shortcut files to `written`. The group
// is shown in a shell window unless `showGroup` is false (silent mode).
bool CreateShortcuts(Platform& p, MessageBoxes& boxes, const SetupRecord& record,
                     const std::string& destination, InstallRecord& written, bool showGroup = true);
bool CreateShellLink(Platform& p, MessageBoxes& boxes, const std::string& file,
                     const std::string& group, const std::string& destination,
                     const std::string& name, const std::string& description);
// Writes the entry with the install record; a reinstall into the folder of the entry it
// replaces keeps that entry's record too. After the four values the system's list of
// programs has always read come the ones it reads today: version, publisher, location,
// size, no modify or repair, and the silent uninstall command.
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

// The size of the installed files in kilobytes, rounded up (the entry's EstimatedSize).
std::uint32_t EstimatedSizeKb(InstallFiles& files, const InstallRecord& written);

// Uninstall.
// Stage one's preparation: the temporary copies of the installer and its setup file, and
// the copy's deletion at restart. The copy's path, or empty when stage one stopped (no
// uninstall key, or no usable "InstallPath") after its message; `installFolder` receives
// the install folder.
std::string PrepareStageTwo(Platform& p, MessageBoxes& boxes, const SetupRecord& record,
                            std::string* installFolder = nullptr);
// Has a file (or an empty folder) deleted at the next system start: the system's delayed
// deletion on the NT family, an entry in "wininit.ini" [Rename] on the 9x family.
// False when it could not be registered.
bool DeleteAtNextStart(Platform& p, const std::string& path);
// Stage one (/M). False when it stopped before starting stage two.
bool UninstallStageOne(Platform& p, MessageBoxes& boxes, const SetupRecord& record);
// wininit.ini's bytes with "NUL=<path>" added to its [Rename] section beside the entries
// already there (unchanged when that very entry is there); every other line is copied
// byte for byte. `path` is in the file's code page.
std::string AddRenameEntry(const std::string& ini, const std::string& path);
// Stage two (/U).
void UninstallStageTwo(Platform& p, FolderView& view, SetupRecord& record);
// True when the uninstall went through to its end.
bool RunUninstallWorker(Platform& p, const SetupRecord& record, ProgressView& view);
// Whether a folder may be uninstalled from as the install folder: a real folder (not a link)
// below a drive root or share, neither a device path nor with "." or ".." parts, holding
// the installed "VXInst.ini".
bool InstallPathIsSafe(InstallFiles& files, const std::string& path);
// Deletes the recorded files, one progress step each (deleted or not) when given progress,
// then removes each recorded folder that is empty, deepest first. Within `base` nothing
// reached through a link is touched. Returns what is left that should have gone: the
// recorded files that could not be deleted (a program holds them), then the recorded
// folders that hold nothing else yet could not be removed, deepest first.
std::vector<std::string> RemoveRecorded(InstallFiles& files, Progress* progress,
                                        const InstallRecord& written, const std::string& base);

}  // namespace vx::inst
