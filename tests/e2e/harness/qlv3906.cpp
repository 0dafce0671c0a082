#include "harness/qlv3906.h"

#include "harness/paths.h"
#include "harness/ui.h"

namespace vx::e2e {

std::wstring Qlv3906Path() { return WindowsPathOf(VX_QLV3906_EXE); }

testing::AssertionResult StartQlv3906(const StartOptions& options, Program* app, HWND* main,
                                      const std::wstring& path) {
    const auto started = Program::Start(path, options, app);
    if (!started) return started;
    return WaitForDialog(app->Pid(), kMainTitle, kStartTimeout, main);
}

HWND WaitForSaveDialog(const Program& app, HWND main) {
    HWND dialog = nullptr;
    PollUntil(kReactTimeout, [&] {
        for (HWND w : TopLevelWindows(app.Pid()))
            if (w != main && FileNameBox(w)) dialog = w;
        return dialog != nullptr;
    });
    return dialog;
}

}  // namespace vx::e2e
