// A message box of the portable icon, buttons and answer, for every window.
#pragma once

#include <windows.h>

#include <string>

#include "common/message_box.h"
#include "common/win32/utf16.h"

namespace vx::win32 {

inline UINT MessageBoxType(MsgIcon icon, MsgButtons buttons) {
    const UINT icons[] = {0, MB_ICONINFORMATION, MB_ICONEXCLAMATION, MB_ICONSTOP};
    const UINT sets[] = {MB_OK, MB_YESNO, MB_YESNOCANCEL};
    return icons[static_cast<int>(icon)] | sets[static_cast<int>(buttons)];
}

inline MsgAnswer ShowMessageBox(HWND owner, const std::string& text, const std::string& caption,
                                MsgIcon icon, MsgButtons buttons) {
    switch (MessageBoxW(owner, Widen(text).c_str(), Widen(caption).c_str(),
                        MessageBoxType(icon, buttons))) {
        case IDYES:
            return MsgAnswer::Yes;
        case IDNO:
            return MsgAnswer::No;
        case IDCANCEL:
            return MsgAnswer::Cancel;
        default:
            return MsgAnswer::Ok;
    }
}

}  // namespace vx::win32
