// The install record: what an install wrote, how the uninstall entry keeps it, and its
// removal, by a failed install (roll-back) and by the uninstall.
#include "installer/install_record.h"

#include <algorithm>

#include "installer/installer_names.h"
#include "installer/installer_texts.h"
#include "installer/path_text.h"
#include "installer/progress.h"
#include "installer/uninstall_flow.h"

namespace vx::inst {

namespace {

void AddOnce(std::vector<std::string>& paths, const std::string& path) {
    for (const std::string& p : paths) {
        if (EqualNoCase(p, path)) return;
    }
    paths.push_back(path);
}

std::string WithoutTrailingBackslashes(std::string path) {
    while (path.size() > 1 && path.back() == '\\') path.pop_back();
    return path;
}

// `path` below `base` as a path relative to it; empty when it is not below it.
std::string Below(const std::string& base, const std::string& path) {
    if (path.size() <= base.size() + 1 || path[base.size()] != '\\' ||
        !EqualNoCase(path.substr(0, base.size()), base)) {
        return {};
    }
    const auto start = path.find_first_not_of('\\', base.size());
    return start == std::string::npos ? std::string()
                                      : WithoutTrailingBackslashes(path.substr(start));
}

std::vector<std::string> Parts(const std::string& relative) {
    std::vector<std::string> parts;
    std::string part;
    for (const char c : relative + "\\") {
        if (c == '\\') {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    return parts;
}

// A path below the install folder: names only, no ".", ".." or empty parts.
bool IsCleanRelative(const std::string& relative) {
    if (Utf16Length(relative) > kMaxPath) return false;
    for (const std::string& part : Parts(relative)) {
        if (!IsFolderName(part)) return false;
    }
    return true;
}

// The named parts of a path after its drive ("X:\") or share ("\\server\share"); -1 for any
// other form.
int DepthBelowRoot(const std::string& path) {
    const bool drive = path.size() >= 3 && path[1] == ':' && path[2] == '\\' &&
                       ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    const bool share = path.size() > 2 && path[0] == '\\' && path[1] == '\\';
    if (!drive && !share) return -1;
    int named = 0;
    for (const std::string& part : Parts(path.substr(drive ? 3 : 2))) named += part.empty() ? 0 : 1;
    return share ? named - 2 : named;
}

// Whether a path below `base` passes through a link on its way there from `base`.
bool ThroughLink(InstallFiles& files, const std::string& base, const std::string& path) {
    if (base.empty() || Below(base, path).empty()) return false;
    for (auto at = path.find('\\', base.size() + 1); at != std::string::npos;
         at = path.find('\\', at + 1)) {
        if (files.IsLink(path.substr(0, at))) return true;
    }
    return false;
}

std::size_t Depth(const std::string& path) {
    return static_cast<std::size_t>(std::count(path.begin(), path.end(), '\\'));
}

}  // namespace

void InstallRecord::AddFile(const std::string& path) { AddOnce(files, path); }

void InstallRecord::AddFolder(const std::string& path) { AddOnce(folders, path); }

bool KeepEarlier(InstallFiles& files, const std::string& path, InstallRecord& written) {
    for (const std::string& f : written.files) {
        if (EqualNoCase(f, path)) return true;  // this install's own file: written over
    }
    if (!files.Exists(path)) {
        written.AddFile(path);
        return true;
    }
    if (files.IsFolder(path)) return false;
    // Beside it, on its own volume: a move that needs no space and can always go back. A
    // running program's file moves too, so an install over a running program goes through.
    const std::string keptAs = path + ".VXOLD";
    files.SetNormalAttributes(keptAs);
    files.Delete(keptAs);  // a leftover of an install that ended without clearing up
    if (!files.Move(path, keptAs)) return false;
    written.replaced.push_back({path, keptAs});
    written.AddFile(path);
    return true;
}

StoredRecord StoreRecord(const InstallRecord& written, const std::string& installPath) {
    const std::string base = WithoutTrailingBackslashes(installPath);
    StoredRecord stored;
    for (const std::string& file : written.files) {
        const std::string relative = Below(base, file);
        if (!relative.empty()) stored.files.push_back(relative);
    }
    for (const std::string& folder : written.folders) {
        const std::string f = WithoutTrailingBackslashes(folder);
        std::string relative = EqualNoCase(f, base) ? "." : Below(base, f);
        // A parent of the install folder that the folder window created.
        std::string up = "..";
        for (std::string above = FolderOf(base); relative.empty() && !above.empty();
             above = FolderOf(above), up += "\\..") {
            if (EqualNoCase(above, f)) relative = up;
        }
        if (!relative.empty()) stored.folders.push_back(relative);
    }
    return stored;
}

bool LoadRecord(const StoredRecord& stored, const std::string& installPath,
                InstallRecord& written) {
    const std::string base = WithoutTrailingBackslashes(installPath);
    written = InstallRecord{};
    auto damaged = [&] {
        written = InstallRecord{};
        return false;
    };
    for (const std::string& file : stored.files) {
        if (!IsCleanRelative(file)) return damaged();
        written.AddFile(base + "\\" + file);
    }
    for (const std::string& folder : stored.folders) {
        if (folder == ".") {
            written.AddFolder(base);
            continue;
        }
        const std::vector<std::string> parts = Parts(folder);
        if (std::all_of(parts.begin(), parts.end(),
                        [](const std::string& s) { return s == ".."; })) {
            std::string above = base;
            for (std::size_t i = 0; i < parts.size(); ++i) above = FolderOf(above);
            if (DepthBelowRoot(above) < 1) return damaged();  // never a drive or a share
            written.AddFolder(above);
            continue;
        }
        if (!IsCleanRelative(folder)) return damaged();
        written.AddFolder(base + "\\" + folder);
    }
    return true;
}

bool ReadRecord(RegKey& key, const std::string& installPath, InstallRecord& written) {
    StoredRecord stored;
    if (!key.ReadStrings(text::kInstalledFiles, stored.files) ||
        !key.ReadStrings(text::kInstalledFolders, stored.folders)) {
        written = InstallRecord{};
        return false;
    }
    return LoadRecord(stored, installPath, written);
}

std::vector<std::string> RemoveRecorded(InstallFiles& files, Progress* progress,
                                        const InstallRecord& written, const std::string& base) {
    const std::string root = WithoutTrailingBackslashes(base);
    std::vector<std::string> left;
    auto isLeft = [&](const std::string& path) {
        return std::any_of(left.begin(), left.end(),
                           [&](const std::string& l) { return EqualNoCase(l, path); });
    };
    for (const std::string& file : written.files) {
        if (!ThroughLink(files, root, file)) {
            files.SetNormalAttributes(file);
            if (!files.Delete(file) && files.Exists(file) && !files.IsFolder(file)) {
                left.push_back(file);
            }
        }
        if (progress) progress->Step(text::kDeletingFiles);
    }
    // Deepest first; of two at one depth, the later made first.
    std::vector<std::string> folders(written.folders.rbegin(), written.folders.rend());
    std::stable_sort(
        folders.begin(), folders.end(),
        [](const std::string& a, const std::string& b) { return Depth(a) > Depth(b); });
    for (const std::string& folder : folders) {
        // Removed only when empty; a link in its place is somebody else's.
        if (files.IsLink(folder) || ThroughLink(files, root, folder)) continue;
        if (files.RemoveFolder(folder) || !files.IsFolder(folder)) continue;
        // Still there: left over when it holds nothing but what is left over itself (a
        // folder somebody else's files keep is theirs).
        std::vector<DirEntry> entries;
        if (!files.List(folder, entries)) continue;
        if (std::all_of(entries.begin(), entries.end(),
                        [&](const DirEntry& e) { return isLeft(folder + "\\" + e.name); })) {
            left.push_back(folder);
        }
    }
    return left;
}

void RollBack(InstallFiles& files, const InstallRecord& written) {
    InstallRecord created;
    created.folders = written.folders;
    for (const std::string& file : written.files) {
        const bool replaced =
            std::any_of(written.replaced.begin(), written.replaced.end(),
                        [&](const InstallRecord::Kept& k) { return EqualNoCase(k.path, file); });
        if (!replaced) created.files.push_back(file);
    }
    RemoveRecorded(files, nullptr, created, "");
    for (auto it = written.replaced.rbegin(); it != written.replaced.rend(); ++it) {
        files.SetNormalAttributes(it->path);
        if (!files.Move(it->keptAs, it->path)) {
            files.Delete(it->path);
            files.Move(it->keptAs, it->path);
        }
    }
}

std::vector<std::string> DropKeptFiles(Platform& p, const InstallRecord& written) {
    std::vector<std::string> waiting;
    for (const InstallRecord::Kept& k : written.replaced) {
        p.files.SetNormalAttributes(k.keptAs);
        if (!p.files.Delete(k.keptAs) && p.files.Exists(k.keptAs)) {
            DeleteAtNextStart(p, k.keptAs);  // a running program's
            waiting.push_back(k.keptAs);
        }
    }
    return waiting;
}

bool InstallPathIsSafe(InstallFiles& files, const std::string& path) {
    if (path.empty() || Utf16Length(path) > kMaxPath) return false;
    std::string p = path;
    std::replace(p.begin(), p.end(), '/', '\\');
    // Device paths ("\\?\...", "\\.\...", "\\?\UNC\...", "\\?\GLOBALROOT\...", "\??\...").
    if (p.size() >= 3 && p[0] == '\\' && p[1] == '\\' && (p[2] == '?' || p[2] == '.')) return false;
    if (p.rfind("\\??\\", 0) == 0) return false;
    for (const std::string& part : Parts(p)) {
        if (part == "." || part == "..") return false;
    }
    if (DepthBelowRoot(p) < 1) return false;  // relative, a drive root or a share root
    if (files.IsLink(path)) return false;

    const std::string setupFile = WithoutTrailingBackslashes(path) + "\\" + names::kSetupFile;
    return files.IsFolder(path) && files.Exists(setupFile) && !files.IsFolder(setupFile);
}

}  // namespace vx::inst
