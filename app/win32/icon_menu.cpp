#include "app/win32/icon_menu.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

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

HFONT CreateMenuFont() {
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof ncm;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
    return CreateFontIndirectW(&ncm.lfMenuFont);
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

// The drop-downs leave the registry here; the members then go in reverse order of
// declaration: the font, the drop-downs (each destroys its own handle), the records (each
// its image list) and last the menu.
CIconMenu::~CIconMenu() {
    auto& registry = PopupRegistry();
    for (const auto& popup : popups_) {
        registry.erase(std::remove_if(registry.begin(), registry.end(),
                                      [&](const auto& e) { return e.first == popup->menu_.Get(); }),
                       registry.end());
    }
}

HMENU CIconMenu::Detach() { return menu_.Release(); }

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
    menu_.Reset(CreateMenu());
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
                    child->menu_.Reset(CreatePopupMenu());
                    PopupRegistry().emplace_back(child->menu_.Get(), child.get());
                    menu.AppendItem(menu.menu_.Get(), flags | MF_POPUP,
                                    reinterpret_cast<UINT_PTR>(child->menu_.Get()), text);
                    Build(*child, t.children);
                    child->AlignTexts(window, font);
                    menu.popups_.push_back(std::move(child));
                } else {
                    menu.AppendItem(menu.menu_.Get(), flags, t.id, text);
                }
            }
        }
    } builder{measureWindow, MenuFont()};
    builder.Build(*this, top);

    // The bar itself stays system-drawn.
    for (int pos = 0; pos < static_cast<int>(items_.size()); ++pos) {
        const IconMenuItem& item = *items_[pos];
        const UINT popup = (item.flags & MF_POPUP) ? MF_POPUP : 0;
        ModifyMenuW(menu_.Get(), pos, MF_BYPOSITION | MF_STRING | popup, item.id,
                    item.text.c_str());
    }
    return true;
}

HFONT CIconMenu::MenuFont() const {
    if (!font_) font_.Reset(CreateMenuFont());
    return font_.Get();
}

void CIconMenu::AlignTexts(HWND measureWindow, HFONT font) {
    const WindowDc window(measureWindow);
    const HDC dc = window.Get();
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
        if (p->menu_.Get() == handle) return p.get();
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
        GetMenuStringW(menu_.Get(), commandId, buffer, 256, MF_BYCOMMAND);
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
    const HMENU owner = menu_.Get();
    ModifyMenuW(owner, commandId, MF_BYCOMMAND | MF_OWNERDRAW, commandId,
                reinterpret_cast<LPCWSTR>(record));
    NameDrawnItem(owner, commandId, false, *record);
    return static_cast<bool>(record->images);
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
    const int count = GetMenuItemCount(menu_.Get());
    std::vector<CurrentMenuItem> current;
    for (int pos = 0; pos < count; ++pos) {
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA | MIIM_STATE;
        GetMenuItemInfoW(menu_.Get(), pos, TRUE, &mii);
        CurrentMenuItem c{MenuItemKind::Command, mii.wID, u"",
                          GetMenuState(menu_.Get(), pos, MF_BYPOSITION) & 0xFF};
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
            GetMenuStringW(menu_.Get(), pos, buffer, 256, MF_BYPOSITION);
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
            ModifyMenuW(menu_.Get(), static_cast<UINT>(pos),
                        MF_BYPOSITION | MF_OWNERDRAW | (r.flags & 0xFF), r.id,
                        reinterpret_cast<LPCWSTR>(item.get()));
            NameDrawnItem(menu_.Get(), static_cast<UINT>(pos), true, *item);
        }
        rebuilt.push_back(std::move(item));
    }
    items_ = std::move(rebuilt);  // the records left over go with their image lists
}

}  // namespace vx::win32
