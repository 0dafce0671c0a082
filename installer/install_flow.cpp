// The install worker: counts and finds the distribution files, copies the tree
// with one progress step per file, then registers shortcuts and the uninstall entry.
#include "installer/installer.h"
#include "installer/installer_texts.h"

namespace vx::inst {

void Progress::Start(unsigned steps, const std::string& status) {
    // The bar's range is a 16-bit value; an oversized count is held at its largest
    // value so the percentage never divides by a wrapped-around zero.
    view_.SetRange(steps > 0xFFFF ? 0xFFFF : steps);
    view_.SetPercentText(FormatNumber(text::kPercent, 0));
    view_.SetStatusText(status);
}

void Progress::Step(const std::string& status) {
    system_.InitComForThread();
    view_.StepIt();
    const unsigned upper = view_.Upper();
    const unsigned position = view_.Position();
    const unsigned long long percent =
        upper == 0 ? 100 : static_cast<unsigned long long>(position) * 100 / upper;
    view_.SetPercentText(FormatNumber(text::kPercent, static_cast<long long>(percent)));
    view_.SetStatusText(status);
    system_.Sleep(500);
}

unsigned CountFiles(InstallFiles& files, const std::string& folder) {
    std::vector<DirEntry> entries;
    if (!files.List(folder, entries)) return 0;
    unsigned count = 0;
    for (const DirEntry& e : entries) {
        if (e.isFolder) {
            if (!e.isLink) count += CountFiles(files, folder + "\\" + e.name);
        } else {
            ++count;
        }
    }
    return count;
}

bool FindRequiredFile(InstallFiles& files, const std::string& name, const std::string& folder) {
    std::vector<DirEntry> entries;
    if (!files.List(folder, entries)) return false;
    for (const DirEntry& e : entries) {
        const std::string path = folder + "\\" + e.name;
        if (e.isFolder) {
            if (FindRequiredFile(files, name, path)) return true;
        } else if (EqualNoCase(NameOf(files.ExpandedName(path)), name)) {
            return true;
        }
    }
    return false;
}

namespace {

std::string FolderFailed(const std::string& folder) {
    return FormatText(text::kFolderNotCreated, folder) + text::kInstallStopped;
}

bool MakeFolder(InstallFiles& files, const std::string& folder) {
    const FolderResult r = files.CreateFolder(folder);
    return r == FolderResult::Created || r == FolderResult::AlreadyThere;
}

}  // namespace

std::string CopyTree(InstallFiles& files, Progress& progress, const std::string& source,
                     const std::string& destination, bool expand) {
    if (!MakeFolder(files, destination)) return FolderFailed(destination);
    std::vector<DirEntry> entries;
    if (!files.List(source, entries)) return FormatText(text::kFileNotInstalled, source);

    for (const DirEntry& e : entries) {
        // Every folder and file the install creates has an upper-case name.
        const std::string from = UpperAscii(source + "\\" + e.name);
        std::string to = UpperAscii(destination + "\\" + e.name);
        if (from.size() > kMaxPath || to.size() > kMaxPath) {
            return FormatText(text::kFileNotInstalled, to);
        }
        if (e.isFolder) {
            if (!MakeFolder(files, to)) return FolderFailed(to);
            std::string failure = CopyTree(files, progress, from, to, expand);
            if (!failure.empty()) return failure;
            continue;
        }

        bool copied = false;
        const std::string expanded = files.ExpandedName(from);
        if (expand && expanded != from && !expanded.empty()) {
            // Compressed: the stored name has a placeholder as its last character.
            to.back() = expanded.back();
            copied = files.Expand(from, to);
            progress.Step(FormatText(text::kInstallingFile, e.name));
        } else {
            files.SetNormalAttributes(to);
            copied = files.Copy(from, to) == 0;
            progress.Step(FormatText(text::kInstallingFile, e.name));
            files.SetNormalAttributes(to);  // read-only sources are installed writable
        }
        if (!copied) return FormatText(text::kFileNotInstalled, to);
        files.RemoveDownloadMark(to);
    }
    return {};
}

void RunInstallWorker(Platform& p, const InstallJob& job, ProgressView& view) {
    const SetupRecord& record = job.record;
    MessageBoxes& boxes = view.Messages();
    Progress progress(p.system, view);

    const unsigned n = CountFiles(p.files, job.source);
    progress.Start(n + 5, text::kInstallStarting);
    p.system.Sleep(100);

    if (!FindRequiredFile(p.files, record.programFile, job.source) ||
        !FindRequiredFile(p.files, record.helpFile, job.source)) {
        boxes.Show(text::kRequiredFileMissing, record.title, MsgStyle::Error);
        p.files.RemoveFolder(job.destination);  // only when still empty
        p.system.ExitProcess(0);
        return;
    }

    // The installer and its setup file go first, so the installed copy can uninstall.
    const std::string module = p.system.ModulePath();
    const struct {
        const char* status;
        std::string from;
        std::string to;
    } own[] = {
        {text::kInstallingInstaller, module, job.destination + "\\VXInst.exe"},
        {text::kInstallingSetupFile, SetupFilePath(module), job.destination + "\\VXInst.ini"},
    };
    for (const auto& copy : own) {
        progress.Step(copy.status);
        p.files.SetNormalAttributes(copy.to);
        if (p.files.Copy(copy.from, copy.to) != 0) {
            boxes.Show(FormatText(text::kFileNotInstalled, copy.to), record.title, MsgStyle::Error);
            p.system.ExitProcess(1);
            return;
        }
        p.files.RemoveDownloadMark(copy.to);
    }

    const std::string failure =
        CopyTree(p.files, progress, job.source, job.destination, job.expand);
    if (!failure.empty()) {
        // Nothing is registered for an install that is not complete.
        boxes.Show(failure, record.title, MsgStyle::Error);
        p.system.ExitProcess(1);
        return;
    }

    progress.Step(text::kRegisteringShortcuts);
    if (!CreateShortcuts(p, boxes, record, job.destination)) {
        p.system.ExitProcess(0);
        return;
    }
    progress.Step(text::kRegisteringRegistry);
    WriteUninstallEntry(p, boxes, record, job.destination);

    p.system.Sleep(1000);
    progress.Step(text::kInstallDoneStep);
    view.BringToForeground();
    boxes.Show(text::kInstallDone, record.title, MsgStyle::Information);
    if (boxes.Show(FormatText(text::kShowHelpQuestion, record.title), record.title,
                   MsgStyle::YesNoPlain) == Answer::Yes) {
        p.system.OpenDocument(record.installFolder + "\\" + record.helpFile);
    }
    p.system.ExitProcess(0);
}

}  // namespace vx::inst
