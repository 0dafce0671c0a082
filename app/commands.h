// The commands that have a toolbar button: each is bound to a menu command and
// to a button of its own, and both reach the same operation.
#pragma once

#include "resources/resource.h"

namespace vx {

struct ButtonCommand {
    int menuId;
    int buttonId;
};

// In toolbar order.
constexpr ButtonCommand kButtonCommands[] = {
    {IDM_OPEN_SETTINGS, IDT_OPEN_SETTINGS},       {IDM_SAVE_SETTINGS, IDT_SAVE_SETTINGS},
    {IDM_RECEIVE_SETTINGS, IDT_RECEIVE_SETTINGS}, {IDM_SEND_SETTINGS, IDT_SEND_SETTINGS},
    {IDM_FACTORY_DEFAULTS, IDT_FACTORY_DEFAULTS}, {IDM_PRINT_SETTINGS, IDT_PRINT_SETTINGS},
    {IDM_SELECT_PRINTER, IDT_SELECT_PRINTER},
};

// The menu command of a toolbar button; any other id unchanged.
constexpr int MenuCommandOf(int id) {
    for (const ButtonCommand& c : kButtonCommands) {
        if (c.buttonId == id) return c.menuId;
    }
    return id;
}

// The toolbar button of a menu command; 0 when it has none.
constexpr int ButtonOf(int menuId) {
    for (const ButtonCommand& c : kButtonCommands) {
        if (c.menuId == menuId) return c.buttonId;
    }
    return 0;
}

// The images of the drawn menu, by command.
struct MenuImage {
    int commandId;
    int bitmapId;
};
constexpr MenuImage kMenuImages[] = {
    {IDM_OPEN_SETTINGS, IDB_MENU_OPEN},        {IDM_SAVE_SETTINGS, IDB_MENU_SAVE},
    {IDM_FACTORY_DEFAULTS, IDB_MENU_DEFAULTS}, {IDM_PRINT_SETTINGS, IDB_MENU_PRINT},
    {IDM_SELECT_PRINTER, IDB_MENU_PRINTER},    {IDM_SEND_SETTINGS, IDB_MENU_SEND},
    {IDM_RECEIVE_SETTINGS, IDB_MENU_RECEIVE},  {IDM_PAGE_SELECT, IDB_MENU_SELECT},
    {IDM_PAGE_MSW1, IDB_MENU_SWITCH},          {IDM_PAGE_MSW2, IDB_MENU_SWITCH},
    {IDM_PAGE_MSW3, IDB_MENU_SWITCH},          {IDM_PAGE_MSW4, IDB_MENU_SWITCH},
};

}  // namespace vx
