#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <set>
#include <string>

#include "pages/page_items.h"
#include "pages/page_layout.h"
#include "pages/page_msw.h"
#include "pages/page_select.h"
#include "tests/fakes/fake_page_window.h"
#include "tests/pages/page_lists.h"

namespace vx {
namespace {

using test::FakePageWindow;
using test::PageLists;
using test::RadioPairs;

// A page attached to a fake window and initialised as the real window does.
template <typename Page>
struct Hosted {
    Page page;
    FakePageWindow window{PageLists(page.TemplateId())};
    Hosted() {
        window.page = &page;
        page.Attach(&window);
        page.OnInitPage();
    }
};

// A block whose bytes outside the memory switches are all 0xAA, so any stray write shows.
SwitchBlock Filler() {
    SwitchBlock b;
    b.bytes.fill(0xAA);
    return b;
}

// Loads MSWn as the printer reports it (SWn-1 in bit 0), stores, and returns the result.
template <typename Page>
std::uint8_t RoundTrip(int msw, std::uint8_t reported, std::string* shown = nullptr,
                       std::function<std::string(FakePageWindow&)> read = nullptr) {
    Hosted<Page> h;
    SwitchBlock in = Filler();
    SetMswByte(in, msw, reported);
    h.page.LoadFromBlock(in);
    if (shown && read) *shown = read(h.window);
    SwitchBlock out = Filler();
    h.page.StoreToBlock(out);
    for (std::size_t i = 0; i < kBlockSize; ++i) {
        if (i != MswLowByte(msw) && i != MswLowByte(msw) + 1) {
            EXPECT_EQ(out.bytes[i], 0xAA) << "byte " << i << " written by MSW" << msw;
        }
    }
    EXPECT_LE(out.bytes[MswLowByte(msw)], 0x0F);
    EXPECT_LE(out.bytes[MswLowByte(msw) + 1], 0x0F);
    return GetMswByte(out, msw);
}

// Every one of the 256 switch combinations, both ways. Codes without a name of their
// own come back as code 0; SW1-4 is carried through; SW2-2 is always cleared.
TEST(MemorySwitchPages, EverySwitchCombinationRoundTrips) {
    for (int v = 0; v < 256; ++v) {
        const auto b = static_cast<std::uint8_t>(v);
        const int country = v & 7;
        const int keptCountry = (country >= 2 && country <= 5) ? country : 0;
        EXPECT_EQ(RoundTrip<CPage_MSW1>(1, b), (v & ~7) | keptCountry) << v;

        EXPECT_EQ(RoundTrip<CPage_MSW2>(2, b), v & ~0x02) << v;

        const int speed = v & 3;
        EXPECT_EQ(RoundTrip<CPage_MSW3>(3, b), (v & ~3) | (speed == 3 ? 0 : speed)) << v;

        const int mode = (v >> 4) & 3;
        EXPECT_EQ(RoundTrip<CPage_MSW4>(4, b), (v & ~0x30) | ((mode == 3 ? 0 : mode) << 4)) << v;
    }
}

TEST(MemorySwitchPages, ListsShowTheNameOfEachCode) {
    auto text = [](int id) { return [id](FakePageWindow& w) { return w.GetText(id); }; };
    const char* countries[8] = {"日本",   "日本",         "アメリカ", "イギリス",
                                "ドイツ", "スウェーデン", "日本",     "日本"};
    for (int code = 0; code < 8; ++code) {
        std::string shown;
        RoundTrip<CPage_MSW1>(1, static_cast<std::uint8_t>(code), &shown, text(IDC_MSW1_COUNTRY));
        EXPECT_EQ(shown, countries[code]) << code;
    }
    const char* speeds[4] = {"３１０LPM", "２２５LPM", "２４０LPM", "３１０LPM"};
    const char* densities[4] = {"標準", "濃度1", "濃度2", "濃度3"};
    const char* modes[4] = {"標準", "高品位", "高速", "標準"};
    for (int code = 0; code < 4; ++code) {
        std::string shown;
        RoundTrip<CPage_MSW3>(3, static_cast<std::uint8_t>(code), &shown, text(IDC_MSW3_SPEED));
        EXPECT_EQ(shown, speeds[code]);
        RoundTrip<CPage_MSW4>(4, static_cast<std::uint8_t>(code << 1), &shown,
                              text(IDC_MSW4_DENSITY));
        EXPECT_EQ(shown, densities[code]);
        RoundTrip<CPage_MSW4>(4, static_cast<std::uint8_t>(code << 4), &shown,
                              text(IDC_MSW4_PRINT_MODE));
        EXPECT_EQ(shown, modes[code]);
    }
}

TEST(MemorySwitchPages, HighBitsOfTheBlockBytesAreIgnored) {
    Hosted<CPage_MSW2> h;
    SwitchBlock in = FactoryDefaults;
    in.bytes[kMsw2Low] = 0xF1;   // SW2-1 on, junk above
    in.bytes[kMsw2High] = 0xE8;  // SW2-8 on
    h.page.LoadFromBlock(in);
    EXPECT_EQ(h.window.checks[IDC_MSW2_SW1_SLASH], 1);
    EXPECT_EQ(h.window.radios[IDC_MSW2_SW8_RESET], 1);
    EXPECT_EQ(h.window.radios[IDC_MSW2_SW7_DISCARD], 0);
    SwitchBlock out = FactoryDefaults;
    h.page.StoreToBlock(out);
    EXPECT_EQ(out.bytes[kMsw2Low], 0x01);
    EXPECT_EQ(out.bytes[kMsw2High], 0x08);
}

TEST(MemorySwitchPages, ChoicesMadeOnThePagesGiveTheDocumentedBytes) {
    // Sweden is code 5; SW1-4 comes from the block last loaded.
    for (int sw4 : {0, 1}) {
        Hosted<CPage_MSW1> h;
        SwitchBlock b = FactoryDefaults;
        SetSwitch(b, 1, 4, sw4 == 1);
        h.page.LoadFromBlock(b);
        h.window.Choose(IDC_MSW1_COUNTRY, "スウェーデン");
        h.page.StoreToBlock(b);
        EXPECT_EQ(b.bytes[kMsw1Low], sw4 ? 0x0D : 0x05);
    }
    {  // 240 LPM is code 2, SW3-3 enabled, driver 168: 0b0110
        Hosted<CPage_MSW3> h;
        SwitchBlock b = FactoryDefaults;
        h.page.LoadFromBlock(b);
        h.window.Choose(IDC_MSW3_SPEED, "２４０LPM");
        h.window.ClickRadio(IDC_MSW3_SW3_DISABLED, 1, IDC_MSW3_SW3_ENABLED);
        h.window.ClickRadio(IDC_MSW3_SW4_168, 0, IDC_MSW3_SW4_168);
        h.page.StoreToBlock(b);
        EXPECT_EQ(b.bytes[kMsw3Low], 0x06);
    }
    {  // the print-mode list order is standard, high speed, high quality
        Hosted<CPage_MSW4> h;
        SwitchBlock b = FactoryDefaults;
        h.page.LoadFromBlock(b);
        h.window.Choose(IDC_MSW4_PRINT_MODE, "高品位");
        h.page.StoreToBlock(b);
        EXPECT_EQ(GetSwitch(b, 4, 5), 1);
        EXPECT_EQ(GetSwitch(b, 4, 6), 0);
        h.window.Choose(IDC_MSW4_PRINT_MODE, "高速");
        h.window.Choose(IDC_MSW4_DENSITY, "濃度2");
        h.page.StoreToBlock(b);
        EXPECT_EQ(GetSwitch(b, 4, 5), 0);
        EXPECT_EQ(GetSwitch(b, 4, 6), 1);
        EXPECT_EQ(GetSwitchCode(b, 4, 2, 2), 2);
    }
}

TEST(MemorySwitchPages, TooLongCountryTextIsRefusedAndLaterControlsKeepTheirOldValues) {
    Hosted<CPage_MSW1> h;
    SwitchBlock b = FactoryDefaults;
    SetSwitchCode(b, 1, 1, 3, 2);  // America
    h.page.LoadFromBlock(b);

    h.window.ClickRadio(IDC_MSW1_SW5_ENABLED, 1, IDC_MSW1_SW5_DISABLED);  // after the list
    h.window.ForceListText(IDC_MSW1_COUNTRY, std::string(21, 'x'));
    h.page.StoreToBlock(b);

    ASSERT_EQ(h.window.refusals.size(), 1u);
    EXPECT_EQ(h.window.refusals[0].first, "20 文字以内で入力してください。");
    EXPECT_EQ(h.window.refusals[0].second, MsgIcon::Warning);
    EXPECT_EQ(h.window.focus, IDC_MSW1_COUNTRY);
    EXPECT_EQ(GetSwitch(b, 1, 5), 0) << "the refused transfer never reached the radio pair";
    EXPECT_EQ(GetSwitchCode(b, 1, 1, 3), 0) << "an unknown country text is written as Japan";

    h.window.Choose(IDC_MSW1_COUNTRY, "ドイツ");
    h.page.StoreToBlock(b);
    EXPECT_EQ(GetSwitch(b, 1, 5), 1);
    EXPECT_EQ(GetSwitchCode(b, 1, 1, 3), 4);
    EXPECT_EQ(h.window.refusals.size(), 1u);
}

TEST(MemorySwitchPages, ListsOfTheMsw4PageHaveNoLengthLimit) {
    Hosted<CPage_MSW4> h;
    SwitchBlock b = FactoryDefaults;
    h.page.LoadFromBlock(b);
    h.window.ClickRadio(IDC_MSW4_SW8_WIDE, 1, IDC_MSW4_SW8_SHINJOSHO);
    h.window.ForceListText(IDC_MSW4_DENSITY, std::string(40, 'x'));
    h.page.StoreToBlock(b);
    EXPECT_TRUE(h.window.refusals.empty());
    EXPECT_EQ(GetSwitch(b, 4, 8), 1);
}

TEST(MemorySwitchPages, SettingControlsRaiseDataCheckExceptWhileTransferring) {
    Hosted<CPage_MSW2> h;
    h.page.LoadFromBlock(FactoryDefaults);
    SwitchBlock b = FactoryDefaults;
    h.page.StoreToBlock(b);
    EXPECT_TRUE(h.window.raised.empty()) << "transfers raise nothing";

    h.window.ClickRadio(IDC_MSW2_SW5_ENABLED, 1, IDC_MSW2_SW5_DISABLED);
    h.window.ToggleCheck(IDC_MSW2_SW1_SLASH);
    EXPECT_EQ(h.window.raised, (std::vector<int>{IDM_DATA_CHECK, IDM_DATA_CHECK}));

    h.window.Click(IDC_MSW3_SW7_SLASH);  // 1026: a control of another page, not of this one
    h.window.Click(1);
    EXPECT_EQ(h.window.raised.size(), 2u);
}

}  // namespace
}  // namespace vx

namespace vx {
namespace {

// The controls a page exchanges (every control a transfer sets, and the second button of
// each radio pair) are exactly the ones that raise DataCheck, by a command or, for the edit
// box, a change of its text: the page's two lists of its controls agree, on every page.
template <class Page>
void ExpectDataCheckOnExactlyTheExchangedControls() {
    Hosted<Page> h;
    SCOPED_TRACE(h.page.TemplateId());
    h.window.log.clear();
    h.page.LoadFromBlock(FactoryDefaults);
    std::set<int> exchanged;
    for (const std::string& entry : h.window.log) exchanged.insert(std::stoi(entry.substr(4)));
    for (const auto& pair : RadioPairs(h.page.TemplateId())) exchanged.insert(pair.second);
    for (int id = 1000; id < 2100; ++id) {
        h.window.raised.clear();
        h.page.OnControlCommand(id);
        h.page.OnEditChanged(id);
        EXPECT_EQ(h.window.raised.empty() ? 0u : 1u, exchanged.count(id)) << "control " << id;
        for (int raised : h.window.raised) EXPECT_EQ(raised, IDM_DATA_CHECK);
    }
}

TEST(SettingPages, PageItemRecordsEndAtIdZeroOrAtTheEndOfTheData) {
    const std::uint8_t data[] = {0xF2, 0x03, 'a', 0, 0x10, 0x04, 0xE6, 0x97, 0xA5, 0, 0, 0, 9, 0};
    EXPECT_EQ(ParsePageItems(data, sizeof data),
              (std::vector<std::pair<int, std::string>>{{1010, "a"}, {1040, "日"}}));
    EXPECT_EQ(ParsePageItems(data, 7),  // the second text cut short
              (std::vector<std::pair<int, std::string>>{{1010, "a"}, {1040, "\xE6"}}));
    EXPECT_TRUE(ParsePageItems(data, 1).empty());
}

TEST(SettingPages, PageWindowsPassOnlyTheMenuCommandRangeToTheMainDialog) {
    for (int id : {0x8000, IDM_DATA_CHECK, IDM_PAGE_MSW4, 0xEFFF})
        EXPECT_TRUE(IsMainDialogCommand(id));
    for (int id : {1, IDC_MSW2_SW1_SLASH, IDT_OPEN_SETTINGS, 0x7FFF, 0xF000, 0xF060})
        EXPECT_FALSE(IsMainDialogCommand(id)) << id;
}

TEST(SettingPages, DataCheckComesFromExactlyTheControlsTheExchangeTransfers) {
    ExpectDataCheckOnExactlyTheExchangedControls<CPage_Select>();
    ExpectDataCheckOnExactlyTheExchangedControls<CPage_MSW1>();
    ExpectDataCheckOnExactlyTheExchangedControls<CPage_MSW2>();
    ExpectDataCheckOnExactlyTheExchangedControls<CPage_MSW3>();
    ExpectDataCheckOnExactlyTheExchangedControls<CPage_MSW4>();
}

// A right-hand group box that rounding ends a pixel past its page is brought back to the
// page's edge; one inside, or one the template itself puts far out, stays as it is.
TEST(PageLayout, OnlyARoundingOverhangIsTakenBack) {
    EXPECT_EQ(FitIntoPage({374, 81, 749, 243}, 748, 617), (PixelBox{374, 81, 748, 243}));
    EXPECT_EQ(FitIntoPage({0, 600, 374, 619}, 748, 617), (PixelBox{0, 600, 374, 617}));
    EXPECT_EQ(FitIntoPage({173, 41, 345, 122}, 345, 309), (PixelBox{173, 41, 345, 122}));
    EXPECT_EQ(FitIntoPage({300, 0, 360, 20}, 345, 309), (PixelBox{300, 0, 360, 20}));
}

}  // namespace
}  // namespace vx
