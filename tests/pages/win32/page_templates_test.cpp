// The page templates as the program carries them: the group structure that the
// arrow keys follow, read from the dialog resources of the built QLV3906.EXE.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/win32/utf16.h"
#include "resources/resource.h"
#include "tests/pages/page_lists.h"

namespace vx::win32 {
namespace {

struct TemplateItem {
    int id;
    DWORD style;
    std::wstring className;  // "#128" for the predefined button class given by number
    std::wstring text;
};

// Reads a name-or-ordinal field and moves past it.
std::wstring ReadNameOrOrdinal(const WORD*& p) {
    if (*p == 0x0000) {
        ++p;
        return {};
    }
    if (*p == 0xFFFF) {
        const WORD ordinal = p[1];
        p += 2;
        return L"#" + std::to_wstring(ordinal);
    }
    std::wstring s(reinterpret_cast<const wchar_t*>(p));
    p += s.size() + 1;
    return s;
}

const WORD* AlignToDword(const WORD* p, const BYTE* base) {
    const auto offset = static_cast<std::size_t>(reinterpret_cast<const BYTE*>(p) - base);
    return reinterpret_cast<const WORD*>(base + ((offset + 3) & ~std::size_t{3}));
}

// The controls of an extended dialog template, in template order.
std::vector<TemplateItem> ReadTemplate(HMODULE module, int templateId) {
    constexpr WORD kDialogType = 5;  // RT_DIALOG
    HRSRC res = FindResourceW(module, MAKEINTRESOURCEW(templateId), MAKEINTRESOURCEW(kDialogType));
    if (!res) return {};
    const auto* base = static_cast<const BYTE*>(LockResource(LoadResource(module, res)));
    const auto* header = reinterpret_cast<const WORD*>(base);
    if (!base || header[0] != 1 || header[1] != 0xFFFF) return {};  // DLGTEMPLATEEX only
    const DWORD dialogStyle = *reinterpret_cast<const DWORD*>(base + 12);
    const WORD count = header[8];
    const WORD* p = reinterpret_cast<const WORD*>(base + 26);  // after x, y, cx, cy
    ReadNameOrOrdinal(p);                                      // menu
    ReadNameOrOrdinal(p);                                      // class
    ReadNameOrOrdinal(p);                                      // title
    if (dialogStyle & DS_SETFONT) {
        p += 3;  // point size, weight, italic and character set
        ReadNameOrOrdinal(p);
    }
    std::vector<TemplateItem> items;
    for (WORD i = 0; i < count; ++i) {
        p = AlignToDword(p, base);
        const auto* fields = reinterpret_cast<const DWORD*>(p);  // help id, ex style, style
        TemplateItem item;
        item.style = fields[2];
        p += 6 + 4;  // the three DWORDs, then x, y, cx, cy
        item.id = static_cast<int>(*reinterpret_cast<const DWORD*>(p));
        p += 2;
        item.className = ReadNameOrOrdinal(p);
        item.text = ReadNameOrOrdinal(p);
        const WORD extra = *p++;
        p = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(p) + extra);
        items.push_back(item);
    }
    return items;
}

bool IsButton(const std::wstring& className) {
    return className == L"#128" || _wcsicmp(className.c_str(), L"Button") == 0;
}

std::string Describe(const std::vector<TemplateItem>& items, std::size_t from, std::size_t to) {
    std::string s;
    for (std::size_t i = from; i < to; ++i)
        s += " [" + std::to_string(items[i].id) + " " + Narrow(items[i].className) + " \"" +
             Narrow(items[i].text) + "\"]";
    return s;
}

// Each radio pair is a group of its own: its first button carries the group style, and the
// group ends with its second button. A label or group box that does not end the group before
// it lets the arrow keys walk out of a pair into the lists of the page.
TEST(PageTemplates, EveryRadioPairIsAGroupOfItsTwoButtonsAlone) {
    HMODULE exe = LoadLibraryExW(Widen(VX_QLV3906_EXE).c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(exe, nullptr) << VX_QLV3906_EXE;
    for (int templateId :
         {IDD_PAGE_SELECT, IDD_PAGE_MSW1, IDD_PAGE_MSW2, IDD_PAGE_MSW3, IDD_PAGE_MSW4}) {
        SCOPED_TRACE("template " + std::to_string(templateId));
        const std::vector<TemplateItem> items = ReadTemplate(exe, templateId);
        ASSERT_FALSE(items.empty());
        for (const auto& [first, second] : test::RadioPairs(templateId)) {
            SCOPED_TRACE("pair " + std::to_string(first) + "/" + std::to_string(second));
            std::size_t at = 0;
            while (at < items.size() && items[at].id != first) ++at;
            ASSERT_LT(at, items.size());
            std::size_t end = at + 1;
            while (end < items.size() && !(items[end].style & WS_GROUP)) ++end;
            EXPECT_TRUE(items[at].style & WS_GROUP);
            EXPECT_EQ(end - at, 2u) << "the group holds" << Describe(items, at, end);
            ASSERT_LT(at + 1, items.size());
            EXPECT_EQ(items[at + 1].id, second);
            for (std::size_t i : {at, at + 1}) {
                EXPECT_TRUE(IsButton(items[i].className)) << Narrow(items[i].className);
                EXPECT_EQ(items[i].style & BS_TYPEMASK, static_cast<DWORD>(BS_AUTORADIOBUTTON));
            }
        }
    }
    FreeLibrary(exe);
}

}  // namespace
}  // namespace vx::win32
