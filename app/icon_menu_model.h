// The portable half of the owner-drawn icon menu: reading the standard menu
// template, aligning accelerator texts, the geometry of measuring and drawing
// an item, mnemonic lookup and resynchronising item records. The Win32 half
// (menu handles, GDI) only carries out what these functions decide.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/display_scale.h"

namespace vx {

// Flags of the standard menu template.
constexpr std::uint16_t kMenuFlagPopup = 0x10;     // the item opens a drop-down menu
constexpr std::uint16_t kMenuFlagLastItem = 0x80;  // the last item of its level

struct MenuTemplateItem {
    std::uint16_t flags = 0;
    std::uint16_t id = 0;  // 0 for a separator; drop-down items carry none
    std::u16string text;
    std::vector<MenuTemplateItem> children;  // the drop-down menu's items

    bool IsPopup() const { return (flags & kMenuFlagPopup) != 0; }
    bool IsSeparator() const { return !IsPopup() && id == 0; }
};

// Reads a standard (not extended) menu template into the top-level items. The
// levels are tracked with a stack of open menus and their ending marks, exactly as
// the system reads it. False when the bytes end before the template does; the items
// read so far are kept.
bool ParseMenuTemplate(const std::uint8_t* data, std::size_t size,
                       std::vector<MenuTemplateItem>& topLevel);

// Pads the part before each tab with blanks until it measures at least as wide as
// the widest part before a tab (plus one blank), so the accelerator texts line up.
void AlignAcceleratorTexts(std::vector<std::u16string>& texts,
                           const std::function<int(const std::u16string&)>& measure);

// Item size for WM_MEASUREITEM.
struct ItemSize {
    int width;
    int height;
};
constexpr int kMenuIconWidth = 16;
constexpr int kMenuIconHeight = 15;
// The icon column at one image size: 16 x 15 at 16-pixel images, and every pixel distance
// of the layout grows with the images, so the column keeps its look beside larger text.
struct MenuMetrics {
    int imageSize = 16;
    int Px(int pixelsAt16) const { return ScaleToImageSize(pixelsAt16, imageSize); }
    int IconWidth() const { return Px(kMenuIconWidth); }
    int IconHeight() const { return Px(kMenuIconHeight); }
};
ItemSize MeasureSeparator(int menuBarHeight);
ItemSize MeasureMenuItem(int textWidth, int menuBarHeight, const MenuMetrics& m = {});

struct Rect {
    int left, top, right, bottom;
    int Height() const { return bottom - top; }
    friend bool operator==(const Rect& a, const Rect& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
};
struct Point {
    int x, y;
    friend bool operator==(const Point& a, const Point& b) { return a.x == b.x && a.y == b.y; }
};

struct ItemState {
    bool selected = false;
    bool grayed = false;
    bool checked = false;
    bool hasImage = false;
    bool hasAccelerator = false;
    bool radio = false;  // a checked-state bitmap is set
};

// The system colours an item is drawn in, and which parts are drawn at all.
enum class MenuColour {
    None,
    Menu,
    Highlight,
    HighlightText,
    MenuText,
    Light3D,
    ButtonHighlight,
    GrayText,
    ButtonFace
};
struct ItemColours {
    MenuColour row;        // the item's background (the highlight part when selected)
    MenuColour iconFrame;  // behind an image that is not greyed; None: a greyed image
    bool frameRaised;      // the new look frames the image: raised, or sunken when checked
    bool frameSunken;
    MenuColour checkBox;          // behind the check mark of an item without image; None: no mark
    MenuColour text;              // the text; a greyed item not selected is embossed:
    bool embossed;                // ButtonHighlight one pixel down and right, then GrayText
    MenuColour grayedImagePlate;  // behind a greyed image's embossed shape; None: no image
};
// `highContrast`: the user asked for high contrast (SPI_GETHIGHCONTRAST). Then greyed text
// is plain GrayText, since the emboss looks doubled in those colours, and every image sits
// on a plate of the button colour, the colour the images are drawn for, so dark images stay
// visible on a dark menu.
ItemColours ChooseItemColours(const ItemState& s, bool newLook, bool highContrast = false);

// Where each part of an item goes.
struct ItemLayout {
    Rect highlight;  // the area filled with the highlight colour when selected
    int iconOffset;  // g: never negative
    Rect iconFrame;  // around the image
    Point imageAt;   // top-left of the image
    Rect checkBox;   // for a checked item without an image
    Point markAt;    // the tick's origin, or the 6 x 6 bullet's top-left for radio items
    Rect textRect;   // both text parts; the accelerator is right-aligned in it
};
ItemLayout LayoutMenuItem(const Rect& item, const ItemState& state, const MenuMetrics& m = {});

// The tick's pixels, relative to its origin.
std::vector<Point> TickPixels();

// The position of the first item whose lower-cased text contains "&" and the typed
// character, lower-cased; -1 when none does.
int FindMnemonicPosition(char16_t typed, const std::vector<std::u16string>& texts);
// The WM_MENUCHAR answer that executes the item at `position`; 0 tells the system to ignore the
// key.
std::uint32_t ExecuteItemAnswer(int position);

// Record of one item and the menu's items as the system has them now; resynchronising
// rebuilds the records in position order, reusing unused records that match.
struct MenuItemRecord {
    std::u16string text;
    std::uint32_t flags = 0;  // as appended or modified
    std::uintptr_t id = 0;    // command id, or the drop-down menu's handle
    int imageIndex = -1;
    int bitmapId = -1;
    bool used = false;
    int origin = -1;  // after resynchronising: the index of the reused record, -1 for a new one
};
enum class MenuItemKind { Popup, Separator, Command };
struct CurrentMenuItem {
    MenuItemKind kind;
    std::uintptr_t id;  // command id or drop-down handle; 0 for a separator
    std::u16string text;
    std::uint32_t flagsByPosition;
};
constexpr std::uint32_t kMfOwnerDraw = 0x100;
constexpr std::uint32_t kMfPopup = 0x10;
constexpr std::uint32_t kMfSeparator = 0x800;
void ResynchroniseRecords(std::vector<MenuItemRecord>& records,
                          const std::vector<CurrentMenuItem>& items);

// Platform kind for drawing: 9x family 1 when major > 3 else 0; NT family 3 when major > 3 else 2.
int MenuPlatformKind(bool ninexFamily, int major);
inline bool IsNewLook(int kind) { return kind == 1 || kind == 3; }

}  // namespace vx
