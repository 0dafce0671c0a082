#include "pages/data_exchange.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_page_window.h"

namespace vx {
namespace {

TEST(ParseInteger, AcceptsOnlyAWholeSignedNumberThatFits) {
    EXPECT_EQ(ParseInteger("66"), 66);
    EXPECT_EQ(ParseInteger(" -7 "), -7);
    EXPECT_EQ(ParseInteger("+0012"), 12);
    EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
    EXPECT_EQ(ParseInteger("-2147483648"), -2147483647 - 1);
    for (const char* bad :
         {"", " ", "-", "12a", "a12", "1 2", "2147483648", "99999999999999999999"}) {
        EXPECT_FALSE(ParseInteger(bad)) << '"' << bad << '"';
    }
}

TEST(LeadingNumber, ReadsDigitsUpToTheFirstOtherCharacter) {
    EXPECT_EQ(LeadingNumber("0007"), 7);
    EXPECT_EQ(LeadingNumber("  12ab"), 12);
    EXPECT_EQ(LeadingNumber("-45x"), -45);
    EXPECT_EQ(LeadingNumber("abc"), 0);
    EXPECT_EQ(LeadingNumber(""), 0);
    EXPECT_EQ(LeadingNumber("99999999999"), 2147483647);
}

TEST(FindItemByPrefix, FirstItemBeginningWithTheTextIgnoringAsciiCase) {
    const std::vector<std::string> items = {"標準", "イタリック", "OCR-B", "ocr-x"};
    EXPECT_EQ(FindItemByPrefix(items, "OCR"), 2);
    EXPECT_EQ(FindItemByPrefix(items, "ocr-b"), 2);
    EXPECT_EQ(FindItemByPrefix(items, "ocr-x"), 3);
    EXPECT_EQ(FindItemByPrefix(items, "イタ"), 1);
    EXPECT_EQ(FindItemByPrefix(items, ""), 0);
    EXPECT_EQ(FindItemByPrefix(items, "標準です"), -1);
    EXPECT_EQ(FindItemByPrefix({}, "x"), -1);
}

TEST(DataExchange, TextLimitCountsCharactersNotBytes) {
    EXPECT_EQ(CharacterCount("スウェーデン"), 6u);
    EXPECT_EQ(TooLongMessage(20), "20 文字以内で入力してください。");

    test::FakePageWindow w({{5, {"a"}}});
    DataExchange dx(w, true);
    std::string value;
    w.ForceListText(5, std::string(20, 'x'));
    EXPECT_TRUE(dx.ListText(5, value, 20));
    w.ForceListText(5, "あいうえおかきくけこさしすせそたちつてと");  // 20 characters, 60 bytes
    EXPECT_TRUE(dx.ListText(5, value, 20));
    w.ForceListText(5, std::string(21, 'x'));
    EXPECT_FALSE(dx.ListText(5, value, 20));
    EXPECT_TRUE(dx.ListText(5, value, 0)) << "no limit";
}

TEST(DataExchange, CheckBoxLoadsValuesOutsideZeroToTwoAsUnchecked) {
    test::FakePageWindow w;
    DataExchange load(w, false);
    for (int v : {-1, 3, 100}) {
        int value = v;
        load.CheckBox(7, value);
        EXPECT_EQ(w.checks[7], 0);
        EXPECT_EQ(value, 0);
    }
    int two = 2;
    load.CheckBox(7, two);
    EXPECT_EQ(w.checks[7], 2);
}

}  // namespace
}  // namespace vx
