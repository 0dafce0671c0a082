#include "app/win32/win32_instance_system.h"

#include "common/win32/utf16.h"

namespace vx::win32 {

namespace {
HWND AsWindow(long long window) { return reinterpret_cast<HWND>(static_cast<INT_PTR>(window)); }
}  // namespace

bool Win32InstanceSystem::OpenExistingMutex(const std::string& name) {
    const UniqueHandle existing(OpenMutexW(MUTEX_ALL_ACCESS, FALSE, Widen(name).c_str()));
    return static_cast<bool>(existing);
}

void Win32InstanceSystem::CreateOwnedMutex(const std::string& name) {
    // A failure is ignored: the program runs on.
    mutex_.Reset(CreateMutexW(nullptr, TRUE, Widen(name).c_str()));
}

long long Win32InstanceSystem::FindMainWindow(const std::string& title) {
    return reinterpret_cast<INT_PTR>(FindWindowW(L"#32770", Widen(title).c_str()));
}

bool Win32InstanceSystem::IsMinimised(long long window) {
    return IsIconic(AsWindow(window)) != FALSE;
}

void Win32InstanceSystem::Restore(long long window) { ShowWindow(AsWindow(window), SW_RESTORE); }

void Win32InstanceSystem::BringToForeground(long long window) {
    SetForegroundWindow(AsWindow(window));
}

}  // namespace vx::win32
