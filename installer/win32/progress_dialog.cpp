#include "installer/win32/progress_dialog.h"

#include <commctrl.h>

#include "installer/win32/dialog_items.h"
#include "vxinst_resource.h"

namespace vx::inst::win32 {

namespace {

constexpr UINT kCloseWithOk = WM_APP + 1;

}  // namespace

CProgressDlg::~CProgressDlg() {
    // Run has waited already; this only covers a window that was never run to its end.
    WaitForWorker();
}

INT_PTR CProgressDlg::Run(HINSTANCE instance, HWND owner) {
    const INT_PTR result = RunModal(instance, IDD_PROGRESS, owner);
    WaitForWorker();
    return result;
}

void CProgressDlg::SetRange(unsigned upper) {
    Send(PBM_SETRANGE, 0, MAKELPARAM(0, upper));
    Send(PBM_SETSTEP, 1, 0);
    Send(PBM_SETPOS, 0, 0);
}

void CProgressDlg::StepIt() { Send(PBM_STEPIT, 0, 0); }

unsigned CProgressDlg::Upper() { return static_cast<unsigned>(Send(PBM_GETRANGE, FALSE, 0)); }

unsigned CProgressDlg::Position() { return static_cast<unsigned>(Send(PBM_GETPOS, 0, 0)); }

void CProgressDlg::SetPercentText(const std::string& text) {
    SetItemText(hwnd_, IDT_PROGRESS_PERCENT, text);
}

void CProgressDlg::SetStatusText(const std::string& text) {
    SetItemText(hwnd_, IDT_PROGRESS_STATUS, text);
}

void CProgressDlg::BringToForeground() { SetForegroundWindow(hwnd_); }

// Posted, so the worker never waits for the window to end; a window already gone
// takes nothing.
void CProgressDlg::Close() { PostMessageW(hwnd_, kCloseWithOk, 0, 0); }

INT_PTR CProgressDlg::OnMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            boxes_.SetOwner(hwnd_);
            MakeTopmost(hwnd_);
            SetUp();
            worker_.Reset(CreateThread(nullptr, 0, &CProgressDlg::Worker, this, 0, nullptr));
            return TRUE;
        case WM_COMMAND:
            // OK (Enter) and Cancel (Esc, and the close message) do nothing: the window
            // cannot be closed by hand.
            return LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL;
        case kCloseWithOk:
            EndDialog(hwnd_, IDOK);
            return TRUE;
        case WM_DESTROY:
            // What the worker still has to say once the window is gone stands on its own.
            boxes_.SetOwner(nullptr);
            return FALSE;
    }
    return FALSE;
}

LRESULT CProgressDlg::Send(UINT message, WPARAM wParam, LPARAM lParam) {
    return SendDlgItemMessageW(hwnd_, IDC_PROGRESS_BAR, message, wParam, lParam);
}

void CProgressDlg::WaitForWorker() {
    if (!worker_) return;
    HANDLE worker = worker_.Get();
    // The worker may have sent a message to the window just before it went, and waits
    // for this thread to take it: take such messages while waiting, or each thread
    // would wait for the other.
    while (MsgWaitForMultipleObjects(1, &worker, FALSE, INFINITE, QS_SENDMESSAGE) ==
           WAIT_OBJECT_0 + 1) {
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    WaitForSingleObject(worker, INFINITE);
    worker_.Reset();
}

DWORD WINAPI CProgressDlg::Worker(LPVOID self) {
    static_cast<CProgressDlg*>(self)->Work();
    return 0;
}

}  // namespace vx::inst::win32
