// The main window's toolbar and status bar: thin wrappers over the common controls.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace vx::win32 {

class CMainToolBar {
  public:
    // Child, visible, border, tooltips, adjustable, at the top; the buttons of the seven
    // commands with separators between the groups, their images `imageSize` pixels square
    // from the strip of that size made for `bitmapId`; sized to fit.
    bool Create(HWND parent, HINSTANCE instance, int controlId, int bitmapId, int imageSize);
    HWND Handle() const { return hwnd_; }
    void EnableButton(int id, bool enabled) {
        SendMessageW(hwnd_, TB_ENABLEBUTTON, static_cast<WPARAM>(id),
                     MAKELPARAM(enabled ? TRUE : FALSE, 0));
    }
    // A tooltip asks for a button's text: its string resource, cut to what the tooltip's
    // 80-character buffer holds. False when the request is not for one of our buttons.
    static bool OnNeedText(HINSTANCE instance, NMHDR* header);

  private:
    HWND hwnd_ = nullptr;
};

class CMainStatusBar {
  public:
    // Child, visible, at the bottom, with tooltips: a part too narrow for its text shows the
    // whole text when the mouse rests on it.
    bool Create(HWND parent, HINSTANCE instance, int controlId);
    HWND Handle() const { return hwnd_; }
    // Three parts: the printer name up to three fifths of the bar's width, the destination up
    // to four fifths, and where the pages' values came from to the end.
    bool SetParts();
    void SetText(int part, const wchar_t* text) {
        SendMessageW(hwnd_, SB_SETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text));
        SendMessageW(hwnd_, SB_SETTIPTEXTW, static_cast<WPARAM>(part),
                     reinterpret_cast<LPARAM>(text));
    }

  private:
    HWND hwnd_ = nullptr;
};

}  // namespace vx::win32
