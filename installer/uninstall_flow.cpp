// The two-stage uninstall. Stage one runs the installed copy, puts a copy of the
// installer into the temporary folder and starts it; stage two, running from there,
// removes the group, the uninstall entry and the install folder.
#include "installer/installer.h"
#include "installer/installer_texts.h"

namespace vx::inst {

namespace {

std::string WithoutTrailingBackslash(std::string path) {
    while (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
}

bool RemoveShortcutGroup(Platform& p, MessageBoxes& boxes, const SetupRecord& record) {
    std::string programs;
    if (!FindProgramsFolder(p.registry, programs)) {
        boxes.Show(text::kUninstallInfoMissing, record.title, MsgStyle::Error);
        return false;
    }
    DeleteTree(p.files, nullptr, programs + "\\" + record.title);
    return true;
}

bool RemoveUninstallEntry(Platform& p, MessageBoxes& boxes, const SetupRecord& record,
                          Progress& progress) {
    progress.Step(text::kRemovingRegistry);
    auto key = p.registry.Open(RegRoot::LocalMachine, record.uninstallKey);
    if (!key) {
        boxes.Show(text::kRegistryMissing, record.title, MsgStyle::Error);
        return false;
    }
    std::string installPath;
    if (!key->ReadString("InstallPath", installPath)) {
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
    DeleteTree(p.files, &progress, installPath);
    return true;
}

}  // namespace

bool UninstallStageOne(Platform& p, MessageBoxes& boxes, const SetupRecord& record) {
    const std::string tempProgram = WithoutTrailingBackslash(p.system.TempPath()) + "\\Vxinst.exe";
    const std::string tempSetup = ReplaceLastThree(tempProgram, "ini");
    p.files.SetNormalAttributes(tempProgram);
    p.files.Delete(tempProgram);  // a leftover of an earlier uninstall

    auto key = p.registry.Open(RegRoot::LocalMachine, record.uninstallKey);
    if (!key) {
        boxes.Show(text::kUninstallInfoMissing, record.title, MsgStyle::Error);
        return false;
    }
    std::string installPath;
    if (!key->ReadString("InstallPath", installPath)) installPath.clear();
    key.reset();

    const std::string installedProgram = installPath + "\\VxInst.exe";
    p.files.SetNormalAttributes(tempProgram);
    if (const unsigned error = p.files.Copy(installedProgram, tempProgram)) {
        boxes.Show(FormatNumber(text::kErrorNumber, error), text::kUninstallerStartError,
                   MsgStyle::PlainOk);
    }
    p.files.SetNormalAttributes(tempSetup);
    p.files.Copy(ReplaceLastThree(installedProgram, "ini"), tempSetup);

    if (p.system.Version().NtFamily()) {
        p.system.DeleteAtRestart(tempProgram);
    } else {
        p.system.WriteIniString(p.system.WindowsDirectory() + "\\wininit.ini", "Rename", "NUL",
                                tempProgram);
    }

    for (int attempt = 0; attempt < 5; ++attempt) {
        p.system.Sleep(100);
        if (p.system.StartProcess(tempProgram, " /U")) break;
    }
    return true;
}

void UninstallStageTwo(Platform& p, FolderView& view, SetupRecord& record) {
    // Without its setup information the uninstall has no title or key to work with.
    if (!ReadSetupInformation(p, view.Messages(), record)) return;
    if (view.ConfirmUninstall(record.title)) {
        view.RunUninstallProgress(record);
        p.files.Delete(FormatText("%s\\VxInst.ini", p.system.TempPath()));
    } else {
        view.Messages().Show(text::kUninstallCancelled, record.title, MsgStyle::Information);
    }
}

void RunUninstallWorker(Platform& p, const SetupRecord& record, ProgressView& view) {
    MessageBoxes& boxes = view.Messages();
    Progress progress(p.system, view);
    auto finish = [&] {
        view.Close();
        p.system.Sleep(1000);
    };

    // Where the install lies.
    if (!RemoveShortcutGroup(p, boxes, record)) return finish();
    std::string installPath;
    {
        auto key = p.registry.Open(RegRoot::LocalMachine, record.uninstallKey);
        if (!key) {
            boxes.Show(text::kUninstallInfoMissing, record.title, MsgStyle::Error);
            return finish();
        }
        if (!key->ReadString("InstallPath", installPath) ||
            !InstallPathIsSafe(p.files, installPath)) {
            boxes.Show(text::kInstallPathMissing, record.title, MsgStyle::Error);
            return finish();
        }
    }

    const unsigned n = CountFiles(p.files, installPath);
    progress.Start(n + 2, text::kUninstallStarting);
    progress.Step(text::kRemovingShortcuts);
    if (!RemoveShortcutGroup(p, boxes, record)) return finish();
    if (!RemoveUninstallEntry(p, boxes, record, progress)) return finish();
    boxes.Show(text::kUninstallDone, record.title, MsgStyle::Information);
    finish();
}

bool InstallPathIsSafe(InstallFiles& files, const std::string& path) {
    if (path.empty() || path.size() > kMaxPath) return false;

    // Split into parts on either separator.
    std::vector<std::string> parts;
    std::string part;
    for (const char c : path + "\\") {
        if (c == '\\' || c == '/') {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    for (const std::string& s : parts) {
        if (s == "." || s == "..") return false;
    }
    auto namedParts = [&](std::size_t from) {
        std::size_t n = 0;
        for (std::size_t i = from; i < parts.size(); ++i) n += parts[i].empty() ? 0 : 1;
        return n;
    };

    const bool unc = path.size() > 2 && (path[0] == '\\' || path[0] == '/') &&
                     (path[1] == '\\' || path[1] == '/');
    const bool drive = path.size() > 2 && path[1] == ':' && (path[2] == '\\' || path[2] == '/') &&
                       ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    if (unc) {
        if (namedParts(2) < 3) return false;  // server, share, and a folder below them
    } else if (drive) {
        if (namedParts(1) < 1) return false;  // not the drive root
    } else {
        return false;  // relative paths are never deleted
    }

    const std::string setupFile = WithoutTrailingBackslash(path) + "\\VXInst.ini";
    return files.IsFolder(path) && files.Exists(setupFile) && !files.IsFolder(setupFile);
}

void DeleteTree(InstallFiles& files, Progress* progress, const std::string& folder) {
    std::vector<DirEntry> entries;
    if (files.List(folder, entries)) {
        for (const DirEntry& e : entries) {
            if (e.name.empty() || e.name == "." || e.name == ".." ||
                e.name.find_first_of("\\/") != std::string::npos) {
                continue;
            }
            const std::string path = folder + "\\" + e.name;
            if (e.isFolder && e.isLink) {
                files.RemoveFolder(path);  // the link itself, never what it points to
            } else if (e.isFolder) {
                DeleteTree(files, progress, path);
            } else {
                files.SetNormalAttributes(path);
                files.Delete(path);
                if (progress) progress->Step(text::kDeletingFiles);
            }
        }
    }
    files.RemoveFolder(folder);
}

}  // namespace vx::inst
