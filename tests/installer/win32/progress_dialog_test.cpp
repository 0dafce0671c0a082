// The progress window with a slow job of the test's own: the worker is over before the
// window's object goes, whether the worker closed the window and went on (as the uninstall
// does) or the window was ended first (as the system may end it).
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "installer/win32/progress_dialog.h"

namespace vx::inst::win32 {
namespace {

constexpr DWORD kDeadlineMs = 5000;
constexpr UINT_PTR kEndTimer = 1;

class SlowJob : public CProgressDlg {
  public:
    explicit SlowJob(bool closesItself) : closesItself_(closesItself) {}

    bool finished = false;  // the worker's last act; read once Run has returned
    std::string waitedFor;  // what the worker waited for in vain

  protected:
    void SetUp() override {
        if (!closesItself_) SetTimer(hwnd_, kEndTimer, 50, nullptr);
    }

    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_TIMER && wParam == kEndTimer) {
            KillTimer(hwnd_, kEndTimer);
            EndDialog(hwnd_, IDCANCEL);
            return TRUE;
        }
        if (message == WM_DESTROY) windowGone_ = true;
        return CProgressDlg::OnMessage(message, wParam, lParam);
    }

    // Steps the bar until the window is gone, then goes on working with it a little.
    void Work() override {
        SetRange(1000);
        if (closesItself_) Close();
        const DWORD start = GetTickCount();
        while (!windowGone_) {
            if (GetTickCount() - start > kDeadlineMs) {
                waitedFor = "the progress window to be destroyed";
                return;
            }
            StepIt();
            Sleep(5);
        }
        for (int i = 0; i < 20; ++i) {
            StepIt();
            SetStatusText("still working");
            Sleep(10);
        }
        finished = true;
    }

  private:
    const bool closesItself_;
    std::atomic<bool> windowGone_{false};
};

TEST(ProgressWindow, WorkerIsOverWhenTheWindowHasClosed) {
    for (const bool closesItself : {true, false}) {
        SCOPED_TRACE(closesItself ? "the worker closed the window" : "the window was ended first");
        SlowJob dlg(closesItself);
        const INT_PTR result = dlg.Run(GetModuleHandleW(nullptr), nullptr);
        EXPECT_EQ(result, closesItself ? IDOK : IDCANCEL);
        EXPECT_EQ(dlg.waitedFor, "");
        EXPECT_TRUE(dlg.finished) << "Run returned while the worker was still at work";
    }
}

}  // namespace
}  // namespace vx::inst::win32
