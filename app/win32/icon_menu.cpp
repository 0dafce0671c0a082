#include "app/win32/icon_menu.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "common/win32/windows_version.h"

namespace vx::win32 {

namespace {

constexpr WORD kToolbarResourceType = 241;
// The light grey that the menu bitmaps paint where they are transparent. The mask is made
// from it, not from the button face, which is this grey on the classic scheme only.
constexpr COLORREF kImageTransparentColour = RGB(192, 192, 192);

// Drop-down menus created by any icon menu of the process.
std::vector<std::pair<HMENU, CIconMenu*>>& PopupRegistry() {
    static std::vector<std::pair<HMENU, CIconMenu*>> registry;
    return registry;
}

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

HFONT CreateMenuFont() {
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof ncm;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
    return CreateFontIndirectW(&ncm.lfMenuFont);
}

// A memory device context of CreateCompatibleDC, and an icon made for one drawing.
using MemoryDc = Owned<NullEmpty<HDC, &DeleteDC>>;
using IconHandle = Owned<NullEmpty<HICON, &DestroyIcon>>;

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

// The image number of `commandId` in a toolbar resource of the same id, if there is one.
int ToolbarImageOf(HINSTANCE instance, int bitmapId, UINT commandId) {
    HRSRC r =
        FindResourceW(instance, MAKEINTRESOURCEW(bitmapId), MAKEINTRESOURCEW(kToolbarResourceType));
    if (!r) return 0;
    const auto* words = static_cast<const WORD*>(LockResource(LoadResource(instance, r)));
    const DWORD size = SizeofResource(instance, r);
    if (!words || size < 8) return 0;
    const WORD count = words[3];  // version, width, height, count, then the button ids
    int image = 0;
    for (WORD i = 0; i < count && 8u + 2u * i < size; ++i) {
        const WORD id = words[4 + i];
        if (id == commandId) return image;
        if (id != 0) ++image;
    }
    return 0;
}

// Gives a drawn item (by position or command) its name as its string too, so GetMenuString
// and the system's keyboard handling see the text the template had. The item stays owner-drawn.
void NameDrawnItem(HMENU menu, UINT item, bool byPosition, IconMenuItem& record) {
    if (record.flags & MF_SEPARATOR) return;
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_STRING;
    mii.dwTypeData = record.name.data();
    mii.cch = static_cast<UINT>(record.name.size());
    SetMenuItemInfoW(menu, item, byPosition ? TRUE : FALSE, &mii);
}

}  // namespace

CIconMenu::CIconMenu() : maskColour_(kImageTransparentColour) {}

CIconMenu::~CIconMenu() {
    font_.Reset();
    auto& registry = PopupRegistry();
    for (const auto& popup : popups_) {
        registry.erase(std::remove_if(registry.begin(), registry.end(),
                                      [&](const auto& e) { return e.first == popup->menu_; }),
                       registry.end());
    }
    popups_.clear();  // each destroys its own handle
    items_.clear();   // each record its image list
    if (menu_) DestroyMenu(menu_);
}

HMENU CIconMenu::Detach() { return std::exchange(menu_, nullptr); }

IconMenuItem* CIconMenu::AppendItem(HMENU menu, UINT flags, UINT_PTR id, const std::wstring& text) {
    auto item = std::make_unique<IconMenuItem>();
    item->text = text;
    item->SetName(text);
    item->flags =
        id == 0 && !(flags & MF_POPUP) ? (MF_SEPARATOR | MF_OWNERDRAW) : (flags | MF_OWNERDRAW);
    item->id = id;
    AppendMenuW(menu, item->flags, id, reinterpret_cast<LPCWSTR>(item.get()));
    NameDrawnItem(menu, static_cast<UINT>(GetMenuItemCount(menu) - 1), true, *item);
    items_.push_back(std::move(item));
    return items_.back().get();
}

bool CIconMenu::LoadMenu(HINSTANCE instance, int resourceId, HWND measureWindow) {
    HRSRC res =
        FindResourceW(instance, MAKEINTRESOURCEW(resourceId), MAKEINTRESOURCEW(4) /* RT_MENU */);
    if (!res) return false;
    const auto* data = static_cast<const std::uint8_t*>(LockResource(LoadResource(instance, res)));
    if (!data) return false;
    menu_ = CreateMenu();
    if (!menu_) return false;

    std::vector<MenuTemplateItem> top;
    ParseMenuTemplate(data, SizeofResource(instance, res), top);

    // Depth first, as the template lists them; a drop-down's texts are aligned once
    // its last item is in.
    struct Builder {
        HWND window;
        HFONT font;
        void Build(CIconMenu& menu, const std::vector<MenuTemplateItem>& items) {
            for (const MenuTemplateItem& t : items) {
                const UINT flags = t.flags & ~(kMenuFlagLastItem);
                const std::wstring text(t.text.begin(), t.text.end());
                if (t.IsPopup()) {
                    auto child = std::make_unique<CIconMenu>();
                    child->menu_ = CreatePopupMenu();
                    PopupRegistry().emplace_back(child->menu_, child.get());
                    menu.AppendItem(menu.menu_, flags | MF_POPUP,
                                    reinterpret_cast<UINT_PTR>(child->menu_), text);
                    Build(*child, t.children);
                    child->AlignTexts(window, font);
                    menu.popups_.push_back(std::move(child));
                } else {
                    menu.AppendItem(menu.menu_, flags, t.id, text);
                }
            }
        }
    } builder{measureWindow, MenuFont()};
    builder.Build(*this, top);

    // The bar itself stays system-drawn.
    for (int pos = 0; pos < static_cast<int>(items_.size()); ++pos) {
        const IconMenuItem& item = *items_[pos];
        const UINT popup = (item.flags & MF_POPUP) ? MF_POPUP : 0;
        ModifyMenuW(menu_, pos, MF_BYPOSITION | MF_STRING | popup, item.id, item.text.c_str());
    }
    return true;
}

HFONT CIconMenu::MenuFont() const {
    if (!font_) font_.Reset(CreateMenuFont());
    return font_.Get();
}

void CIconMenu::AlignTexts(HWND measureWindow, HFONT font) {
    HDC dc = GetDC(measureWindow);
    {
        const ScopedSelect keep(dc, font);
        std::vector<std::u16string> texts;
        for (const auto& item : items_) texts.emplace_back(item->text.begin(), item->text.end());
        AlignAcceleratorTexts(texts, [dc](const std::u16string& s) {
            SIZE size{};
            GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(s.c_str()),
                                  static_cast<int>(s.size()), &size);
            return static_cast<int>(size.cx);
        });
        for (std::size_t i = 0; i < items_.size(); ++i)
            items_[i]->text.assign(texts[i].begin(), texts[i].end());
    }
    ReleaseDC(measureWindow, dc);
}

IconMenuItem* CIconMenu::FindRecord(UINT commandId) {
    for (std::size_t pos = 0; pos < items_.size(); ++pos) {
        IconMenuItem& item = *items_[pos];
        if (item.flags & MF_POPUP) {
            if (CIconMenu* popup = FindPopup(reinterpret_cast<HMENU>(item.id)))
                if (IconMenuItem* found = popup->FindRecord(commandId)) return found;
        } else if (item.id == commandId && !(item.flags & MF_SEPARATOR)) {
            return &item;
        }
    }
    return nullptr;
}

CIconMenu* CIconMenu::FindPopup(HMENU handle) {
    for (const auto& p : popups_)
        if (p->menu_ == handle) return p.get();
    return nullptr;
}

bool CIconMenu::ModifyODMenu(HINSTANCE instance, const wchar_t* text, UINT commandId,
                             int bitmapId) {
    IconMenuItem* record = FindRecord(commandId);
    if (!record) {
        items_.push_back(std::make_unique<IconMenuItem>());
        record = items_.back().get();
        record->id = commandId;
    }
    if (text) {
        record->text = text;
        record->SetName(text);
    } else if (record->name.empty()) {
        wchar_t buffer[256] = {};
        GetMenuStringW(menu_, commandId, buffer, 256, MF_BYCOMMAND);
        record->SetName(buffer);
    }
    record->bitmapId = bitmapId;
    record->imageIndex = ToolbarImageOf(instance, bitmapId, commandId);
    if (record->images) {
        ImageList_RemoveAll(record->images.Get());
    } else {
        record->images.Reset(ImageList_Create(metrics_.IconWidth(), metrics_.IconHeight(),
                                              ILC_COLORDDB | ILC_MASK, 1, 1));
    }
    // The images at the size of the text; the record keeps the id of the 16-pixel ones.
    const int sized = BitmapIdForImageSize(bitmapId, metrics_.imageSize);
    GdiObject<HBITMAP> bmp(static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(sized), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    if (!bmp || ImageList_AddMasked(record->images.Get(), bmp.Get(), maskColour_) < 0) {
        record->images.Reset();
        record->imageIndex = -1;
        record->bitmapId = -1;
    }
    bmp.Reset();
    record->flags = MF_OWNERDRAW;
    // Wherever the item lies, modifying it by command reaches it through the bar.
    const HMENU owner = menu_;
    ModifyMenuW(owner, commandId, MF_BYCOMMAND | MF_OWNERDRAW, commandId,
                reinterpret_cast<LPCWSTR>(record));
    NameDrawnItem(owner, commandId, false, *record);
    return static_cast<bool>(record->images);
}

void CIconMenu::MeasureItem(MEASUREITEMSTRUCT* mis) const {
    const auto* item = reinterpret_cast<const IconMenuItem*>(mis->itemData);
    if (!item) return;
    const int barHeight = GetSystemMetrics(SM_CYMENU);
    ItemSize size{};
    if (item->flags & MF_SEPARATOR) {
        size = MeasureSeparator(barHeight);
    } else {
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = NewLook() ? SelectObject(dc, MenuFont()) : nullptr;
        SIZE text{};
        GetTextExtentPoint32W(dc, item->text.c_str(), static_cast<int>(item->text.size()), &text);
        if (old) SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
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

    HGDIOBJ oldFont = SelectObject(dc, MenuFont());
    DrawRow(dc, r, l, c);
    DrawIconColumn(dc, *item, s, l, c, newLook, metrics_);
    PaintText(dc, *item, l, c);
    SelectObject(dc, oldFont);
}

bool CIconMenu::IsRegisteredPopup(HMENU menu) {
    for (const auto& e : PopupRegistry())
        if (e.first == menu) return true;
    return false;
}

LRESULT CIconMenu::FindKeyboardShortcut(UINT ch, UINT flags, HMENU menu) {
    if (!(flags & MF_POPUP)) return 0;
    CIconMenu* owner = nullptr;
    for (const auto& e : PopupRegistry())
        if (e.first == menu) owner = e.second;
    if (!owner) return 0;
    if (GetMenuItemCount(menu) != static_cast<int>(owner->items_.size())) owner->Resynchronise();
    std::vector<std::u16string> texts;
    for (const auto& item : owner->items_) texts.emplace_back(item->text.begin(), item->text.end());
    const int pos = FindMnemonicPosition(static_cast<char16_t>(ch), texts);
    return pos < 0 ? 0 : static_cast<LRESULT>(ExecuteItemAnswer(pos));
}

void CIconMenu::Resynchronise() {
    const int count = GetMenuItemCount(menu_);
    std::vector<CurrentMenuItem> current;
    for (int pos = 0; pos < count; ++pos) {
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA | MIIM_STATE;
        GetMenuItemInfoW(menu_, pos, TRUE, &mii);
        CurrentMenuItem c{MenuItemKind::Command, mii.wID, u"",
                          GetMenuState(menu_, pos, MF_BYPOSITION) & 0xFF};
        if (mii.hSubMenu) {
            c.kind = MenuItemKind::Popup;
            c.id = reinterpret_cast<UINT_PTR>(mii.hSubMenu);
        } else if (mii.fType & MFT_SEPARATOR) {
            c.kind = MenuItemKind::Separator;
            c.id = 0;
        }
        // An owner-drawn item of ours keeps its text in its record; others have their own.
        const auto* ours = reinterpret_cast<const IconMenuItem*>(mii.dwItemData);
        const bool isOurs = (mii.fType & MFT_OWNERDRAW) &&
                            std::any_of(items_.begin(), items_.end(),
                                        [&](const auto& i) { return i.get() == ours; });
        std::wstring text;
        if (isOurs) {
            text = ours->text;
        } else {
            wchar_t buffer[256] = {};
            GetMenuStringW(menu_, pos, buffer, 256, MF_BYPOSITION);
            text = buffer;
        }
        c.text.assign(text.begin(), text.end());
        current.push_back(std::move(c));
    }

    std::vector<MenuItemRecord> records;
    for (const auto& item : items_)
        records.push_back({std::u16string(item->text.begin(), item->text.end()), item->flags,
                           item->id, item->imageIndex, item->bitmapId, false});
    ResynchroniseRecords(records, current);

    std::vector<std::unique_ptr<IconMenuItem>> rebuilt;
    for (std::size_t pos = 0; pos < records.size(); ++pos) {
        const MenuItemRecord& r = records[pos];
        std::unique_ptr<IconMenuItem> item =
            r.origin >= 0 ? std::move(items_[r.origin]) : std::make_unique<IconMenuItem>();
        item->text.assign(r.text.begin(), r.text.end());
        if (item->name.empty()) item->SetName(item->text);
        item->flags = r.flags;
        item->id = r.id;
        item->used = true;
        if (current[pos].kind == MenuItemKind::Command) {
            ModifyMenuW(menu_, static_cast<UINT>(pos),
                        MF_BYPOSITION | MF_OWNERDRAW | (r.flags & 0xFF), r.id,
                        reinterpret_cast<LPCWSTR>(item.get()));
            NameDrawnItem(menu_, static_cast<UINT>(pos), true, *item);
        }
        rebuilt.push_back(std::move(item));
    }
    items_ = std::move(rebuilt);  // the records left over go with their image lists
}

}  // namespace vx::win32
