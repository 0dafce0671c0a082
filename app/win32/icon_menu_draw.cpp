// How the icon menu's items are measured and painted; the menu's records, its image
// lists and its keyboard handling are in icon_menu.cpp.
#include "app/win32/icon_menu.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "common/win32/windows_version.h"

namespace vx::win32 {

namespace {

int PlatformKind() {
    static const int kind = [] {
        const vx::win32::VersionNumbers v = vx::win32::QueryWindowsVersion();
        return MenuPlatformKind(v.platformId != VER_PLATFORM_WIN32_NT, static_cast<int>(v.major));
    }();
    return kind;
}

bool NewLook() { return IsNewLook(PlatformKind()); }

// Asked at every drawing: the user may switch high contrast on while the program runs.
bool HighContrast() {
    HIGHCONTRASTW hc{};
    hc.cbSize = sizeof hc;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0) &&
           (hc.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

RECT ToRect(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
Rect FromRect(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

void Fill(HDC dc, const RECT& r, int sysColour) {
    const GdiObject<HBRUSH> b(CreateSolidBrush(GetSysColor(sysColour)));
    FillRect(dc, &r, b.Get());
}

// A 3-D frame: sunken draws shadow top-left and highlight bottom-right.
void Frame(HDC dc, const RECT& r, bool sunken) {
    const COLORREF topLeft = GetSysColor(sunken ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
    const COLORREF bottomRight = GetSysColor(sunken ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
    const GdiObject<HPEN> tl(CreatePen(PS_SOLID, 1, topLeft));
    const GdiObject<HPEN> br(CreatePen(PS_SOLID, 1, bottomRight));
    const ScopedSelect keep(dc, tl.Get());
    MoveToEx(dc, r.left, r.bottom - 1, nullptr);
    LineTo(dc, r.left, r.top);
    LineTo(dc, r.right - 1, r.top);
    SelectObject(dc, br.Get());
    LineTo(dc, r.right - 1, r.bottom - 1);
    LineTo(dc, r.left - 1, r.bottom - 1);
}

// The image's shape: everything that is neither button face nor button highlight once
// drawn over the menu colour, row by row.
std::vector<bool> ImageShape(HDC dc, HIMAGELIST images, int index, int w, int h) {
    const MemoryDc mem(CreateCompatibleDC(dc));
    const GdiObject<HBITMAP> bmp(CreateCompatibleBitmap(dc, w, h));
    const ScopedSelect keep(mem.Get(), bmp.Get());
    RECT all{0, 0, w, h};
    Fill(mem.Get(), all, COLOR_MENU);
    {
        const IconHandle icon(ImageList_GetIcon(images, index, ILD_TRANSPARENT));
        DrawIconEx(mem.Get(), 0, 0, icon.Get(), w, h, 0, nullptr, DI_NORMAL);
    }

    const COLORREF face = GetSysColor(COLOR_BTNFACE), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    std::vector<bool> shape(static_cast<std::size_t>(w * h));
    for (int py = 0; py < h; ++py)
        for (int px = 0; px < w; ++px) {
            const COLORREF c = GetPixel(mem.Get(), px, py);
            shape[static_cast<std::size_t>(py * w + px)] = c != face && c != light;
        }
    return shape;
}

// The image drawn grayed: its shape embossed in highlight and shadow.
void DrawDisabledImage(HDC dc, HIMAGELIST images, int index, int x, int y, int plateColour,
                       const MenuMetrics& m) {
    const int w = m.IconWidth(), h = m.IconHeight(), d1 = m.Px(1);
    const std::vector<bool> shape = ImageShape(dc, images, index, w, h);

    RECT back{x, y, x + w + d1, y + h + d1};
    Fill(dc, back, plateColour);
    for (int pass = 0; pass < 2; ++pass) {
        const COLORREF c = GetSysColor(pass == 0 ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
        const int d = pass == 0 ? d1 : 0;
        for (int py = 0; py < h; ++py)
            for (int px = 0; px < w; ++px)
                if (shape[static_cast<std::size_t>(py * w + px)])
                    SetPixelV(dc, x + px + d, y + py + d, c);
    }
}

void DrawTextParts(HDC dc, const std::wstring& left, const std::wstring& accel, RECT r,
                   COLORREF colour) {
    SetTextColor(dc, colour);
    const UINT format = DT_SINGLELINE | DT_VCENTER;
    DrawTextW(dc, left.c_str(), static_cast<int>(left.size()), &r, format | DT_LEFT);
    if (!accel.empty())
        DrawTextW(dc, accel.c_str(), static_cast<int>(accel.size()), &r, format | DT_RIGHT);
}

}  // namespace

void CIconMenu::MeasureItem(MEASUREITEMSTRUCT* mis) const {
    const auto* item = reinterpret_cast<const IconMenuItem*>(mis->itemData);
    if (!item) return;
    const int barHeight = GetSystemMetrics(SM_CYMENU);
    ItemSize size{};
    if (item->flags & MF_SEPARATOR) {
        size = MeasureSeparator(barHeight);
    } else {
        const WindowDc screen(nullptr);
        const HDC dc = screen.Get();
        HGDIOBJ old = NewLook() ? SelectObject(dc, MenuFont()) : nullptr;
        SIZE text{};
        GetTextExtentPoint32W(dc, item->text.c_str(), static_cast<int>(item->text.size()), &text);
        if (old) SelectObject(dc, old);
        size = MeasureMenuItem(text.cx, barHeight, metrics_);
    }
    mis->itemWidth = static_cast<UINT>(size.width);
    mis->itemHeight = static_cast<UINT>(size.height);
}

namespace {

// The system colour of each menu colour, in the order of MenuColour (None draws as the menu).
constexpr int kSysColours[] = {COLOR_MENU,          COLOR_MENU,     COLOR_HIGHLIGHT,
                               COLOR_HIGHLIGHTTEXT, COLOR_MENUTEXT, COLOR_3DLIGHT,
                               COLOR_BTNHIGHLIGHT,  COLOR_GRAYTEXT, COLOR_BTNFACE};
static_assert(sizeof kSysColours / sizeof kSysColours[0] ==
              static_cast<int>(MenuColour::ButtonFace) + 1);

int SysColourOf(MenuColour c) { return kSysColours[static_cast<int>(c)]; }

// The check mark of an item without image: a dot for a radio item, else a tick.
void DrawCheckMark(HDC dc, const RECT& box, const ItemLayout& l, const ItemColours& c, bool radio,
                   bool newLook, const MenuMetrics& m) {
    Fill(dc, box, SysColourOf(c.checkBox));
    RECT edge = box;
    if (newLook) DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
    const COLORREF mark = GetSysColor(COLOR_MENUTEXT);
    if (radio) {
        const GdiObject<HBRUSH> b(CreateSolidBrush(mark));
        const GdiObject<HPEN> p(CreatePen(PS_SOLID, 1, mark));
        const ScopedSelect keepBrush(dc, b.Get()), keepPen(dc, p.Get());
        Ellipse(dc, l.markAt.x, l.markAt.y, l.markAt.x + m.Px(6), l.markAt.y + m.Px(6));
    } else {
        // The tick's pixels as squares of the images' whole-number scale.
        const int dot = std::max(1, m.imageSize / kMenuIconWidth);
        const GdiObject<HBRUSH> b(CreateSolidBrush(mark));
        for (const Point& px : TickPixels()) {
            const RECT square{l.markAt.x + px.x * dot, l.markAt.y + px.y * dot,
                              l.markAt.x + (px.x + 1) * dot, l.markAt.y + (px.y + 1) * dot};
            FillRect(dc, &square, b.Get());
        }
    }
}

void DrawRow(HDC dc, const RECT& r, const ItemLayout& l, const ItemColours& c) {
    if (c.row != MenuColour::Highlight) {
        Fill(dc, r, COLOR_MENU);
        return;
    }
    const RECT hl = ToRect(l.highlight);
    if (hl.left != r.left) Fill(dc, RECT{r.left, r.top, hl.left, r.bottom}, COLOR_MENU);
    Fill(dc, hl, COLOR_HIGHLIGHT);
}

void DrawIconColumn(HDC dc, const IconMenuItem& item, const ItemState& s, const ItemLayout& l,
                    const ItemColours& c, bool newLook, const MenuMetrics& m) {
    if (!s.hasImage) {
        if (s.checked) DrawCheckMark(dc, ToRect(l.checkBox), l, c, s.radio, newLook, m);
        return;
    }
    if (s.grayed) {
        DrawDisabledImage(dc, item.images.Get(), item.imageIndex, l.imageAt.x, l.imageAt.y,
                          SysColourOf(c.grayedImagePlate), m);
        return;
    }
    const RECT frame = ToRect(l.iconFrame);
    Fill(dc, frame, SysColourOf(c.iconFrame));
    if (c.frameRaised || c.frameSunken) Frame(dc, frame, c.frameSunken);
    ImageList_Draw(item.images.Get(), item.imageIndex, dc, l.imageAt.x, l.imageAt.y,
                   ILD_TRANSPARENT);
}

void PaintText(HDC dc, const IconMenuItem& item, const ItemLayout& l, const ItemColours& c) {
    const std::size_t tab = item.text.find(L'\t');
    const std::wstring left = item.text.substr(0, tab);
    const std::wstring accel =
        tab != std::wstring::npos ? item.text.substr(tab + 1) : std::wstring();
    RECT tr = ToRect(l.textRect);
    SetBkMode(dc, TRANSPARENT);
    if (c.embossed) {
        RECT shifted = tr;
        OffsetRect(&shifted, 1, 1);
        DrawTextParts(dc, left, accel, shifted, GetSysColor(COLOR_BTNHIGHLIGHT));
    }
    DrawTextParts(dc, left, accel, tr, GetSysColor(SysColourOf(c.text)));
}

}  // namespace

// What the item looks like (state, layout and colours) is decided by the portable model;
// this only paints it: the row, the icon column, the text.
void CIconMenu::DrawItem(const DRAWITEMSTRUCT* dis) const {
    const auto* item = reinterpret_cast<const IconMenuItem*>(dis->itemData);
    if (!item) return;
    HDC dc = dis->hDC;
    RECT r = dis->rcItem;

    if (item->flags & MF_SEPARATOR) {
        RECT mid = r;
        mid.top += (r.bottom - r.top) / 2;
        DrawEdge(dc, &mid, EDGE_ETCHED, BF_TOP);
        return;
    }

    ItemState s;
    s.selected = (dis->itemState & ODS_SELECTED) != 0;
    s.grayed = (dis->itemState & ODS_GRAYED) != 0;
    s.checked = (dis->itemState & ODS_CHECKED) != 0;
    s.hasImage = item->bitmapId != -1 && static_cast<bool>(item->images);
    const std::size_t tab = item->text.find(L'\t');
    s.hasAccelerator = tab != std::wstring::npos;
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_CHECKMARKS;
    GetMenuItemInfoW(reinterpret_cast<HMENU>(dis->hwndItem), dis->itemID, FALSE, &mii);
    s.radio = mii.hbmpChecked != nullptr;
    const ItemLayout l = LayoutMenuItem(FromRect(r), s, metrics_);
    const bool newLook = NewLook();
    const ItemColours c = ChooseItemColours(s, newLook, HighContrast());

    const ScopedSelect keepFont(dc, MenuFont());
    DrawRow(dc, r, l, c);
    DrawIconColumn(dc, *item, s, l, c, newLook, metrics_);
    PaintText(dc, *item, l, c);
}

}  // namespace vx::win32
