// vxctl: the settings program's settings from a command line. The commands
// run here over the platform's services; each platform's main is a thin shell.
#pragma once

#include <string>
#include <vector>

#include "cli/cli_platform.h"
#include "cli/print_service.h"
#include "settings/file_system.h"

namespace vx::cli {

// Exit codes.
constexpr int kExitOk = 0;
constexpr int kExitDiffer = 1;  // diff: the files differ; send: a printer failed
constexpr int kExitError = 2;   // bad arguments, a file refused, nothing written

struct Services {
    Console& console;
    FileSystem& files;                 // settings files are read through it
    OutputFiles& output;               // written through it
    Language language;                 // the locale's; --lang overrides it
    PrintService* printers = nullptr;  // null where there is no print system
    JobSource* jobs = nullptr;         // null where simulate cannot listen
    PrinterLinks* links = nullptr;     // null where printers cannot be read
    Clock* clock = nullptr;            // null: no deadline for devices
};

// Runs one command line (the arguments after the program name); returns the exit code.
int RunVxctl(const std::vector<std::string>& args, Services& services);

}  // namespace vx::cli
