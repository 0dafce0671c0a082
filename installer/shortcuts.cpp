// The Start-menu group with its two shortcuts, and the uninstall entry.
#include "installer/shortcuts.h"

#include "installer/installer_names.h"
#include "installer/installer_texts.h"
#include "installer/path_text.h"
#include "vx_version.h"

namespace vx::inst {

bool FindProgramsFolder(Registry& registry, std::string& folder) {
    if (auto key = registry.Open(RegRoot::LocalMachine, text::kShellFoldersHklm)) {
        if (key->ReadString("Common Programs", folder) && !folder.empty()) return true;
    }
    if (auto key = registry.Open(RegRoot::Users, text::kShellFoldersDefaultUser)) {
        if (key->ReadString("Programs", folder) && !folder.empty()) return true;
    }
    folder.clear();
    return false;
}

namespace {

// The running program's file name without its extension.
std::string ProgramName(System& system) {
    const std::string name = NameOf(system.ModulePath());
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace

bool CreateShellLink(Platform& p, MessageBoxes& boxes, const std::string& file,
                     const std::string& group, const std::string& destination,
                     const std::string& name, const std::string& description) {
    const std::string target = destination + "\\" + file;
    const std::string linkPath = group + "\\" + name + ".LNK";
    auto link = p.links.Create();
    if (!link) return false;

    const std::string caption = ProgramName(p.system);
    if (!link->SetPath(target)) boxes.Show(text::kSetPathFailed, caption, MsgStyle::PlainOk);
    if (!link->SetDescription(description)) {
        boxes.Show(text::kSetDescriptionFailed, caption, MsgStyle::PlainOk);
    }
    if (!link->SetWorkingDirectory(destination)) {
        boxes.Show(text::kSetWorkingDirectoryFailed, caption, MsgStyle::PlainOk);
    }
    const bool saved = link->Save(linkPath);
    if (!saved) boxes.Show(text::kSaveFailed, caption, MsgStyle::PlainOk);
    return saved;
}

bool CreateShortcuts(Platform& p, MessageBoxes& boxes, const SetupRecord& record,
                     const std::string& destination, InstallRecord& written, bool showGroup) {
    std::string programs;
    if (!FindProgramsFolder(p.registry, programs)) {
        boxes.Show(text::kInstallInfoMissing, record.title, MsgStyle::Error);
        return false;
    }
    const std::string group = programs + "\\" + record.title;
    if (p.files.CreateFolder(group) == FolderResult::Created) written.AddFolder(group);
    if (showGroup) p.system.OpenFolderWindow(group);

    const struct {
        const std::string& file;
        std::string name;
        std::string description;
    } links[] = {
        {record.programFile, record.title,
         FormatText(text::kProgramDescription, record.printerName)},
        {record.helpFile, text::kHelpShortcutName,
         FormatText(text::kHelpDescription, record.printerName)},
    };
    for (const auto& l : links) {
        const std::string linkPath = group + "\\" + l.name + ".LNK";
        if (!KeepEarlier(p.files, linkPath, written) ||
            !CreateShellLink(p, boxes, l.file, group, destination, l.name, l.description)) {
            boxes.Show(FormatText(text::kFileNotInstalled, linkPath), record.title,
                       MsgStyle::Error);
            return false;
        }
    }
    return true;
}

namespace {

std::string Trimmed(std::string path) {
    while (path.size() > 1 && path.back() == '\\') path.pop_back();
    return path;
}

void WriteRecord(RegKey& key, const StoredRecord& stored) {
    key.WriteStrings(text::kInstalledFiles, stored.files);
    key.WriteStrings(text::kInstalledFolders, stored.folders);
}

}  // namespace

bool WriteUninstallEntry(Platform& p, MessageBoxes& boxes, const SetupRecord& record,
                         const std::string& destination, const InstallRecord& written) {
    // A reinstall into the same folder: what the earlier install made (the folder itself,
    // above all) is still the install's to remove.
    InstallRecord all;
    if (auto earlier = p.registry.Open(RegRoot::LocalMachine, record.uninstallKey)) {
        std::string path;
        if (earlier->ReadString(names::kInstallPathValue, path) &&
            EqualNoCase(Trimmed(path), Trimmed(destination))) {
            ReadRecord(*earlier, destination, all);
        }
    }
    for (const std::string& f : written.files) all.AddFile(f);
    for (const std::string& f : written.folders) all.AddFolder(f);

    auto key = p.registry.Create(RegRoot::LocalMachine, record.uninstallKey);
    if (!key) {
        boxes.Show(text::kRegistryWriteFailed, record.title, MsgStyle::Error);
        return false;
    }
    // The title was refused on reading when longer than the 49 bytes DisplayName holds.
    if (key->WriteString("DisplayName", record.title)) {
        const std::string icon = destination + "\\" + names::kListedInstallerFile;
        key->WriteString(names::kInstallPathValue, destination);
        key->WriteString("DisplayIcon", icon);
        key->WriteString("UninstallString", icon + " /M");
        key->WriteString("DisplayVersion", VX_VERSION_TEXT);
        key->WriteString("Publisher", text::kPublisher);
        key->WriteString("InstallLocation", destination);
        key->WriteNumber("EstimatedSize", EstimatedSizeKb(p.files, all));
        key->WriteNumber("NoModify", 1);
        key->WriteNumber("NoRepair", 1);
        // Quoted, unlike UninstallString (written as it always was): a path with blanks is
        // otherwise open to a program placed at its first blank ("C:\\Program.exe").
        key->WriteString("QuietUninstallString", "\"" + icon + "\" /M /S");
        WriteRecord(*key, StoreRecord(all, destination));
    }
    return true;
}

std::uint32_t EstimatedSizeKb(InstallFiles& files, const InstallRecord& written) {
    std::uint64_t bytes = 0;
    for (const std::string& f : written.files) bytes += files.FileSize(f).value_or(0);
    const std::uint64_t kb = (bytes + 1023) / 1024;
    return kb > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(kb);
}

}  // namespace vx::inst
