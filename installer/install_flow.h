// The install worker and what it is made of: the job, the source tree's count and search,
// the copy with expansion and checksums.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "installer/install_record.h"
#include "installer/installer_platform.h"
#include "installer/progress.h"
#include "installer/setup_info.h"

namespace vx::inst {

using Checksums = std::map<std::string, std::uint32_t>;
// "NAME:XXXXXXXX,..." (hexadecimal CRC-32s) read into checksums by upper-case name; an entry
// that is not of that form is left out.
Checksums ParseChecksums(const std::string& text);
// The CRC-32 (as zlib and the medium's maker compute it) of some bytes.
std::uint32_t Crc32(const std::string& bytes);

struct InstallJob {
    SetupRecord record;
    std::string source;       // installer folder + "\" + disk path
    std::string destination;  // as the user chose it
    bool expand = true;
    InstallRecord created;  // the folders the folder window made for the destination
    // The CRC-32 of what each compressed file of the medium expands to, by its stored name
    // in upper case (the setup file's "CHECKSUMS"): an expansion must give exactly these bytes.
    Checksums checksums;
    // Silent mode: no group window, no help question, exit code 1 for every failure, and
    // an uninstall entry that cannot be written is a failure too.
    bool silent = false;
};
// The job that installs `record` from the medium this installer runs from into `destination`.
InstallJob MakeInstallJob(Platform& p, SetupRecord record, const std::string& destination,
                          const InstallRecord& created, bool silent);

// The source tree: linked folders are neither counted, searched nor copied.
unsigned CountFiles(InstallFiles& files, const std::string& folder);
bool FindRequiredFile(InstallFiles& files, const std::string& name, const std::string& folder);
// The uncompressed size an LZ (SZDD) file's header records; none for another header.
std::optional<std::uint32_t> ExpandedSizeFromHeader(const std::string& head);
// Copies the tree, one step per file, adding what it writes to `written`. Empty on success,
// else the message naming what failed.
std::string CopyTree(InstallFiles& files, Progress& progress, const std::string& source,
                     const std::string& destination, bool expand, InstallRecord& written,
                     const Checksums& checksums = {});
// The install proper; ends the process through the system.
void RunInstallWorker(Platform& p, const InstallJob& job, ProgressView& view);

}  // namespace vx::inst
