// The main window's commands as the built QLV3906.EXE carries them: the key each
// menu item names after its tab is the accelerator of its command, and every
// toolbar button of the command table has a tooltip that names its menu item.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/commands.h"
#include "common/win32/utf16.h"

namespace vx::win32 {
namespace {

// An accelerator's key as a menu item writes it after the tab: "Ctrl+W", "F1".
std::wstring KeyText(const ACCEL& a) {
    std::wstring text;
    if (a.fVirt & FCONTROL) text += L"Ctrl+";
    if (a.fVirt & FALT) text += L"Alt+";
    if (a.fVirt & FSHIFT) text += L"Shift+";
    if (a.key >= VK_F1 && a.key <= VK_F24) return text + L"F" + std::to_wstring(a.key - VK_F1 + 1);
    return text + static_cast<wchar_t>(a.key);
}

// Every item of the menu and its submenus, by command: its whole text.
void CollectItems(HMENU menu, std::map<int, std::wstring>& items) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            CollectItems(sub, items);
            continue;
        }
        wchar_t text[256] = {};
        if (GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION) > 0)
            items[static_cast<int>(GetMenuItemID(menu, i))] = text;
    }
}

TEST(Commands, AcceleratorsAreTheKeysTheMenuNamesAndEveryButtonHasItsTooltip) {
    HMODULE exe = LoadLibraryExW(Widen(VX_QLV3906_EXE).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    HMENU menu = LoadMenuW(exe, MAKEINTRESOURCEW(IDR_MAIN));
    HACCEL accelerators = LoadAcceleratorsW(exe, MAKEINTRESOURCEW(IDR_MAIN));
    ASSERT_NE(menu, nullptr);
    ASSERT_NE(accelerators, nullptr);

    std::map<int, std::wstring> items, named, accelerated;
    CollectItems(menu, items);
    for (const auto& [id, text] : items) {
        const std::size_t tab = text.find(L'\t');
        // Alt+F4 closes any window: the system's key, not one of the program's accelerators.
        if (tab != std::wstring::npos && id != IDM_EXIT) named[id] = text.substr(tab + 1);
    }
    std::vector<ACCEL> table(
        static_cast<std::size_t>(CopyAcceleratorTableW(accelerators, nullptr, 0)));
    CopyAcceleratorTableW(accelerators, table.data(), static_cast<int>(table.size()));
    for (const ACCEL& a : table) accelerated[a.cmd] = KeyText(a);
    EXPECT_EQ(accelerated, named);

    for (const Command& c : kCommands) {
        SCOPED_TRACE(c.menuId);
        ASSERT_EQ(items.count(c.menuId), 1u) << "a command of the table is not on the menu";
        if (c.buttonId == 0) continue;
        wchar_t tip[80] = {};
        ASSERT_GT(LoadStringW(exe, static_cast<UINT>(c.buttonId), tip, 80), 0);
        // The menu text without its mnemonic, ellipsis and key: "設定ファイルの読み込み(&O)...".
        const std::wstring& text = items[c.menuId];
        EXPECT_EQ(text.substr(0, text.find(L"(&")), tip);
    }
    DestroyAcceleratorTable(accelerators);
    DestroyMenu(menu);
    FreeLibrary(exe);
}

}  // namespace
}  // namespace vx::win32
