#pragma once

#include <windows.h>

#include "app/startup.h"
#include "common/win32/owned.h"

namespace vx::win32 {

// Holds the single-instance mutex until it is destroyed, at the program's end.
class Win32InstanceSystem : public InstanceSystem {
  public:
    Win32InstanceSystem() = default;
    Win32InstanceSystem(const Win32InstanceSystem&) = delete;
    Win32InstanceSystem& operator=(const Win32InstanceSystem&) = delete;

    bool OpenExistingMutex(const std::string& name) override;
    void CreateOwnedMutex(const std::string& name) override;
    long long FindMainWindow(const std::string& title) override;
    bool IsMinimised(long long window) override;
    void Restore(long long window) override;
    void BringToForeground(long long window) override;

  private:
    UniqueHandle mutex_;
};

}  // namespace vx::win32
