#include "app/win32/main_bars.h"

#include <cstring>

#include "app/commands.h"
#include "app/display_scale.h"

namespace vx::win32 {

namespace {

bool IsOurButton(UINT_PTR id) {
    return id != 0 && MenuCommandOf(static_cast<int>(id)) != static_cast<int>(id);
}

}  // namespace

bool CMainToolBar::Create(HWND parent, HINSTANCE instance, int controlId, int bitmapId,
                          int imageSize) {
    hwnd_ = CreateWindowExW(
        0, TOOLBARCLASSNAMEW, nullptr,
        WS_CHILD | WS_VISIBLE | WS_BORDER | TBSTYLE_TOOLTIPS | CCS_ADJUSTABLE | CCS_TOP, 0, 0, 0, 0,
        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), instance, nullptr);
    if (!hwnd_) return false;
    SendMessageW(hwnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(hwnd_, TB_SETBITMAPSIZE, 0, MAKELPARAM(imageSize, imageSize));
    TBADDBITMAP bitmap{instance, static_cast<UINT_PTR>(BitmapIdForImageSize(bitmapId, imageSize))};
    SendMessageW(hwnd_, TB_ADDBITMAP, ButtonCount(), reinterpret_cast<LPARAM>(&bitmap));

    int position = 0;
    for (const Command& c : kCommands) {
        if (c.buttonId == 0) continue;
        TBBUTTON button{};
        button.fsState = TBSTATE_ENABLED;
        if (c.separatorBefore) {
            button.fsStyle = BTNS_SEP;
            SendMessageW(hwnd_, TB_INSERTBUTTONW, static_cast<WPARAM>(position++),
                         reinterpret_cast<LPARAM>(&button));
        }
        button.iBitmap = c.image;
        button.idCommand = c.buttonId;
        button.fsStyle = BTNS_BUTTON;
        SendMessageW(hwnd_, TB_INSERTBUTTONW, static_cast<WPARAM>(position++),
                     reinterpret_cast<LPARAM>(&button));
    }
    SendMessageW(hwnd_, TB_AUTOSIZE, 0, 0);
    return true;
}

bool CMainToolBar::OnNeedText(HINSTANCE instance, NMHDR* header) {
    if (header->code == TTN_NEEDTEXTW) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
        if (!IsOurButton(header->idFrom)) return false;
        // 79 characters and the terminating zero fill the buffer.
        LoadStringW(instance, static_cast<UINT>(header->idFrom), info->szText, 80);
        info->lpszText = info->szText;
        return true;
    }
    if (header->code == TTN_NEEDTEXTA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
        if (!IsOurButton(header->idFrom)) return false;
        char text[256] = {};
        LoadStringA(instance, static_cast<UINT>(header->idFrom), text, sizeof text);
        // At most 79 bytes, never half of a double-byte character.
        const char* end = text;
        while (*end) {
            const char* next = CharNextA(end);
            if (next - text > 79) break;
            end = next;
        }
        const std::size_t n = static_cast<std::size_t>(end - text);
        std::memcpy(info->szText, text, n);
        info->szText[n] = '\0';
        info->lpszText = info->szText;
        return true;
    }
    return false;
}

bool CMainStatusBar::Create(HWND parent, HINSTANCE instance, int controlId) {
    hwnd_ = CreateWindowExW(
        0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | CCS_BOTTOM | SBT_TOOLTIPS, 0, 0, 0, 0,
        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), instance, nullptr);
    return hwnd_ != nullptr;
}

bool CMainStatusBar::SetParts() {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    const int width = r.right - r.left;
    int edges[3] = {width / 5 * 3, width / 5 * 4, -1};
    return SendMessageW(hwnd_, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges)) != 0;
}

}  // namespace vx::win32
