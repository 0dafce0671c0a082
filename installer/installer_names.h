// The names of the installer's own files and of its value in the uninstall entry: names the
// system and the uninstall look for, never shown as messages.
#pragma once

namespace vx::inst::names {

// The installer's own files beside the installed program, as the install names them.
inline constexpr char kInstallerFile[] = "VXInst.exe";
inline constexpr char kSetupFile[] = "VXInst.ini";
// The installer as the uninstall entry names it and as stage one names its temporary copy
// (the file system does not tell the spellings apart).
inline constexpr char kListedInstallerFile[] = "Vxinst.exe";
// The uninstall entry's value that names the install folder: the installer's own.
inline constexpr char kInstallPathValue[] = "InstallPath";

}  // namespace vx::inst::names
