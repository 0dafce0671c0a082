// The main window's menu: every drop-down item owner-drawn with a 16-pixel icon
// column, accelerator texts right-aligned. Decisions and geometry come from
// app/icon_menu_model.h; this side owns the menu handles and draws.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "app/icon_menu_model.h"

namespace vx::win32 {

// One per menu item, handed to the system as the item's data.
struct IconMenuItem {
    std::wstring text;  // with any tab and accelerator text
    int imageIndex = -1;
    int bitmapId = -1;
    UINT flags = 0;
    UINT_PTR id = 0;  // command id, or the drop-down menu's handle
    bool used = false;
    HIMAGELIST images = nullptr;
};

class CIconMenu {
  public:
    CIconMenu();
    ~CIconMenu();
    CIconMenu(const CIconMenu&) = delete;
    CIconMenu& operator=(const CIconMenu&) = delete;

    // Builds the whole tree from a menu resource; `measureWindow` gives the screen
    // context for aligning accelerator texts. False when the resource is missing.
    bool LoadMenu(HINSTANCE instance, int resourceId, HWND measureWindow);

    // Gives the item with `commandId`, wherever it lies in the tree, the image of a
    // bitmap resource (and a new text when `text` is not null).
    bool ModifyODMenu(HINSTANCE instance, const wchar_t* text, UINT commandId, int bitmapId);

    void MeasureItem(MEASUREITEMSTRUCT* mis) const;
    void DrawItem(const DRAWITEMSTRUCT* dis) const;

    // The answer to WM_MENUCHAR: 0 unless `menu` is a registered drop-down.
    static LRESULT FindKeyboardShortcut(UINT ch, UINT flags, HMENU menu);
    static bool IsRegisteredPopup(HMENU menu);

    HMENU Handle() const { return menu_; }
    // The window took the top-level menu over: it destroys that handle, not us.
    HMENU Detach();
    // The window's menu handed back for a while (images assigned after the window showed);
    // Detach again before the window goes.
    void Attach(HMENU menu) { menu_ = menu; }

  private:
    IconMenuItem* AppendItem(HMENU menu, UINT flags, UINT_PTR id, const std::wstring& text);
    IconMenuItem* FindRecord(UINT commandId);
    CIconMenu* FindPopup(HMENU handle);
    void Resynchronise();
    void AlignTexts(HWND measureWindow);

    HMENU menu_ = nullptr;
    std::vector<std::unique_ptr<IconMenuItem>> items_;
    std::vector<std::unique_ptr<CIconMenu>> popups_;
    COLORREF maskColour_;  // the images' own transparent grey
};

}  // namespace vx::win32
