// The main window's part in the start-up worker: the worker thread itself, and the work
// it and the window hand to the window's own thread.
#include "app/win32/main_window.h"

#include <utility>

namespace vx::win32 {

void CMainWindow::PostToWindowThread(std::function<void()> work) {
    posted_.push_back(std::move(work));
    PostMessageW(hwnd_, kRunPosted, 0, 0);
}

// The printer is chosen on a thread of its own once the window shows the defaults.
void CMainWindow::StartStartupWorker() {
    if (failed_) return;  // the window is ending
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    worker_.Reset(CreateThread(&sa, 0, StartupWorker, this, 0, nullptr));
}

DWORD WINAPI CMainWindow::StartupWorker(LPVOID self) {
    static_cast<CMainWindow*>(self)->dlg_.RunStartupWorker();
    return 0;
}

void CMainWindow::RunOnWindowThread(const std::function<void()>& work) {
    SendMessageW(hwnd_, kRunOnWindowThread, 0, reinterpret_cast<LPARAM>(&work));
}

// A worker still waiting to reach the window finds it gone and ends at once.
void CMainWindow::WaitForStartupWorker() {
    if (worker_) {
        WaitForSingleObject(worker_.Get(), INFINITE);
        worker_.Reset();
    }
}

void CMainWindow::RunPostedWork() {
    if (!posted_.empty()) {
        const std::function<void()> work = std::move(posted_.front());
        posted_.pop_front();
        work();
    }
}

}  // namespace vx::win32
