// The two-stage uninstall. Stage one runs the installed copy, puts a copy of the
// installer into the temporary folder and starts it; stage two, running from there,
// removes the group, the uninstall entry and the install folder.
#include "installer/uninstall_flow.h"

#include "installer/install_record.h"
#include "installer/installer_names.h"
#include "installer/installer_texts.h"
#include "installer/path_text.h"
#include "installer/shortcuts.h"

namespace vx::inst {

namespace {

std::string WithoutTrailingBackslash(std::string path) {
    while (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
}

// The two shortcuts the install made, then the group folder when that leaves it empty.
bool RemoveShortcutGroup(Platform& p, MessageBoxes& boxes, const SetupRecord& record) {
    std::string programs;
    if (!FindProgramsFolder(p.registry, programs)) {
        boxes.Show(text::kUninstallInfoMissing, record.title, MsgStyle::Error);
        return false;
    }
    const std::string group = programs + "\\" + record.title;
    for (const std::string& name : {record.title, std::string(text::kHelpShortcutName)}) {
        const std::string link = group + "\\" + name + ".LNK";
        p.files.SetNormalAttributes(link);
        p.files.Delete(link);
    }
    p.files.RemoveFolder(group);
    return true;
}

// `scheduled` tells whether anything was left for the next start.
bool RemoveUninstallEntry(Platform& p, MessageBoxes& boxes, const SetupRecord& record,
                          Progress& progress, const InstallRecord& written, bool* scheduled) {
    progress.Step(text::kRemovingRegistry);
    auto key = p.registry.Open(RegRoot::LocalMachine, record.uninstallKey);
    if (!key) {
        boxes.Show(text::kRegistryMissing, record.title, MsgStyle::Error);
        return false;
    }
    std::string installPath;
    if (!key->ReadString(names::kInstallPathValue, installPath)) {
        boxes.Show(text::kRegistryUnreadable, record.title, MsgStyle::Error);
        return false;
    }
    // Checked before the key goes, so a refused uninstall can be run again.
    if (!InstallPathIsSafe(p.files, installPath)) {
        boxes.Show(text::kInstallPathMissing, record.title, MsgStyle::Error);
        return false;
    }
    if (!key->DeleteSelf()) {
        boxes.Show(text::kRegistryNotDeleted, record.title, MsgStyle::Error);
        return false;
    }
    // What a program still holds goes at the next start, the folders it keeps after it.
    for (const std::string& path : RemoveRecorded(p.files, &progress, written, installPath)) {
        if (!DeleteAtNextStart(p, path)) {
            boxes.Show(FormatText(text::kFileInUse, path), record.title, MsgStyle::Error);
            return false;
        }
        *scheduled = true;
    }
    return true;
}

}  // namespace

std::string PrepareStageTwo(Platform& p, MessageBoxes& boxes, const SetupRecord& record,
                            std::string* installFolder) {
    std::string tempProgram =
        WithoutTrailingBackslash(p.system.TempPath()) + "\\" + names::kListedInstallerFile;
    const std::string tempSetup = ReplaceLastThree(tempProgram, "ini");
    p.files.SetNormalAttributes(tempProgram);
    p.files.Delete(tempProgram);  // a leftover of an earlier uninstall

    auto key = p.registry.Open(RegRoot::LocalMachine, record.uninstallKey);
    if (!key) {
        boxes.Show(text::kUninstallInfoMissing, record.title, MsgStyle::Error);
        return {};
    }
    std::string installPath;
    const bool read = key->ReadString(names::kInstallPathValue, installPath);
    key.reset();
    // Nothing is copied from a folder that stage two would refuse (nor from the drive root
    // an empty path would name).
    if (!read || !InstallPathIsSafe(p.files, installPath)) {
        boxes.Show(text::kInstallPathMissing, record.title, MsgStyle::Error);
        return {};
    }
    // An installed copy uninstalls its own install only: the entry may name another folder.
    const std::string own = FolderOf(p.system.ModulePath());
    if (!SameFolder(p.files, own, installPath) &&
        p.files.Exists(SetupFilePath(p.system.ModulePath())) &&
        p.files.Exists(own + "\\" + record.programFile)) {
        boxes.Show(FormatText(text::kOtherInstall, installPath), record.title, MsgStyle::Error);
        return {};
    }

    const std::string installedProgram =
        WithoutTrailingBackslash(installPath) + "\\" + names::kInstallerFile;
    p.files.SetNormalAttributes(tempProgram);
    if (const unsigned error = p.files.Copy(installedProgram, tempProgram)) {
        boxes.Show(FormatNumber(text::kErrorNumber, error), text::kUninstallerStartError,
                   MsgStyle::PlainOk);
    }
    p.files.SetNormalAttributes(tempSetup);
    p.files.Copy(ReplaceLastThree(installedProgram, "ini"), tempSetup);

    DeleteAtNextStart(p, tempProgram);
    if (installFolder) *installFolder = WithoutTrailingBackslash(installPath);
    // Out of the install folder (a prompt or a double-click may have started it there):
    // a process's working folder cannot be removed, and stage two inherits it.
    p.system.SetWorkingFolder(FolderOf(tempProgram));
    return tempProgram;
}

std::string TempSetupCopy(System& system) {
    return FormatText("%s\\VxInst.ini", system.TempPath());
}

bool DeleteAtNextStart(Platform& p, const std::string& path) {
    if (p.system.Version().NtFamily()) return p.system.DeleteAtRestart(path);
    // Beside any other program's pending deletion, never in its place; the file's bytes
    // are kept as they are, whatever code page another program wrote its lines in.
    const std::string wininit = p.system.WindowsDirectory() + "\\wininit.ini";
    std::string ini;
    if (p.files.ReadBytes(wininit, ini) || !p.files.Exists(wininit)) {
        return p.files.WriteBytes(wininit, AddRenameEntry(ini, p.system.AnsiText(path)));
    }
    return false;
}

bool UninstallStageOne(Platform& p, MessageBoxes& boxes, const SetupRecord& record) {
    const std::string tempProgram = PrepareStageTwo(p, boxes, record);
    if (tempProgram.empty()) return false;
    for (int attempt = 0; attempt < kStageTwoStartTries; ++attempt) {
        p.system.Sleep(kStageTwoStartPauseMs);
        if (p.system.StartProcess(tempProgram, " /U")) break;
    }
    return true;
}

namespace {

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::string AddRenameEntry(const std::string& ini, const std::string& path) {
    // The lines, each with its end.
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < ini.size();) {
        const auto end = ini.find('\n', at);
        const std::size_t next = end == std::string::npos ? ini.size() : end + 1;
        lines.push_back(ini.substr(at, next - at));
        at = next;
    }
    auto content = [&](std::size_t i) {
        return Trim(lines[i].substr(0, lines[i].find_first_of("\r\n")));
    };
    auto endLine = [&](std::size_t i) {
        if (lines[i].back() != '\n') lines[i] += "\r\n";
    };

    std::size_t section = 0;
    while (section < lines.size() && !EqualNoCase(content(section), "[Rename]")) ++section;
    std::size_t insertAt = section + 1;  // after the section's last entry
    if (section == lines.size()) {
        if (!lines.empty()) endLine(lines.size() - 1);
        lines.push_back("[Rename]\r\n");
    } else {
        for (std::size_t i = section + 1; i < lines.size(); ++i) {
            const std::string c = content(i);
            if (!c.empty() && c[0] == '[') break;
            if (c.empty()) continue;
            insertAt = i + 1;
            const auto equals = c.find('=');
            if (equals != std::string::npos && EqualNoCase(Trim(c.substr(0, equals)), "NUL") &&
                EqualNoCase(Trim(c.substr(equals + 1)), path)) {
                return ini;  // already pending
            }
        }
        endLine(insertAt - 1);
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), "NUL=" + path + "\r\n");
    std::string out;
    for (const std::string& line : lines) out += line;
    return out;
}

void UninstallStageTwo(Platform& p, FolderView& view, SetupRecord& record) {
    // Without its setup information the uninstall has no title or key to work with.
    if (!ReadSetupInformation(p, view.Messages(), record)) return;
    if (view.ConfirmUninstall(record.title)) {
        view.RunUninstallProgress(record);
        p.files.Delete(TempSetupCopy(p.system));
    } else {
        view.Messages().Show(text::kUninstallCancelled, record.title, MsgStyle::Information);
    }
}

bool RunUninstallWorker(Platform& p, const SetupRecord& record, ProgressView& view) {
    MessageBoxes& boxes = view.Messages();
    Progress progress(p.system, view);
    auto finish = [&](bool done = false) {
        view.Close();
        if (view.Paced()) p.system.Sleep(kEndPauseMs);
        return done;
    };

    // Where the install lies, and what it wrote there.
    if (!RemoveShortcutGroup(p, boxes, record)) return finish();
    std::string installPath;
    InstallRecord written;
    bool recorded = false;
    {
        auto key = p.registry.Open(RegRoot::LocalMachine, record.uninstallKey);
        if (!key) {
            boxes.Show(text::kUninstallInfoMissing, record.title, MsgStyle::Error);
            return finish();
        }
        if (!key->ReadString(names::kInstallPathValue, installPath) ||
            !InstallPathIsSafe(p.files, installPath)) {
            boxes.Show(text::kInstallPathMissing, record.title, MsgStyle::Error);
            return finish();
        }
        // Without a record nothing in the folder is deleted.
        recorded = ReadRecord(*key, installPath, written);
    }

    // Shortcuts, registry, then one step per recorded file.
    const auto n = static_cast<unsigned>(written.files.size());
    progress.Start(n + 2, text::kUninstallStarting);
    progress.Step(text::kRemovingShortcuts);
    if (!RemoveShortcutGroup(p, boxes, record)) return finish();
    bool scheduled = false;
    if (!RemoveUninstallEntry(p, boxes, record, progress, written, &scheduled)) return finish();
    const std::string done = !recorded   ? FormatText(text::kUninstallDoneFolderLeft, installPath)
                             : scheduled ? std::string(text::kUninstallDoneAtRestart)
                                         : std::string(text::kUninstallDone);
    boxes.Show(done, record.title, MsgStyle::Information);
    return finish(true);
}

}  // namespace vx::inst
