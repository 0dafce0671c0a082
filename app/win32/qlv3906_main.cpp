// QLV3906: the settings program of the ZAM QX-K480/330.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/startup.h"
#include "app/win32/main_window.h"
#include "app/win32/win32_instance_system.h"
#include "common/texts.h"
#include "common/win32/module_path.h"
#include "common/win32/owned.h"
#include "common/win32/utf16.h"

namespace {

// The arguments after the program's own name, as UTF-8.
std::vector<std::string> Arguments() {
    std::vector<std::string> args;
    int count = 0;
    if (const vx::win32::LocalMemory<LPWSTR> argv{CommandLineToArgvW(GetCommandLineW(), &count)}) {
        for (int i = 1; i < count; ++i) args.push_back(vx::win32::Narrow(argv.Get()[i]));
    }
    return args;
}

// The application object: one running copy, the command line, the main window run modally.
class CSettingsApp {
  public:
    explicit CSettingsApp(HINSTANCE instance) : instance_(instance) {}

    int Run() {
        // The main window and its dialogs use the list view, tab, toolbar, status bar and
        // up-down controls.
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES |
                                                 ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&icc);

        // A second copy brings the running one's window back and ends.
        const std::string name = vx::ApplicationName(vx::win32::ModulePath());
        if (!vx::ClaimSingleInstance(instances_, name)) return 0;

        vx::win32::CMainWindow window(instance_, name);
        const vx::CommandLine line = vx::ParseCommandLine(Arguments());
        window.Dialog().startupFileName = line.startupFile;
        window.Dialog().startupFileNameTooLong = line.fileNameTooLong;  // said once it is shown
        if (window.RunModal() == -1) {
            MessageBoxW(nullptr, vx::win32::Widen(vx::text::kWindowNotCreated).c_str(),
                        vx::win32::Widen(vx::text::kCaption).c_str(), MB_OK | MB_ICONSTOP);
            return 1;
        }
        return 0;  // the mutex is closed with `instances_`
    }

  private:
    HINSTANCE instance_;
    vx::win32::Win32InstanceSystem instances_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return CSettingsApp(instance).Run();
}
