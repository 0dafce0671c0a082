// The main window's menu: every drop-down item owner-drawn with a 16-pixel icon
// column, accelerator texts right-aligned. Decisions and geometry come from
// app/icon_menu_model.h; this side owns the menu handles and draws.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "app/icon_menu_model.h"
#include "common/win32/owned.h"

namespace vx::win32 {

// What an accessibility client looks for at the start of an owner-drawn item's data
// (MSAAMENUINFO and MSAA_MENU_SIG of oleacc.h, which not every SDK carries): with it,
// a screen reader reads the item's name from the data instead of finding no text.
// https://learn.microsoft.com/windows/win32/api/oleacc/ns-oleacc-msaamenuinfo
constexpr DWORD kMsaaMenuSignature = 0xAA0DF00DUL;
struct MsaaMenuInfo {
    DWORD signature;
    DWORD length;  // in characters, without the terminating zero
    LPWSTR text;
};

// One per menu item, handed to the system as the item's data.
struct IconMenuItem {
    MsaaMenuInfo msaa{kMsaaMenuSignature, 0, nullptr};  // first: the data starts with it
    std::wstring name;  // the text as the menu resource has it: the item's string and its name
    std::wstring text;  // with any tab and accelerator text, padded to line the keys up
    int imageIndex = -1;
    int bitmapId = -1;
    UINT flags = 0;
    UINT_PTR id = 0;  // command id, or the drop-down menu's handle
    bool used = false;
    ImageList images;

    void SetName(const std::wstring& n) {
        name = n;
        msaa.length = static_cast<DWORD>(name.size());
        msaa.text = name.data();
    }
};
static_assert(std::is_standard_layout_v<IconMenuItem>, "the data must start with msaa");

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

    HMENU Handle() const { return menu_.Get(); }
    // The images' edge in pixels (16, 24 or 32), before the images are assigned; the icon
    // column and its spacing grow with it.
    void SetImageSize(int pixels) { metrics_.imageSize = pixels; }
    // The window took the top-level menu over: it destroys that handle, not us.
    HMENU Detach();
    // The window's menu handed back for a while (images assigned after the window showed);
    // Detach again before the window goes.
    void Attach(HMENU menu) { menu_.Reset(menu); }

  private:
    IconMenuItem* AppendItem(HMENU menu, UINT flags, UINT_PTR id, const std::wstring& text);
    IconMenuItem* FindRecord(UINT commandId);
    CIconMenu* FindPopup(HMENU handle);
    void Resynchronise();
    void AlignTexts(HWND measureWindow, HFONT font);
    HFONT MenuFont() const;

    // Destroyed last to first (see ~CIconMenu): keep the order.
    MenuHandle menu_;
    std::vector<std::unique_ptr<IconMenuItem>> items_;
    std::vector<std::unique_ptr<CIconMenu>> popups_;
    COLORREF maskColour_;  // the images' own transparent grey
    MenuMetrics metrics_;
    // The system menu font, made at the first use and kept: the top-level menu measures and
    // draws every item.
    mutable GdiObject<HFONT> font_;
};

}  // namespace vx::win32
