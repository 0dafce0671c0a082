// The main dialog wired to a fake window, files in memory, a fake spooler and a
// fake port: what every flow test starts from.
#pragma once

#include "app/main_dlg.h"
#include "tests/app/flows_fakes.h"
#include "tests/printer/fake_port.h"
#include "tests/printer/fake_spooler.h"

namespace vx::test {

struct MainDlgRig {
    FakeMainView view;
    MemoryFileSystem files;
    FakeSpooler spooler;
    FakePortOpener ports;
    CMainDlg dlg{view, files, spooler, ports};

    // What the five pages show.
    SwitchBlock Pages() {
        SwitchBlock b = FactoryDefaults;
        dlg.CollectBlock(b);
        return b;
    }
};

}  // namespace vx::test
