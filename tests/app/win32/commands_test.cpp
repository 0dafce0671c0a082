// The main window's commands as the built QLV3906.EXE carries them: the key each
// menu item names after its tab is the accelerator of its command, and every
// toolbar button of the command table has a tooltip that names its menu item.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/win32/icon_menu.h"
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

// The drawn menu as the window builds it, read back in this process (another process's
// menu cannot be read under Wine): every command stays owner-drawn, GetMenuString gives
// its text as the menu resource has it, and its data starts with the accessibility
// signature and the same text, which is what a screen reader reads.
TEST(Commands, EveryDrawnCommandHasItsName) {
    HMODULE exe = LoadLibraryExW(Widen(VX_QLV3906_EXE).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    HMENU plain = LoadMenuW(exe, MAKEINTRESOURCEW(IDR_MAIN));
    ASSERT_NE(plain, nullptr);
    std::map<int, std::wstring> expected;
    CollectItems(plain, expected);
    DestroyMenu(plain);

    CIconMenu menu;
    ASSERT_TRUE(menu.LoadMenu(exe, IDR_MAIN, nullptr));
    for (const Command& c : kCommands) {
        if (c.menuBitmap == 0) continue;
        EXPECT_TRUE(menu.ModifyODMenu(exe, nullptr, static_cast<UINT>(c.menuId), c.menuBitmap));
    }
    std::map<int, std::wstring> named, accessible;
    for (int top = 0; top < GetMenuItemCount(menu.Handle()); ++top) {
        HMENU popup = GetSubMenu(menu.Handle(), top);
        ASSERT_NE(popup, nullptr);
        for (int i = 0; i < GetMenuItemCount(popup); ++i) {
            MENUITEMINFOW mii{};
            mii.cbSize = sizeof mii;
            mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA;
            ASSERT_TRUE(GetMenuItemInfoW(popup, static_cast<UINT>(i), TRUE, &mii));
            EXPECT_TRUE(mii.fType & MFT_OWNERDRAW) << "item " << mii.wID << " is not drawn";
            if (mii.fType & MFT_SEPARATOR) continue;
            const int id = static_cast<int>(mii.wID);
            wchar_t text[256] = {};
            GetMenuStringW(popup, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
            named[id] = text;
            const auto* info = reinterpret_cast<const MsaaMenuInfo*>(mii.dwItemData);
            ASSERT_NE(info, nullptr);
            EXPECT_EQ(info->signature, kMsaaMenuSignature) << "item " << id;
            if (info->text) accessible[id] = std::wstring(info->text, info->length);
        }
    }
    EXPECT_EQ(named.size(), 15u);
    EXPECT_EQ(named, expected);
    EXPECT_EQ(accessible, expected);
    FreeLibrary(exe);
}

}  // namespace
}  // namespace vx::win32
