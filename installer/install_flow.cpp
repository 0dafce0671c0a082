// The install worker: counts and finds the distribution files, copies the tree
// with one progress step per file, then registers shortcuts and the uninstall entry.
#include "installer/install_flow.h"

#include <algorithm>

#include "installer/folder_flow.h"
#include "installer/installer_names.h"
#include "installer/installer_texts.h"
#include "installer/path_text.h"
#include "installer/shortcuts.h"

namespace vx::inst {

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
            if (!e.isLink && FindRequiredFile(files, name, path)) return true;
        } else if (const auto expanded = files.ExpandedName(path);
                   expanded && EqualNoCase(NameOf(*expanded), name)) {
            return true;
        }
    }
    return false;
}

std::optional<std::uint32_t> ExpandedSizeFromHeader(const std::string& head) {
    // "SZDD" 88 F0 27 33, the method, the name's last character, then the size.
    static constexpr char kMagic[] = "SZDD\x88\xF0\x27\x33";
    if (head.size() < 14 || head.compare(0, 8, kMagic, 8) != 0) return std::nullopt;
    std::uint32_t size = 0;
    for (int i = 13; i >= 10; --i) size = size << 8 | static_cast<unsigned char>(head[i]);
    return size;
}

namespace {

std::string FolderFailed(const std::string& folder) {
    return FormatText(text::kFolderNotCreated, folder) + text::kInstallStopped;
}

std::string FileFailed(const std::string& file) {
    return FormatText(text::kFileNotInstalled, file);
}

bool MakeFolder(InstallFiles& files, const std::string& folder, InstallRecord& written) {
    const FolderResult r = files.CreateFolder(folder);
    if (r == FolderResult::Created) written.AddFolder(folder);
    return r == FolderResult::Created || r == FolderResult::AlreadyThere;
}

// A compressed file counts as installed only when it expanded to the size its header records
// and, where the medium records its checksum, to exactly its bytes.
bool ExpandInFull(InstallFiles& files, const std::string& from, const std::string& to,
                  const Checksums& checksums) {
    const auto expected = ExpandedSizeFromHeader(files.ReadHead(from, 14));
    files.SetNormalAttributes(to);
    const std::int64_t written = files.Expand(from, to);
    if (!expected || written < 0 || static_cast<std::uint64_t>(written) != *expected) return false;
    const auto sum = checksums.find(UpperAscii(NameOf(from)));
    return sum == checksums.end() || Crc32(files.ReadHead(to, *expected)) == sum->second;
}

}  // namespace

std::string CopyTree(InstallFiles& files, Progress& progress, const std::string& source,
                     const std::string& destination, bool expand, InstallRecord& written,
                     const Checksums& checksums) {
    if (!MakeFolder(files, destination, written)) return FolderFailed(destination);
    std::vector<DirEntry> entries;
    if (!files.List(source, entries)) return FileFailed(source);

    for (const DirEntry& e : entries) {
        // Every folder and file the install creates has an upper-case name.
        const std::string from = UpperAscii(source + "\\" + e.name);
        std::string to = UpperAscii(destination + "\\" + e.name);
        if (e.isFolder && e.isLink) continue;  // as CountFiles does
        if (Utf16Length(from) > kMaxPath || Utf16Length(to) > kMaxPath) return FileFailed(to);
        if (e.isFolder) {
            if (!MakeFolder(files, to, written)) return FolderFailed(to);
            std::string failure = CopyTree(files, progress, from, to, expand, written, checksums);
            if (!failure.empty()) return failure;
            continue;
        }

        bool copied = false;
        const auto expanded = expand ? files.ExpandedName(from) : std::optional<std::string>(from);
        // A name that cannot be had leaves it open whether the file is compressed: never
        // installed under its stored name.
        if (!expanded || expanded->empty()) return FileFailed(from);
        if (*expanded != from) {
            // Compressed: the stored name has a placeholder as its last character.
            to.back() = expanded->back();
            // Recorded before writing: a failed write may leave part of it.
            if (!KeepEarlier(files, to, written)) return FileFailed(to);
            copied = ExpandInFull(files, from, to, checksums);
            progress.Step(FormatText(text::kInstallingFile, e.name));
        } else {
            if (!KeepEarlier(files, to, written)) return FileFailed(to);
            files.SetNormalAttributes(to);
            copied = files.Copy(from, to) == 0;
            progress.Step(FormatText(text::kInstallingFile, e.name));
            files.SetNormalAttributes(to);  // read-only sources are installed writable
        }
        if (!copied) return FileFailed(to);
        files.RemoveDownloadMark(to);
    }
    return {};
}

namespace {

// Undoes a failed install: its message, what it wrote removed, exit code 1.
void Fail(Platform& p, MessageBoxes& boxes, const std::string& title, const std::string& message,
          const InstallRecord& written) {
    if (!message.empty()) boxes.Show(message, title, MsgStyle::Error);
    RollBack(p.files, written);
    p.system.ExitProcess(1);
}

}  // namespace

InstallJob MakeInstallJob(Platform& p, SetupRecord record, const std::string& destination,
                          const InstallRecord& created, bool silent) {
    InstallJob job;
    record.installFolder = destination;
    job.source = SourceFolder(p, record);
    job.record = std::move(record);
    job.destination = destination;
    job.expand = true;
    job.created = created;
    job.silent = silent;
    std::size_t bytes = 0;
    job.checksums = ParseChecksums(p.profile.ReadText(SetupFilePath(p.system.ModulePath()),
                                                      text::kSection, "CHECKSUMS", bytes));
    return job;
}

Checksums ParseChecksums(const std::string& text) {
    Checksums sums;
    for (std::size_t at = 0; at <= text.size();) {
        const std::size_t end = std::min(text.find(',', at), text.size());
        const std::string entry = text.substr(at, end - at);
        at = end + 1;
        const std::size_t colon = entry.rfind(':');
        if (colon == std::string::npos || colon == 0 || entry.size() - colon - 1 != 8) continue;
        std::uint32_t sum = 0;
        bool hex = true;
        for (const char c : entry.substr(colon + 1)) {
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                     : -1;
            hex = hex && digit >= 0;
            sum = sum << 4 | static_cast<std::uint32_t>(digit & 0xF);
        }
        if (hex) sums[UpperAscii(entry.substr(0, colon))] = sum;
    }
    return sums;
}

std::uint32_t Crc32(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void RunInstallWorker(Platform& p, const InstallJob& job, ProgressView& view) {
    const SetupRecord& record = job.record;
    MessageBoxes& boxes = view.Messages();
    Progress progress(p.system, view);
    InstallRecord written = job.created;

    const unsigned n = CountFiles(p.files, job.source);
    progress.Start(n + 5, text::kInstallStarting);
    if (view.Paced()) p.system.Sleep(kStartPauseMs);

    if (!FindRequiredFile(p.files, record.programFile, job.source) ||
        !FindRequiredFile(p.files, record.helpFile, job.source)) {
        boxes.Show(text::kRequiredFileMissing, record.title, MsgStyle::Error);
        RollBack(p.files, written);  // the destination folder, when this install made it
        p.system.ExitProcess(job.silent ? 1 : 0);
        return;
    }

    // The installer and its setup file go first, so the installed copy can uninstall.
    const std::string module = p.system.ModulePath();
    const struct {
        const char* status;
        std::string from;
        std::string to;
    } own[] = {
        {text::kInstallingInstaller, module, job.destination + "\\" + names::kInstallerFile},
        {text::kInstallingSetupFile, SetupFilePath(module),
         job.destination + "\\" + names::kSetupFile},
    };
    for (const auto& copy : own) {
        progress.Step(copy.status);
        if (!KeepEarlier(p.files, copy.to, written) || p.files.Copy(copy.from, copy.to) != 0) {
            return Fail(p, boxes, record.title, FileFailed(copy.to), written);
        }
        p.files.RemoveDownloadMark(copy.to);
    }

    const std::string failure = CopyTree(p.files, progress, job.source, job.destination, job.expand,
                                         written, job.checksums);
    if (!failure.empty()) return Fail(p, boxes, record.title, failure, written);

    progress.Step(text::kRegisteringShortcuts);
    if (!CreateShortcuts(p, boxes, record, job.destination, written, !job.silent)) {
        return Fail(p, boxes, record.title, "", written);  // CreateShortcuts said what failed
    }
    progress.Step(text::kRegisteringRegistry);
    // Interactively the install goes on to its end without the entry; a silent install
    // that could not be entered in the list of programs has failed.
    if (!WriteUninstallEntry(p, boxes, record, job.destination, written) && job.silent) {
        return Fail(p, boxes, record.title, "", written);
    }

    // A running program's earlier file waits for the next start; until then the entry's
    // record holds it, so an uninstall meanwhile knows it is the install's.
    const std::vector<std::string> waiting = DropKeptFiles(p, written);
    if (!waiting.empty()) {
        for (const std::string& file : waiting) written.AddFile(file);
        WriteUninstallEntry(p, boxes, record, job.destination, written);
    }

    if (view.Paced()) p.system.Sleep(kEndPauseMs);
    progress.Step(text::kInstallDoneStep);
    view.BringToForeground();
    boxes.Show(text::kInstallDone, record.title, MsgStyle::Information);
    if (!job.silent && boxes.Show(FormatText(text::kShowHelpQuestion, record.title), record.title,
                                  MsgStyle::YesNoPlain) == Answer::Yes) {
        p.system.OpenDocument(record.installFolder + "\\" + record.helpFile);
    }
    p.system.ExitProcess(0);
}

}  // namespace vx::inst
