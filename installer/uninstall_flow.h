// The two-stage uninstall: stage one's copies and start of stage two, stage two's worker,
// and the deletion of the temporary copy at the next start.
#pragma once

#include <string>

#include "installer/folder_flow.h"
#include "installer/installer_platform.h"
#include "installer/progress.h"
#include "installer/setup_info.h"

namespace vx::inst {

// Stage one's preparation: the temporary copies of the installer and its setup file, and
// the copy's deletion at restart. The copy's path, or empty when stage one stopped (no
// uninstall key, or no usable "InstallPath") after its message; `installFolder` receives
// the install folder.
std::string PrepareStageTwo(Platform& p, MessageBoxes& boxes, const SetupRecord& record,
                            std::string* installFolder = nullptr);
// The setup file's temporary copy beside the installer's, which stage two deletes when done.
std::string TempSetupCopy(System& system);
// Has a file (or an empty folder) deleted at the next system start: the system's delayed
// deletion on the NT family, an entry in "wininit.ini" [Rename] on the 9x family.
// False when it could not be registered.
bool DeleteAtNextStart(Platform& p, const std::string& path);
// Stage two is started up to this many times, each after the pause: a system may not run
// the fresh copy at once.
inline constexpr int kStageTwoStartTries = 5;
inline constexpr unsigned kStageTwoStartPauseMs = 100;
// Stage one (/M). False when it stopped before starting stage two.
bool UninstallStageOne(Platform& p, MessageBoxes& boxes, const SetupRecord& record);
// wininit.ini's bytes with "NUL=<path>" added to its [Rename] section beside the entries
// already there (unchanged when that very entry is there); every other line is copied
// byte for byte. `path` is in the file's code page.
std::string AddRenameEntry(const std::string& ini, const std::string& path);
// Stage two (/U).
void UninstallStageTwo(Platform& p, FolderView& view, SetupRecord& record);
// True when the uninstall went through to its end.
bool RunUninstallWorker(Platform& p, const SetupRecord& record, ProgressView& view);

}  // namespace vx::inst
