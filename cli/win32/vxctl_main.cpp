// vxctl on Windows: the commands over the console, files, the spooler's
// printers of the model, and a listening socket for simulate.
#include <windows.h>

#include <string>
#include <vector>

#include "cli/vxctl.h"
#include "cli/win32/win32_cli_platform.h"
#include "printer/win32/win32_spooler.h"
#include "settings/win32/utf16.h"
#include "settings/win32/win32_file_system.h"

int wmain(int argc, wchar_t** argv) {
    using namespace vx::cli;
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(vx::win32::Narrow(argv[i]));

    win32::Win32Console console;
    vx::win32::Win32FileSystem files;
    win32::Win32OutputFiles output;
    win32::Win32JobSource jobs;
    vx::win32::Win32Spooler spooler;
    SpoolerPrintService printers(spooler, win32::Family(), win32::PrinterNameBefore);
    Services services{console, files, output, win32::UserLanguage(), &printers, &jobs};
    return RunVxctl(args, services);
}
