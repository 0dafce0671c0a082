// The folder window's decisions: its set-up, the checks on a destination (shared with
// silent mode), the start of the install, and the folder browser's rules.
#pragma once

#include <cstdint>
#include <string>

#include "installer/install_flow.h"
#include "installer/install_record.h"
#include "installer/installer_platform.h"
#include "installer/setup_info.h"

namespace vx::inst {

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

}  // namespace vx::inst
