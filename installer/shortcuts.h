// The Start-menu group with its two shortcuts, and the uninstall entry.
#pragma once

#include <cstdint>
#include <string>

#include "installer/install_record.h"
#include "installer/installer_platform.h"
#include "installer/setup_info.h"

namespace vx::inst {

bool FindProgramsFolder(Registry& registry, std::string& folder);
// Adds the group folder (when it makes it) and the shortcut files to `written`. The group
// is shown in a shell window unless `showGroup` is false (silent mode).
bool CreateShortcuts(Platform& p, MessageBoxes& boxes, const SetupRecord& record,
                     const std::string& destination, InstallRecord& written, bool showGroup = true);
bool CreateShellLink(Platform& p, MessageBoxes& boxes, const std::string& file,
                     const std::string& group, const std::string& destination,
                     const std::string& name, const std::string& description);
// Writes the entry with the install record; a reinstall into the folder of the entry it
// replaces keeps that entry's record too. After the four values the system's list of
// programs has always read come the ones it reads today: version, publisher, location,
// size, no modify or repair, and the silent uninstall command.
bool WriteUninstallEntry(Platform& p, MessageBoxes& boxes, const SetupRecord& record,
                         const std::string& destination, const InstallRecord& written);

// The size of the installed files in kilobytes, rounded up (the entry's EstimatedSize).
std::uint32_t EstimatedSizeKb(InstallFiles& files, const InstallRecord& written);

}  // namespace vx::inst
