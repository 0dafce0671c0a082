// The main dialog wired to a fake window, files in memory, a fake spooler and a
// fake port: what every flow test starts from.
#pragma once

#include "app/main_dlg.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_main_view.h"
#include "tests/fakes/fake_printer_link.h"
#include "tests/fakes/fake_spooler.h"

namespace vx::test {

struct MainDlgRig {
    FakeMainView view;
    FakeFileSystem files;
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
