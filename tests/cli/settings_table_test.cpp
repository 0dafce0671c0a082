// vxctl's table of settings against the settings program itself: the pages'
// own classes show and collect every block exactly as the table says, and the
// labels and button texts are those of the page templates.
#include "cli/settings_table.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

#include "pages/memory_pages.h"
#include "resources/resource.h"
#include "tests/fakes/fake_page_window.h"

namespace vx::cli {
namespace {

using test::FakePageWindow;

// The five pages on windows of their own, loaded with a block, as the main dialog shows it.
struct FivePages {
    MemoryPages pages;
    void Apply(const SwitchBlock& block) { pages.Apply(block); }
    SwitchBlock Collect(SwitchBlock block) {
        pages.Collect(block);
        return block;
    }
    FakePageWindow& Window(int page) { return pages.Window(page); }
};

// What a page control shows for the setting, in the table's terms.
::testing::AssertionResult PageShows(FakePageWindow& w, const Setting& s, const Shown& shown) {
    const int id = s.controls.at(0);
    switch (s.kind) {
        case SettingKind::DigitPair:
        case SettingKind::Switch:
            if (w.GetRadioIndex(id) == shown.index) return ::testing::AssertionSuccess();
            return ::testing::AssertionFailure()
                   << s.key << ": radio " << w.GetRadioIndex(id) << ", table " << shown.index;
        case SettingKind::CheckBox:
            if (w.GetCheck(id) == shown.index) return ::testing::AssertionSuccess();
            return ::testing::AssertionFailure() << s.key << ": check " << w.GetCheck(id);
        default:
            if (w.GetText(id) == shown.text) return ::testing::AssertionSuccess();
            return ::testing::AssertionFailure() << s.key << ": page shows \"" << w.GetText(id)
                                                 << "\", table \"" << shown.text << "\"";
    }
}

void ExpectSameAsThePages(FivePages& pages, const SwitchBlock& block) {
    pages.Apply(block);
    for (const Setting& s : Settings()) {
        if (s.page < 0) continue;
        EXPECT_TRUE(PageShows(pages.Window(s.page), s, ShownValue(s, block)));
    }
    SwitchBlock filler = block;
    EXPECT_EQ(Collected(block), pages.Collect(filler)) << "collected differently";
}

// Every value of every byte after the command's introducer (the others at the factory
// settings), every page
// length made of two bytes from a set of digits and non-digits, and random blocks.
TEST(SettingsTable, ShowsAndCollectsEveryBlockAsThePagesDo) {
    FivePages pages;
    for (std::size_t at = 0; at < kBlockSize; ++at) {
        if (at < kMsw1Low || at == kBlockSize - 1) continue;  // the command's own framing
        for (int v = 0; v < 256; ++v) {
            SwitchBlock b = FactoryDefaults;
            b.bytes[at] = static_cast<std::uint8_t>(v);
            ExpectSameAsThePages(pages, b);
            if (HasFailure()) return;
        }
    }
    for (std::uint8_t tens : std::vector<std::uint8_t>{'0', '1', '6', '9', 'A', 0x00})
        for (std::uint8_t units : std::vector<std::uint8_t>{'0', '1', '5', '9', ' ', 0xFF}) {
            SwitchBlock b = FactoryDefaults;
            b.bytes[kPageLengthTens] = tens;
            b.bytes[kPageLengthUnits] = units;
            ExpectSameAsThePages(pages, b);
        }
    std::mt19937 random(14);
    for (int n = 0; n < 300 && !HasFailure(); ++n) {
        SwitchBlock b = FactoryDefaults;
        for (auto& byte : b.bytes) {
            const auto r = random();
            // Mostly plausible bytes, now and then anything.
            byte =
                static_cast<std::uint8_t>(r % 8 == 0 ? r >> 8 : (r >> 8) % 16 + (r % 2 ? '0' : 0));
        }
        ExpectSameAsThePages(pages, b);
    }
}

std::string SourceFile(const char* path) {
    std::ifstream in(std::string(VX_SOURCE_DIR "/") + path, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

// The text of one page template in the resource script, its texts named from
// pages/page_texts.h written out as the resource compiler reads them.
std::string TemplateText(int page) {
    static const char* const names[5] = {"IDD_PAGE_SELECT DIALOGEX", "IDD_PAGE_MSW1 DIALOGEX",
                                         "IDD_PAGE_MSW2 DIALOGEX", "IDD_PAGE_MSW3 DIALOGEX",
                                         "IDD_PAGE_MSW4 DIALOGEX"};
    const std::string rc = SourceFile("resources/qlv3906.rc");
    const std::size_t begin = rc.find(names[page]);
    if (begin == std::string::npos) return {};
    std::string text = rc.substr(begin, rc.find("\nEND", begin) - begin);
    std::istringstream header(SourceFile("pages/page_texts.h"));
    for (std::string line; std::getline(header, line);) {
        if (line.rfind("#define VX_TEXT_", 0) != 0) continue;
        const std::size_t space = line.find(' ', 8);
        const std::string name = line.substr(8, space - 8) + ",";
        for (std::size_t at = text.find(" " + name); at != std::string::npos;
             at = text.find(" " + name, at))
            text.replace(at + 1, name.size() - 1, line.substr(space + 1));
    }
    return text;
}

TEST(SettingsTable, LabelsAndButtonsAreThoseOfThePageTemplates) {
    for (const Setting& s : Settings()) {
        if (s.page < 0) continue;
        const std::string page = TemplateText(s.page);
        ASSERT_FALSE(page.empty()) << s.page;
        EXPECT_NE(page.find("\"" + s.label + "\""), std::string::npos) << s.key;
        if (!s.note.empty()) {
            EXPECT_NE(page.find("\"" + s.note + "\""), std::string::npos) << s.key;
        }
        if (s.kind == SettingKind::DigitPair || s.kind == SettingKind::Switch) {
            for (const SettingValue& v : s.values)
                EXPECT_NE(page.find("\"" + v.text + "\""), std::string::npos) << s.key;
        }
    }
    EXPECT_EQ(DisplayText("ＣＲ，ＬＦ，ＶＴ，ＦＦ (&E)"), "ＣＲ，ＬＦ，ＶＴ，ＦＦ");
    EXPECT_EQ(DisplayText("QX-K480/330(16&8)"), "QX-K480/330(168)");
    EXPECT_EQ(DisplayLabel(*FindSetting("dc1-dc3")), "DC1/DC3コード処理の切り替え （MSW1-5）");
}

}  // namespace
}  // namespace vx::cli
