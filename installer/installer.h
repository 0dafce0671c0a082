// The installer's flows: setup information, the folder window's decisions, the
// install and uninstall workers, shortcuts and the uninstall entry. Portable; the
// windows of installer/win32/ host them through the view interfaces below.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "installer/installer_platform.h"

namespace vx::inst {

// Paths and texts live in 260-byte buffers: at most 259 bytes.
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

struct InstallJob {
    SetupRecord record;
    std::string source;       // installer folder + "\" + disk path
    std::string destination;  // as the user chose it
    bool expand = true;
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
// Creates a folder whose ancestors may be missing. True when it exists afterwards.
bool CreateFolderWithAncestors(InstallFiles& files, const std::string& path);

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

unsigned CountFiles(InstallFiles& files, const std::string& folder);
bool FindRequiredFile(InstallFiles& files, const std::string& name, const std::string& folder);
// Copies the tree, one step per file. Empty on success, else the message naming what failed.
std::string CopyTree(InstallFiles& files, Progress& progress, const std::string& source,
                     const std::string& destination, bool expand);
// The install proper; ends the process through the system.
void RunInstallWorker(Platform& p, const InstallJob& job, ProgressView& view);

// Shortcuts and the uninstall entry.
bool FindProgramsFolder(Registry& registry, std::string& folder);
bool CreateShortcuts(Platform& p, MessageBoxes& boxes, const SetupRecord& record,
                     const std::string& destination);
bool CreateShellLink(Platform& p, MessageBoxes& boxes, const std::string& file,
                     const std::string& group, const std::string& destination,
                     const std::string& name, const std::string& description);
bool WriteUninstallEntry(Platform& p, MessageBoxes& boxes, const SetupRecord& record,
                         const std::string& destination);

// Uninstall.
// Stage one (/M). False when the uninstall key could not be opened.
bool UninstallStageOne(Platform& p, MessageBoxes& boxes, const SetupRecord& record);
// Stage two (/U).
void UninstallStageTwo(Platform& p, FolderView& view, SetupRecord& record);
void RunUninstallWorker(Platform& p, const SetupRecord& record, ProgressView& view);
// Whether a folder may be deleted as the install folder: a real folder below a drive
// root, without "." or ".." parts, holding the installed "VXInst.ini".
bool InstallPathIsSafe(InstallFiles& files, const std::string& path);
// Deletes a folder tree; with progress, one step per deleted file. Links are removed,
// never followed.
void DeleteTree(InstallFiles& files, Progress* progress, const std::string& folder);

}  // namespace vx::inst
