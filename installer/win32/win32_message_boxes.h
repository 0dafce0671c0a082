// Message boxes of the installer's flows, owned by one of its windows.
#pragma once

#include <windows.h>

#include <atomic>

#include "installer/installer_platform.h"

namespace vx::inst::win32 {

// The owner may change on one thread while another shows a box (a progress window's
// worker).
class Win32MessageBoxes : public MessageBoxes {
  public:
    explicit Win32MessageBoxes(HWND owner = nullptr) : owner_(owner) {}
    void SetOwner(HWND owner) { owner_ = owner; }
    Answer Show(const std::string& text, const std::string& caption, MsgStyle style) override;

  private:
    std::atomic<HWND> owner_;
};

}  // namespace vx::inst::win32
