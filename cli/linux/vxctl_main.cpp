// vxctl on Linux: the commands over the standard streams, local files and
// devices, CUPS, and a listening socket for simulate.
#include <signal.h>

#include <string>
#include <vector>

#include "cli/linux/cups_client.h"
#include "cli/linux/posix_links.h"
#include "cli/linux/posix_platform.h"
#include "cli/vxctl.h"

int main(int argc, char** argv) {
    using namespace vx::cli;
    signal(SIGPIPE, SIG_IGN);
    posix::PosixConsole console;
    posix::PosixFileSystem files;
    posix::PosixOutputFiles output;
    posix::PosixJobSource jobs;
    posix::PosixClock clock;
    posix::LibCupsClient cups;
    CupsPrintService printers(cups, clock, 0);
    posix::PosixPrinterLinks links;
    Services services{console,   files, output, posix::LocaleLanguage(),
                      &printers, &jobs, &links, &clock};
    return RunVxctl(std::vector<std::string>(argv + 1, argv + argc), services);
}
