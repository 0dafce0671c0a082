// The progress window (template 129), shared by the install and the uninstall. A worker
// thread does the job and drives the controls through the ProgressView calls; the window
// waits for that thread before it lets go of the object, so the worker never calls a
// window object that is gone.
#pragma once

#include <windows.h>

#include "common/win32/dialog.h"
#include "common/win32/owned.h"
#include "installer/progress.h"
#include "installer/win32/win32_message_boxes.h"

namespace vx::inst::win32 {

class CProgressDlg : public vx::win32::Dialog, public ProgressView {
  public:
    CProgressDlg() = default;
    ~CProgressDlg() override;

    // Runs the window modally and returns its result once the window has closed and the
    // worker has ended. The worker usually closes the window itself (Close) and may go on
    // a little after that; when something else ends the window first, the worker's calls
    // find no window and do nothing, and the job still runs to its end.
    INT_PTR Run(HINSTANCE instance, HWND owner);

    void SetRange(unsigned upper) override;
    void StepIt() override;
    unsigned Upper() override;
    unsigned Position() override;
    void SetPercentText(const std::string& text) override;
    void SetStatusText(const std::string& text) override;
    void BringToForeground() override;
    void Close() override;
    MessageBoxes& Messages() override { return boxes_; }

  protected:
    virtual void SetUp() {}
    // The job, on the worker thread.
    virtual void Work() = 0;

    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam);
    void WaitForWorker();
    static DWORD WINAPI Worker(LPVOID self);

    vx::win32::UniqueHandle worker_;
    Win32MessageBoxes boxes_;
};

}  // namespace vx::inst::win32
