// vxctl on Windows: the commands over the console, files, the spooler's
// printers of the model and their ports' links, and a listening socket for simulate.
#include <windows.h>

#include <string>
#include <vector>

#include "cli/spooler_port_links.h"
#include "cli/vxctl.h"
#include "cli/win32/win32_cli_platform.h"
#include "common/win32/utf16.h"
#include "printer/win32/win32_port_opener.h"
#include "printer/win32/win32_spooler.h"

int wmain(int argc, wchar_t** argv) {
    using namespace vx::cli;
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(vx::win32::Narrow(argv[i]));

    win32::Win32Console console;
    win32::Win32CliFileSystem files;
    win32::Win32OutputFiles output;
    win32::Win32JobSource jobs;
    vx::win32::Win32Spooler spooler;
    SpoolerPrintService printers(spooler, win32::Family(), win32::PrinterNameBefore);
    vx::win32::Win32PortOpener ports;
    SpoolerPortLinks links(ports, ports.Network(), win32::Family());
    Services services{console, files, output, win32::UserLanguage(), &printers, &jobs, &links};
    return RunVxctl(args, services);
}
