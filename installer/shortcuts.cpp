// The Start-menu group with its two shortcuts, and the uninstall entry.
#include "installer/installer.h"
#include "installer/installer_texts.h"

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
                     const std::string& destination) {
    std::string programs;
    if (!FindProgramsFolder(p.registry, programs)) {
        boxes.Show(text::kInstallInfoMissing, record.title, MsgStyle::Error);
        return false;
    }
    const std::string group = programs + "\\" + record.title;
    p.files.CreateFolder(group);
    p.system.OpenFolderWindow(group);

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
        if (!CreateShellLink(p, boxes, l.file, group, destination, l.name, l.description)) {
            // A group with a missing shortcut is not left behind.
            DeleteTree(p.files, nullptr, group);
            boxes.Show(FormatText(text::kFileNotInstalled, group + "\\" + l.name + ".LNK"),
                       record.title, MsgStyle::Error);
            return false;
        }
    }
    return true;
}

bool WriteUninstallEntry(Platform& p, MessageBoxes& boxes, const SetupRecord& record,
                         const std::string& destination) {
    auto key = p.registry.Create(RegRoot::LocalMachine, record.uninstallKey);
    if (!key) {
        boxes.Show(text::kRegistryWriteFailed, record.title, MsgStyle::Error);
        return false;
    }
    // The title was refused on reading when longer than the 49 bytes DisplayName holds.
    if (key->WriteString("DisplayName", record.title)) {
        const std::string icon = destination + "\\Vxinst.exe";
        key->WriteString("InstallPath", destination);
        key->WriteString("DisplayIcon", icon);
        key->WriteString("UninstallString", icon + " /M");
    }
    return true;
}

}  // namespace vx::inst
