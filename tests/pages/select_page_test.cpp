#include <gtest/gtest.h>

#include <cstdint>

#include "pages/page_select.h"
#include "tests/fakes/fake_page_window.h"
#include "tests/pages/page_lists.h"

namespace vx {
namespace {

using test::FakePageWindow;
using test::PageLists;

struct SelectPage : ::testing::Test {
    CPage_Select page;
    FakePageWindow window{PageLists(IDD_PAGE_SELECT)};
    void SetUp() override {
        window.page = &page;
        page.Attach(&window);
        page.OnInitPage();
    }
    SwitchBlock Stored(SwitchBlock b = FactoryDefaults) {
        page.StoreToBlock(b);
        return b;
    }
    std::string Length() { return window.texts[IDC_SEL_PAGE_LENGTH]; }
};

TEST_F(SelectPage, InitialisationSetsTheSpinRangeAndRaisesNothing) {
    EXPECT_EQ(window.spinLower, 1);
    EXPECT_EQ(window.spinUpper, 99);
    page.LoadFromBlock(FactoryDefaults);
    EXPECT_TRUE(window.raised.empty()) << "setting the length text while loading is not a change";
}

TEST_F(SelectPage, FactoryDefaultsAreShownAndWrittenBackUnchanged) {
    page.LoadFromBlock(FactoryDefaults);
    EXPECT_EQ(window.radios[IDC_SEL_OUTLINE_OFF], 1);
    EXPECT_EQ(window.radios[IDC_SEL_TYPEFACE_MINCHO], 0);
    EXPECT_EQ(window.GetText(IDC_SEL_FONT1), "標準");
    EXPECT_EQ(window.GetText(IDC_SEL_FONT2), "標準");
    EXPECT_EQ(window.GetText(IDC_SEL_KANJI_TABLE), "JIS1978年版");
    EXPECT_EQ(Length(), "66");
    EXPECT_EQ(Stored(), FactoryDefaults);
}

TEST_F(SelectPage, EveryListValueBothWays) {
    const char* fonts[] = {"標準", "イタリック", "クーリエ", "ゴシック", "OCR-B"};
    const char* tables[] = {"JIS1978年版", "JIS1983年版", "JIS1990年版"};
    for (int code = 0; code < 5; ++code) {
        SwitchBlock b = FactoryDefaults;
        b.bytes[kFont1] = static_cast<std::uint8_t>('0' + code);
        b.bytes[kFont2] = static_cast<std::uint8_t>('0' + (4 - code));
        if (code < 3) b.bytes[kKanjiTable] = static_cast<std::uint8_t>('0' + code);
        page.LoadFromBlock(b);
        EXPECT_EQ(window.GetText(IDC_SEL_FONT1), fonts[code]);
        EXPECT_EQ(window.GetText(IDC_SEL_FONT2), fonts[4 - code]);
        if (code < 3) {
            EXPECT_EQ(window.GetText(IDC_SEL_KANJI_TABLE), tables[code]);
        }
        EXPECT_EQ(Stored(), b) << code;
    }
    // Choosing on the page: the byte follows the name, not the list position.
    page.LoadFromBlock(FactoryDefaults);
    window.Choose(IDC_SEL_KANJI_TABLE, "JIS1990年版");
    window.Choose(IDC_SEL_FONT2, "クーリエ");
    const SwitchBlock b = Stored();
    EXPECT_EQ(b.bytes[kKanjiTable], '2');
    EXPECT_EQ(b.bytes[kFont2], '2');
}

TEST_F(SelectPage, BytesOutsideTheListsShowTheFirstItemAndAreWrittenAsZero) {
    for (std::uint8_t odd :
         {std::uint8_t{'5'}, std::uint8_t{'9'}, std::uint8_t{0x00}, std::uint8_t{0xFF}}) {
        SwitchBlock b = FactoryDefaults;
        b.bytes[kFont1] = odd;
        b.bytes[kKanjiTable] = odd == '5' ? '3' : odd;
        page.LoadFromBlock(b);
        EXPECT_EQ(window.GetText(IDC_SEL_FONT1), "標準");
        EXPECT_EQ(window.GetText(IDC_SEL_KANJI_TABLE), "JIS1978年版");
        EXPECT_EQ(Stored(), FactoryDefaults);
    }
}

TEST_F(SelectPage, RadioPairsBothWaysAndOddBytesFallBackToTheFactorySetting) {
    for (int outline : {0, 1}) {
        for (int typeface : {0, 1}) {
            SwitchBlock b = FactoryDefaults;
            b.bytes[kOutlineFont] = static_cast<std::uint8_t>('0' + outline);
            b.bytes[kTypeface] = static_cast<std::uint8_t>('0' + typeface);
            page.LoadFromBlock(b);
            EXPECT_EQ(window.radios[IDC_SEL_OUTLINE_OFF], outline);
            EXPECT_EQ(window.radios[IDC_SEL_TYPEFACE_MINCHO], typeface);
            EXPECT_EQ(Stored(), b);
        }
    }
    SwitchBlock odd = FactoryDefaults;
    odd.bytes[kOutlineFont] = '7';
    odd.bytes[kTypeface] = '/';
    page.LoadFromBlock(odd);
    EXPECT_EQ(window.radios[IDC_SEL_OUTLINE_OFF], -1) << "neither button";
    EXPECT_EQ(window.radios[IDC_SEL_TYPEFACE_MINCHO], -1);
    EXPECT_EQ(Stored(odd), FactoryDefaults);
}

TEST_F(SelectPage, PageLengthBytes) {
    SwitchBlock b = FactoryDefaults;
    SetPageLength(b, 5);
    page.LoadFromBlock(b);
    EXPECT_EQ(Length(), "5");
    SwitchBlock out = Stored();
    EXPECT_EQ(out.bytes[kPageLengthTens], 0x30);
    EXPECT_EQ(out.bytes[kPageLengthUnits], 0x35);

    for (int lines : {1, 10, 42, 99}) {
        SetPageLength(b, lines);
        page.LoadFromBlock(b);
        EXPECT_EQ(Stored(), b) << lines;
    }

    // Not two digits: the factory length is shown and written back.
    b.bytes[kPageLengthTens] = 'A';
    page.LoadFromBlock(b);
    EXPECT_EQ(Length(), "66");
    EXPECT_EQ(GetPageLength(Stored()), 66);

    // A length outside 1..99 put into the box without the focus never leaves the range.
    window.texts[IDC_SEL_PAGE_LENGTH] = "150";
    EXPECT_EQ(GetPageLength(Stored()), 99);
    window.texts[IDC_SEL_PAGE_LENGTH] = "-3";
    EXPECT_EQ(GetPageLength(Stored()), 1);
    window.texts[IDC_SEL_PAGE_LENGTH] = "00";
    EXPECT_EQ(GetPageLength(Stored()), 1);
}

TEST_F(SelectPage, TypingIntoTheLengthBoxKeepsItWithinOneToNinetyNine) {
    page.LoadFromBlock(FactoryDefaults);
    const struct {
        const char* typed;
        const char* shown;
    } cases[] = {{"0", "1"},     {"150", "99"},  {"", "1"},    {"0007", "7"},
                 {"1234", "99"}, {"0012", "12"}, {"45", "45"}, {"abcd", "1"}};
    for (const auto& c : cases) {
        window.raised.clear();
        window.Type(IDC_SEL_PAGE_LENGTH, c.typed);
        EXPECT_EQ(Length(), c.shown) << '"' << c.typed << '"';
        EXPECT_FALSE(window.raised.empty());
        for (int id : window.raised) EXPECT_EQ(id, IDM_DATA_CHECK);
    }
    // A nested run per replacement: "0007" -> "7" raises DataCheck twice.
    window.raised.clear();
    window.Type(IDC_SEL_PAGE_LENGTH, "0007");
    EXPECT_EQ(window.raised.size(), 2u);
}

TEST_F(SelectPage, WithoutTheFocusTheLengthIsOnlyStrippedNotClamped) {
    page.LoadFromBlock(FactoryDefaults);
    window.focus = IDC_SEL_FONT1;
    window.SetText(IDC_SEL_PAGE_LENGTH, "150");
    EXPECT_EQ(Length(), "150");
    window.SetText(IDC_SEL_PAGE_LENGTH, "0150");
    EXPECT_EQ(Length(), "150");
    window.SetText(IDC_SEL_PAGE_LENGTH, "");
    EXPECT_EQ(Length(), "");
}

TEST_F(SelectPage, NonIntegerLengthIsRefusedAndTheRadiosKeepTheirEarlierValues) {
    page.LoadFromBlock(FactoryDefaults);
    window.ClickRadio(IDC_SEL_OUTLINE_OFF, 0, IDC_SEL_OUTLINE_OFF);  // after the length
    window.Choose(IDC_SEL_FONT1, "OCR-B");                           // before it
    window.focus = IDC_SEL_FONT1;
    window.texts[IDC_SEL_PAGE_LENGTH] = "";

    const SwitchBlock b = Stored();
    ASSERT_EQ(window.refusals.size(), 1u);
    EXPECT_EQ(window.refusals[0].first, "整数を入力してください。");
    EXPECT_EQ(window.refusals[0].second, MsgIcon::None);
    EXPECT_EQ(window.focus, IDC_SEL_PAGE_LENGTH);
    EXPECT_EQ(window.selectedAll, std::vector<int>{IDC_SEL_PAGE_LENGTH});
    EXPECT_EQ(b.bytes[kFont1], '4');
    EXPECT_EQ(b.bytes[kOutlineFont], '1') << "outline ON from the last successful transfer";
    EXPECT_EQ(GetPageLength(b), 66);
}

TEST_F(SelectPage, FontByteFourIsOcrB) {
    SwitchBlock b = FactoryDefaults;
    b.bytes[kFont1] = '4';
    page.LoadFromBlock(b);
    EXPECT_EQ(window.GetText(IDC_SEL_FONT1), "OCR-B");
    EXPECT_EQ(Stored().bytes[kFont1], '4');
}

}  // namespace
}  // namespace vx
