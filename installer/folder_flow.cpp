// The folder window: set-up with the command-line dispatch, the browse rules, and
// the checks on OK that lead to the install.
#include "installer/folder_flow.h"

#include "installer/installer_names.h"
#include "installer/installer_texts.h"
#include "installer/path_text.h"
#include "installer/uninstall_flow.h"

namespace vx::inst {

void SetUpFolderWindow(Platform& p, FolderView& view, SetupRecord& record) {
    const bool readOk = ReadSetupInformation(p, view.Messages(), record);
    if (!readOk) view.Close(false);

    // With no setup information there is no title, folder or key to act on: the
    // uninstall switches are left alone rather than run on empty names.
    if (readOk) {
        for (const char stage : FindSwitches(p.system.CommandLine())) {
            if (stage == 'U') {
                UninstallStageTwo(p, view, record);
            } else {
                UninstallStageOne(p, view.Messages(), record);
            }
            view.Close(false);
        }
    }

    view.MakeTopmost();
    view.SetTitle(record.title);
    view.SetLabel(FormatText(view.LabelTemplate(), record.title));
    view.SetDestination(DefaultDestination(p.system.WindowsDirectory(), record.installFolder));
}

bool CreateFolderWithAncestors(InstallFiles& files, const std::string& path, InstallRecord& made) {
    const FolderResult first = files.CreateFolder(path);
    if (first == FolderResult::Created) made.AddFolder(path);
    if (first == FolderResult::PathNotFound) {
        // Create the deepest missing ancestor that can be made, then try the full path
        // again; each pass makes one more level.
        std::size_t i = path.size();
        while (i > 0) {
            --i;
            if (path[i] != '\\') continue;
            const std::string cut = path.substr(0, i);
            if (!files.Exists(cut) && files.CreateFolder(cut) == FolderResult::Created) {
                made.AddFolder(cut);
                const FolderResult again = files.CreateFolder(path);
                if (again == FolderResult::Created) made.AddFolder(path);
                if (again == FolderResult::Created || again == FolderResult::AlreadyThere) break;
                i = path.size();
            }
        }
    }
    return files.IsFolder(path);
}

bool UsableDestination(const std::string& path) {
    const bool drive = path.size() > 3 && path[1] == ':' && path[2] == '\\' &&
                       ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    if (!drive || Utf16Length(path) > kMaxPath) return false;
    std::string rest = path.substr(3);
    if (rest.back() == '\\') rest.pop_back();
    for (std::size_t start = 0;;) {
        const std::size_t end = rest.find('\\', start);
        if (!IsFolderName(rest.substr(start, end - start))) return false;
        if (end == std::string::npos) return true;
        start = end + 1;
    }
}

namespace {

std::string Resolved(InstallFiles& files, const std::string& path) {
    std::string full = files.FullPath(path);
    while (full.size() > 3 && full.back() == '\\') full.pop_back();
    return full;
}

// Whether `path` lies below `base` (both resolved).
bool IsBelow(const std::string& path, const std::string& base) {
    const std::string prefix = base.back() == '\\' ? base : base + "\\";
    return path.size() > prefix.size() && EqualNoCase(path.substr(0, prefix.size()), prefix);
}

}  // namespace

bool SameFolder(InstallFiles& files, const std::string& a, const std::string& b) {
    return EqualNoCase(Resolved(files, a), Resolved(files, b));
}

bool FoldersOverlap(InstallFiles& files, const std::string& a, const std::string& b) {
    const std::string ra = Resolved(files, a), rb = Resolved(files, b);
    return EqualNoCase(ra, rb) || IsBelow(ra, rb) || IsBelow(rb, ra);
}

std::string SourceFolder(Platform& p, const SetupRecord& record) {
    return FolderOf(p.system.ModulePath()) + "\\" + record.diskPath;
}

std::string InstalledByPackage(Platform& p, const SetupRecord& record) {
    // A 32-bit package on 64-bit Windows marks its install in the 32-bit view only.
    for (const RegRoot root : {RegRoot::LocalMachine, RegRoot::LocalMachine32}) {
        std::string folder;
        auto key = p.registry.Open(root, record.msiMarkKey);
        if (!key || !key->ReadString(text::kMsiMarkValue, folder)) continue;
        while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();  // "[INSTALLDIR]"
        return folder;
    }
    return {};
}

std::string InstalledElsewhere(Platform& p, const SetupRecord& record,
                               const std::string& destination) {
    auto key = p.registry.Open(RegRoot::LocalMachine, record.uninstallKey);
    std::string installed;
    if (!key || !key->ReadString(names::kInstallPathValue, installed)) return {};
    // An entry whose folder is gone (or is no install) is replaced by the new one.
    if (!InstallPathIsSafe(p.files, installed) || SameFolder(p.files, installed, destination)) {
        return {};
    }
    return installed;
}

DestinationCheck CheckDestination(Platform& p, const SetupRecord& record,
                                  const std::string& destination, const std::string& source) {
    auto refuse = [](DestinationProblem problem, const std::string& message) {
        return DestinationCheck{problem, message};
    };
    if (Utf16Length(destination) > kMaxPath) {
        return refuse(DestinationProblem::TooLong, text::kDestinationTooLong);
    }
    // A full path below a drive root with no "." or ".." part: the folder the user reads is
    // the folder the files go to, and the uninstall accepts it.
    if (!UsableDestination(destination)) {
        return refuse(DestinationProblem::NotAFolderPath, text::kSpecifyDestination);
    }
    if (!p.files.DriveRootExists(destination.substr(0, 3))) {
        return refuse(DestinationProblem::NoDrive, text::kSpecifyDestination);
    }
    if (p.files.Exists(destination) && !p.files.IsFolder(destination)) {
        return refuse(DestinationProblem::NotAFolder, text::kSpecifyDestination);
    }
    if (p.files.IsLink(destination)) {
        return refuse(DestinationProblem::Link, text::kDestinationIsLink);
    }
    if (FoldersOverlap(p.files, destination, source)) {
        return refuse(DestinationProblem::HoldsSource, text::kDestinationHoldsSource);
    }
    // The package's install, wherever it is: one machine, one install, one record of it.
    const std::string packaged = InstalledByPackage(p, record);
    if (!packaged.empty()) {
        return refuse(DestinationProblem::InstalledByPackage,
                      FormatText(text::kInstalledByMsi, packaged));
    }
    const std::string elsewhere = InstalledElsewhere(p, record, destination);
    if (!elsewhere.empty()) {
        return refuse(DestinationProblem::InstalledElsewhere,
                      FormatText(text::kInstalledElsewhere, elsewhere));
    }
    return {};
}

void OnFolderOk(Platform& p, FolderView& view, SetupRecord& record) {
    MessageBoxes& boxes = view.Messages();
    view.EnableInputs(false);
    const std::string destination = view.Destination();
    const std::string root = destination.substr(0, 3);

    // A path the system cannot take is refused as it stands: the user sees it and why. The
    // same check as silent mode's, before anything is written.
    const DestinationCheck check =
        CheckDestination(p, record, destination, SourceFolder(p, record));
    if (check.problem != DestinationProblem::None) {
        boxes.Show(check.message, record.title, MsgStyle::Information);
        if (check.problem == DestinationProblem::NoDrive) {
            view.SetDestination(
                DefaultDestination(p.system.WindowsDirectory(), record.installFolder));
        }
        view.EnableInputs(true);
        return;
    }

    const std::uint64_t freeMb = p.files.FreeBytes(root) >> 20;
    if (freeMb < record.requiredMb) {
        boxes.Show(FormatNumber(text::kNoFreeSpace, static_cast<long long>(record.requiredMb)),
                   record.title, MsgStyle::Information);
        view.EnableInputs(true);
        return;
    }

    InstallRecord made;
    if (!p.files.Exists(destination)) {
        const Answer create = boxes.Show(FormatText(text::kCreateFolderQuestion, destination),
                                         record.title, MsgStyle::YesNoExclamation);
        if (create != Answer::Yes) {
            boxes.Show(text::kSpecifyDestination, record.title, MsgStyle::Information);
            view.EnableInputs(true);
            return;
        }
        if (!CreateFolderWithAncestors(p.files, destination, made)) {
            RollBack(p.files, made);  // the ancestors that could be made
            boxes.Show(FormatText(text::kFolderNotCreated, destination), record.title,
                       MsgStyle::Error);
            view.EnableInputs(true);
            return;
        }
    }

    boxes.Show(text::kInstallBegins, record.title, MsgStyle::Information);

    record.installFolder = destination;
    view.RunInstallProgress(MakeInstallJob(p, record, destination, made, false));

    view.Close(true);
    view.EnableInputs(true);
}

std::string BrowseInitialPath(InstallFiles& files, const std::string& defaultDestination) {
    if (files.Exists(defaultDestination)) return defaultDestination;
    return FolderOf(defaultDestination);
}

bool BrowseSelectionAllowed(bool attributesRead, bool isFolder, std::uint32_t attributes,
                            const std::string& path) {
    // read-only, hidden, system, temporary, compressed, offline
    constexpr std::uint32_t kRefused = 0x1 | 0x2 | 0x4 | 0x100 | 0x800 | 0x1000;
    if (!attributesRead) return false;
    if (isFolder && (attributes & kRefused) == 0) return true;
    return path.find("Program Files") != std::string::npos;
}

std::string BrowseResult(const std::string& picked, const std::string& installFolder) {
    std::string path = picked;
    if (path.empty() || path.back() != '\\') path += '\\';
    return path + installFolder;
}

}  // namespace vx::inst
