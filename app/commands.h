// The main window's commands, one row each: the menu command, its toolbar button
// and the button's image in the strip (IDB_TOOLBAR), whether a separator stands
// before the button, and the menu item's image. The toolbar, the menu images and
// the mapping of a button to its menu command are all built from this table; the
// menu texts, accelerators and tooltips in qlv3906.rc are checked against it by
// the resource test.
#pragma once

#include "resources/resource.h"

namespace vx {

struct Command {
    int menuId;
    int buttonId;  // 0: no toolbar button
    int image;     // the button's image in the toolbar strip
    bool separatorBefore;
    int menuBitmap;  // 0: no image in the menu
};

// The toolbar's buttons in toolbar order, then the commands with only a menu image.
constexpr Command kCommands[] = {
    {IDM_OPEN_SETTINGS, IDT_OPEN_SETTINGS, 0, true, IDB_MENU_OPEN},
    {IDM_SAVE_SETTINGS, IDT_SAVE_SETTINGS, 1, false, IDB_MENU_SAVE},
    {IDM_RECEIVE_SETTINGS, IDT_RECEIVE_SETTINGS, 2, true, IDB_MENU_RECEIVE},
    {IDM_SEND_SETTINGS, IDT_SEND_SETTINGS, 3, false, IDB_MENU_SEND},
    {IDM_FACTORY_DEFAULTS, IDT_FACTORY_DEFAULTS, 4, true, IDB_MENU_DEFAULTS},
    {IDM_PRINT_SETTINGS, IDT_PRINT_SETTINGS, 5, true, IDB_MENU_PRINT},
    {IDM_SELECT_PRINTER, IDT_SELECT_PRINTER, 6, true, IDB_MENU_PRINTER},
    {IDM_PAGE_SELECT, 0, 0, false, IDB_MENU_SELECT},
    {IDM_PAGE_MSW1, 0, 0, false, IDB_MENU_SWITCH},
    {IDM_PAGE_MSW2, 0, 0, false, IDB_MENU_SWITCH},
    {IDM_PAGE_MSW3, 0, 0, false, IDB_MENU_SWITCH},
    {IDM_PAGE_MSW4, 0, 0, false, IDB_MENU_SWITCH},
};

// The number of toolbar buttons (images in the strip).
constexpr int ButtonCount() {
    int n = 0;
    for (const Command& c : kCommands) n += c.buttonId != 0;
    return n;
}

// The menu command of a toolbar button; any other id unchanged.
constexpr int MenuCommandOf(int id) {
    for (const Command& c : kCommands) {
        if (c.buttonId != 0 && c.buttonId == id) return c.menuId;
    }
    return id;
}

// The toolbar button of a menu command; 0 when it has none.
constexpr int ButtonOf(int menuId) {
    for (const Command& c : kCommands) {
        if (c.menuId == menuId) return c.buttonId;
    }
    return 0;
}

}  // namespace vx
