// What an install wrote: the record it keeps while it runs, the form the uninstall entry
// stores it in, and the undoing and removing of what it names.
#pragma once

#include <string>
#include <vector>

#include "installer/installer_platform.h"

namespace vx::inst {

class Progress;

// What one install wrote, by full path: every file it wrote (a file it replaced too) and
// every folder it created, each in the order made. A failed install removes exactly these;
// the uninstall entry keeps those at or below the install folder (see StoreRecord).
struct InstallRecord {
    std::vector<std::string> files;
    std::vector<std::string> folders;
    // The files that were there before the install wrote its own: each kept aside under
    // another name until the install is over, so a failed install puts it back.
    struct Kept {
        std::string path, keptAs;
    };
    std::vector<Kept> replaced;
    void AddFile(const std::string& path);  // each path once, whatever its case
    void AddFolder(const std::string& path);
};
// Readies `path` for a file this install writes: the path is recorded, and a file already
// there from before is kept aside. False, with nothing changed, when that earlier file
// cannot be kept aside (a program holds it, or a folder stands in its place).
bool KeepEarlier(InstallFiles& files, const std::string& path, InstallRecord& written);

// The install record as the uninstall entry keeps it, relative to the install folder: a file
// or subfolder by its path below the folder, the folder itself as ".", a parent of it that
// the install created as "..", "..\.." and so on. What lies elsewhere (the shortcuts) is
// left out: the uninstall finds the shortcuts by their names.
struct StoredRecord {
    std::vector<std::string> files;
    std::vector<std::string> folders;
};
StoredRecord StoreRecord(const InstallRecord& written, const std::string& installPath);
// False, with `written` empty, when any entry is not such a path (a damaged or hand-made
// record).
bool LoadRecord(const StoredRecord& stored, const std::string& installPath, InstallRecord& written);
// The record under the uninstall entry. False when it is absent or damaged.
bool ReadRecord(RegKey& key, const std::string& installPath, InstallRecord& written);

// Undoes an install: the files it created go, each file it replaced is put back, then each
// folder it made goes when empty, deepest first. Shows nothing; for any caller that has to
// undo an install.
void RollBack(InstallFiles& files, const InstallRecord& written);
// After a successful install: the earlier files kept aside go, now or at the next start.
// Returns those left for the next start (a running program's).
std::vector<std::string> DropKeptFiles(Platform& p, const InstallRecord& written);
// Whether a folder may be uninstalled from as the install folder: a real folder (not a link)
// below a drive root or share, neither a device path nor with "." or ".." parts, holding
// the installed "VXInst.ini".
bool InstallPathIsSafe(InstallFiles& files, const std::string& path);
// Deletes the recorded files, one progress step each (deleted or not) when given progress,
// then removes each recorded folder that is empty, deepest first. Within `base` nothing
// reached through a link is touched. Returns what is left that should have gone: the
// recorded files that could not be deleted (a program holds them), then the recorded
// folders that hold nothing else yet could not be removed, deepest first.
std::vector<std::string> RemoveRecorded(InstallFiles& files, Progress* progress,
                                        const InstallRecord& written, const std::string& base);

}  // namespace vx::inst
