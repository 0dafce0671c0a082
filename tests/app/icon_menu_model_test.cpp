#include "app/icon_menu_model.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

namespace vx {
namespace {

// Builds a standard menu template the way the resource compiler writes it.
class TemplateBuilder {
  public:
    TemplateBuilder() { Words({0, 0}); }
    TemplateBuilder& Popup(const std::u16string& text, bool last = false) {
        Words({static_cast<std::uint16_t>(kMenuFlagPopup | (last ? kMenuFlagLastItem : 0))});
        return Text(text);
    }
    TemplateBuilder& Item(std::uint16_t id, const std::u16string& text, bool last = false) {
        Words({static_cast<std::uint16_t>(last ? kMenuFlagLastItem : 0), id});
        return Text(text);
    }
    TemplateBuilder& Separator(bool last = false) { return Item(0, u"", last); }
    std::vector<std::uint8_t> bytes;

  private:
    void Words(std::initializer_list<std::uint16_t> ws) {
        for (std::uint16_t w : ws) {
            bytes.push_back(static_cast<std::uint8_t>(w & 0xFF));
            bytes.push_back(static_cast<std::uint8_t>(w >> 8));
        }
    }
    TemplateBuilder& Text(const std::u16string& t) {
        for (char16_t c : t) Words({static_cast<std::uint16_t>(c)});
        Words({0});
        return *this;
    }
};

TEST(MenuTemplate, NestedDropDownsCloseAtTheirLastItems) {
    TemplateBuilder b;
    b.Popup(u"ファイル(&F)")
        .Item(32781, u"開く(&O)...\tCtrl+O")
        .Separator()
        .Popup(u"More")
        .Item(1, u"a")
        .Item(2, u"b", true)             // closes "More"
        .Item(32783, u"終了(&X)", true)  // closes "ファイル"
        .Popup(u"ヘルプ(&H)", true)      // last top-level item
        .Item(16, u"About", true);
    std::vector<MenuTemplateItem> top;
    ASSERT_TRUE(ParseMenuTemplate(b.bytes.data(), b.bytes.size(), top));
    ASSERT_EQ(top.size(), 2u);
    ASSERT_EQ(top[0].children.size(), 4u);
    EXPECT_EQ(top[0].text, u"ファイル(&F)");
    EXPECT_EQ(top[0].children[0].id, 32781);
    EXPECT_EQ(top[0].children[0].text, u"開く(&O)...\tCtrl+O");
    EXPECT_TRUE(top[0].children[1].IsSeparator());
    EXPECT_TRUE(top[0].children[2].IsPopup());
    EXPECT_EQ(top[0].children[2].children.size(), 2u);
    EXPECT_EQ(top[0].children[3].id, 32783);
    ASSERT_EQ(top[1].children.size(), 1u);
    EXPECT_EQ(top[1].children[0].id, 16);
}

TEST(MenuTemplate, ItemsStartAfterTheHeaderOffsetAndTruncationIsReported) {
    TemplateBuilder b;
    b.Popup(u"F", true).Item(5, u"x", true);
    std::vector<std::uint8_t> withOffset = {0, 0, 2, 0, 0xEE, 0xEE};
    withOffset.insert(withOffset.end(), b.bytes.begin() + 4, b.bytes.end());
    std::vector<MenuTemplateItem> top;
    ASSERT_TRUE(ParseMenuTemplate(withOffset.data(), withOffset.size(), top));
    ASSERT_EQ(top.size(), 1u);
    EXPECT_EQ(top[0].children[0].id, 5);

    for (std::size_t cut = 0; cut < b.bytes.size(); ++cut)
        EXPECT_FALSE(ParseMenuTemplate(b.bytes.data(), cut, top)) << cut;
}

TEST(AcceleratorTexts, PaddedToTheWidestTextBeforeATab) {
    std::vector<std::u16string> texts = {u"開く(&O)...\tCtrl+O", u"終了(&X)", u"印刷\tCtrl+P"};
    // Every character 2 units wide: widest part before a tab plus a blank is 9 x 2.
    AlignAcceleratorTexts(texts,
                          [](const std::u16string& s) { return static_cast<int>(s.size()) * 2; });
    EXPECT_EQ(texts[0], u"開く(&O)... \tCtrl+O");
    EXPECT_EQ(texts[1], u"終了(&X)");
    EXPECT_EQ(texts[2], u"印刷        \tCtrl+P");

    std::vector<std::u16string> stuck = {u"a\tb", u"long text"};
    AlignAcceleratorTexts(stuck,
                          [](const std::u16string& s) { return s == u"long text " ? 100 : 1; });
    EXPECT_EQ(stuck[0].find(u'\t'), 1001u);  // a measure that never grows does not hang
}

TEST(MenuItemGeometry, MeasuringAddsTheIconColumns) {
    EXPECT_EQ(MeasureSeparator(19).height, 9);
    EXPECT_EQ(MeasureSeparator(19).width, 0);
    const ItemSize s = MeasureMenuItem(100, 18);
    EXPECT_EQ(s.width, 133);
    EXPECT_EQ(s.height, 19);  // icon height + 4 beats a low menu bar
    EXPECT_EQ(MeasureMenuItem(10, 24).height, 24);
}

TEST(MenuItemGeometry, SelectedItemWithImageHighlightsFromTheTwentyFirstPixel) {
    const Rect r{10, 100, 210, 122};
    ItemState s;
    s.selected = true;
    s.hasImage = true;
    const ItemLayout l = LayoutMenuItem(r, s);
    EXPECT_EQ(l.highlight, (Rect{31, 100, 210, 122}));
    EXPECT_EQ(l.iconOffset, 1);
    EXPECT_EQ(l.iconFrame, (Rect{11, 102, 29, 119}));
    EXPECT_EQ(l.imageAt, (Point{12, 103}));
    EXPECT_EQ(l.textRect, (Rect{35, 99, 210, 121}));

    s.hasImage = false;
    EXPECT_EQ(LayoutMenuItem(r, s).highlight, r);
    s.checked = true;
    EXPECT_EQ(LayoutMenuItem(r, s).highlight.left, 31);
}

TEST(MenuItemGeometry, SmallItemsNeverGetANegativeOffsetAndAcceleratorsSitSixteenIn) {
    ItemState s;
    s.hasAccelerator = true;
    const ItemLayout small = LayoutMenuItem(Rect{0, 0, 150, 12}, s);
    EXPECT_EQ(small.iconOffset, 0);
    EXPECT_EQ(small.textRect.right, 134);

    s.checked = true;
    ItemLayout tick = LayoutMenuItem(Rect{0, 0, 150, 19}, s);
    EXPECT_EQ(tick.checkBox, (Rect{1, 2, 17, 17}));
    EXPECT_EQ(tick.markAt, (Point{5, 6}));
    s.radio = true;
    EXPECT_EQ(LayoutMenuItem(Rect{0, 0, 150, 19}, s).markAt, (Point{6, 6}));
}

// The images are taken at the size nearest the text (120 and 168 DPI lie halfway and keep the
// smaller), and the icon column grows with them: at 32-pixel images every distance doubles.
TEST(MenuItemGeometry, ImagesAndTheIconColumnFollowTheSystemDpi) {
    const int expected[][2] = {{96, 16},  {120, 16}, {121, 24}, {144, 24},
                               {168, 24}, {169, 32}, {192, 32}, {288, 32}};
    for (const auto& [dpi, size] : expected) EXPECT_EQ(ImageSizeForDpi(dpi), size) << dpi;
    EXPECT_EQ(BitmapIdForImageSize(150, 16), 150);
    EXPECT_EQ(BitmapIdForImageSize(150, 24), 1150);
    EXPECT_EQ(BitmapIdForImageSize(168, 32), 2168);

    const MenuMetrics big{32};
    const ItemSize size = MeasureMenuItem(100, 18, big);
    EXPECT_EQ(size.width, 166);
    EXPECT_EQ(size.height, 38);
    ItemState s;
    s.selected = true;
    s.hasImage = true;
    s.hasAccelerator = true;
    const ItemLayout l = LayoutMenuItem(Rect{10, 100, 410, 144}, s, big);
    EXPECT_EQ(l.highlight.left, 52);
    EXPECT_EQ(l.iconFrame, (Rect{12, 105, 48, 139}));
    EXPECT_EQ(l.imageAt, (Point{14, 107}));
    EXPECT_EQ(l.textRect, (Rect{60, 98, 378, 142}));
}

TEST(MenuItemGeometry, TickStaysInsideItsSevenBySevenBox) {
    const std::vector<Point> p = TickPixels();
    EXPECT_EQ(p.size(), 21u);
    EXPECT_EQ(p.front(), (Point{0, 2}));
    EXPECT_EQ(p[7], (Point{2, 5}));
    EXPECT_EQ(p.back(), (Point{6, 2}));
    for (const Point& q : p) {
        EXPECT_GE(q.x, 0);
        EXPECT_LE(q.x, 6);
        EXPECT_GE(q.y, 0);
        EXPECT_LE(q.y, 6);
    }
}

TEST(Mnemonics, MatchCaseInsensitivelyOrAnswerNothing) {
    const std::vector<std::u16string> texts = {u"開く(&O)...\tCtrl+O", u"", u"保存(&S)",
                                               u"送信(&s)"};
    EXPECT_EQ(FindMnemonicPosition(u's', texts), 2);
    EXPECT_EQ(FindMnemonicPosition(u'O', texts), 0);
    EXPECT_EQ(FindMnemonicPosition(u'q', texts), -1);
    EXPECT_EQ(ExecuteItemAnswer(3), 0x00020003u);
}

TEST(Mnemonics, ResynchronisingReusesMatchingRecordsAndDropsTheRest) {
    std::vector<MenuItemRecord> records(3);
    records[0].id = 32781;
    records[0].text = u"old";
    records[0].bitmapId = 160;
    records[1].id = 0;
    records[2].id = 999;  // no longer in the menu
    const std::vector<CurrentMenuItem> items = {
        {MenuItemKind::Command, 32781, u"開く(&O)", 0},
        {MenuItemKind::Separator, 0, u"", 0},
        {MenuItemKind::Command, 32782, u"保存(&S)", 1},
        {MenuItemKind::Popup, 0x1234, u"", 0},
    };
    ResynchroniseRecords(records, items);
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].bitmapId, 160);  // reused record keeps its image
    EXPECT_EQ(records[0].text, u"開く(&O)");
    EXPECT_EQ(records[1].flags, 0u);  // a reused separator record keeps its flags
    EXPECT_EQ(records[2].text, u"保存(&S)");
    EXPECT_EQ(records[2].flags, 1u | kMfOwnerDraw);
    EXPECT_EQ(records[3].flags, kMfOwnerDraw | kMfPopup);
    for (const MenuItemRecord& r : records) EXPECT_NE(r.id, 999u);
    EXPECT_EQ(records[0].origin, 0);
    EXPECT_EQ(records[1].origin, 1);
    EXPECT_EQ(records[2].origin, -1);
    EXPECT_EQ(records[3].origin, -1);
}

TEST(MenuColours, SelectionGreyingAndCheckingChooseEachPartsColour) {
    ItemState s;
    s.hasImage = true;
    ItemColours c = ChooseItemColours(s, true);
    EXPECT_EQ(c.row, MenuColour::Menu);
    EXPECT_EQ(c.iconFrame, MenuColour::Menu);
    EXPECT_FALSE(c.frameRaised || c.frameSunken);
    EXPECT_EQ(c.text, MenuColour::MenuText);

    s.selected = true;  // raised image frame in the new look only
    c = ChooseItemColours(s, true);
    EXPECT_EQ(c.row, MenuColour::Highlight);
    EXPECT_TRUE(c.frameRaised);
    EXPECT_EQ(c.text, MenuColour::HighlightText);
    EXPECT_FALSE(ChooseItemColours(s, false).frameRaised);

    s.selected = false;  // checked: a light, sunken frame
    s.checked = true;
    c = ChooseItemColours(s, true);
    EXPECT_EQ(c.iconFrame, MenuColour::Light3D);
    EXPECT_TRUE(c.frameSunken);

    s.grayed = true;  // greyed: no frame, embossed text unless selected
    c = ChooseItemColours(s, true);
    EXPECT_EQ(c.iconFrame, MenuColour::None);
    EXPECT_TRUE(c.embossed);
    EXPECT_EQ(c.text, MenuColour::GrayText);
    s.selected = true;
    c = ChooseItemColours(s, true);
    EXPECT_FALSE(c.embossed);
    EXPECT_EQ(c.text, MenuColour::Menu);

    ItemState box;  // a check mark without image: its box light only in the new look
    box.checked = true;
    EXPECT_EQ(ChooseItemColours(box, true).checkBox, MenuColour::Light3D);
    EXPECT_EQ(ChooseItemColours(box, false).checkBox, MenuColour::Menu);
    box.selected = true;
    EXPECT_EQ(ChooseItemColours(box, true).checkBox, MenuColour::Menu);
    box.checked = false;
    EXPECT_EQ(ChooseItemColours(box, true).checkBox, MenuColour::None);
}

// High contrast: greyed text is plain GrayText, selected or not, and every image, greyed
// or not, checked or not, sits on the button colour; the look without it is unchanged.
TEST(MenuColours, HighContrastDropsTheEmbossAndPutsEveryImageOnTheButtonColour) {
    for (bool newLook : {false, true}) {
        for (int bits = 0; bits < 8; ++bits) {
            ItemState s;
            s.hasImage = true;
            s.selected = (bits & 1) != 0;
            s.grayed = (bits & 2) != 0;
            s.checked = (bits & 4) != 0;
            SCOPED_TRACE(std::to_string(bits) + (newLook ? " new look" : " old look"));
            const ItemColours c = ChooseItemColours(s, newLook, true);
            const ItemColours plain = ChooseItemColours(s, newLook, false);
            EXPECT_FALSE(c.embossed);
            EXPECT_EQ(c.text, s.grayed ? MenuColour::GrayText : plain.text);
            EXPECT_EQ(s.grayed ? c.grayedImagePlate : c.iconFrame, MenuColour::ButtonFace);
            EXPECT_EQ(c.row, plain.row);
            EXPECT_EQ(s.grayed ? plain.grayedImagePlate : plain.iconFrame,
                      s.grayed
                          ? (newLook ? MenuColour::ButtonFace : MenuColour::Menu)
                          : (s.checked && !s.selected ? MenuColour::Light3D : MenuColour::Menu));
        }
    }
}

TEST(MenuPlatform, NewLookOnWindows95StyleShells) {
    EXPECT_EQ(MenuPlatformKind(true, 4), 1);
    EXPECT_EQ(MenuPlatformKind(true, 3), 0);
    EXPECT_EQ(MenuPlatformKind(false, 5), 3);
    EXPECT_EQ(MenuPlatformKind(false, 3), 2);
    EXPECT_TRUE(IsNewLook(1));
    EXPECT_TRUE(IsNewLook(3));
    EXPECT_FALSE(IsNewLook(0));
    EXPECT_FALSE(IsNewLook(2));
}

}  // namespace
}  // namespace vx
