#include "installer/win32/win32_message_boxes.h"

#include "common/win32/message_box.h"

namespace vx::inst::win32 {

Answer Win32MessageBoxes::Show(const std::string& text, const std::string& caption,
                               MsgStyle style) {
    return vx::win32::ShowMessageBox(owner_, text, caption, style.icon, style.buttons);
}

}  // namespace vx::inst::win32
