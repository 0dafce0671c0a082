#include "cli/settings_table.h"

#include <algorithm>

#include "cli/block_report.h"
#include "cli/cli_platform.h"
#include "cli/settings_english.h"
#include "pages/data_exchange.h"
#include "pages/memory_pages.h"
#include "pages/page_texts.h"
#include "pages/setting_lists.h"
#include "resources/resource.h"

namespace vx::cli {

namespace {

// A pair's buttons and their aliases.
std::vector<SettingValue> Pair(const char* text0, const char* alias0, const char* text1,
                               const char* alias1) {
    return {{text0, alias0}, {text1, alias1}};
}

// A list shown from the pages' own list, with an alias for every item in list order.
template <std::size_t N>
std::vector<SettingValue> Listed(const char* const (&names)[N], const char* const (&aliases)[N]) {
    std::vector<SettingValue> values;
    for (std::size_t i = 0; i < N; ++i) values.push_back({names[i], aliases[i]});
    return values;
}
template <std::size_t N>
std::vector<SettingValue> Listed(const CodedList<N>& list, const char* const (&aliases)[N]) {
    return Listed(list.names, aliases);
}

Setting DigitPair(const char* key, const char* label, BlockByte at, std::vector<SettingValue> v,
                  int firstId, int secondId) {
    return {key,
            0,
            label,
            "",
            SettingKind::DigitPair,
            static_cast<int>(at),
            0,
            0,
            std::move(v),
            {firstId, secondId}};
}

Setting DigitList(const char* key, const char* label, BlockByte at, std::vector<SettingValue> v,
                  int id) {
    return {key, 0, label,        "",  SettingKind::DigitList, static_cast<int>(at),
            0,   0, std::move(v), {id}};
}

Setting Switch(const char* key, int msw, int sw, const char* group, const char* note,
               std::vector<SettingValue> v, int firstId, int secondId) {
    return {key, msw, group, note,         SettingKind::Switch,
            msw, sw,  1,     std::move(v), {firstId, secondId}};
}

Setting CheckBox(const char* key, int msw, int sw, const char* label, int id) {
    return {key, msw, label, "", SettingKind::CheckBox, msw, sw, 1, Pair("[ ]", "off", "[x]", "on"),
            {id}};
}

Setting SwitchList(const char* key, int msw, int first, int width, const char* label,
                   std::vector<SettingValue> v, int id) {
    return {key, msw, label, "", SettingKind::SwitchList, msw, first, width, std::move(v), {id}};
}

Setting Unshown(const char* key, SettingKind kind, int msw, int sw) {
    return {key, -1, "", "", kind, msw, sw, 1, Pair("off", "off", "on", "on"), {}};
}

std::vector<Setting> MakeSettings() {
    static const char* const fontAliases[] = {"standard", "italic", "courier", "gothic", "ocr-b"};
    static const char* const kanjiAliases[] = {"jis1978", "jis1983", "jis1990"};
    static const char* const countryAliases[] = {"japan", "usa", "uk", "germany", "sweden"};
    static const char* const speedAliases[] = {"240lpm", "225lpm", "310lpm"};
    static const char* const densityAliases[] = {"standard", "density1", "density2", "density3"};
    static const char* const modeAliases[] = {"standard", "high-speed", "high-quality"};

    std::vector<Setting> s;
    // Function select
    s.push_back(DigitPair("outline-font", VX_TEXT_SEL_OUTLINE, kOutlineFont,
                          Pair(VX_TEXT_SEL_OUTLINE_OFF, "off", VX_TEXT_SEL_OUTLINE_ON, "on"),
                          IDC_SEL_OUTLINE_OFF, IDC_SEL_OUTLINE_ON));
    s.push_back(DigitPair(
        "typeface", VX_TEXT_SEL_TYPEFACE, kTypeface,
        Pair(VX_TEXT_SEL_TYPEFACE_MINCHO, "mincho", VX_TEXT_SEL_TYPEFACE_GOTHIC, "gothic"),
        IDC_SEL_TYPEFACE_MINCHO, IDC_SEL_TYPEFACE_GOTHIC));
    s.push_back(
        DigitList("font1", VX_TEXT_SEL_FONT1, kFont1, Listed(kFonts, fontAliases), IDC_SEL_FONT1));
    s.push_back(
        DigitList("font2", VX_TEXT_SEL_FONT2, kFont2, Listed(kFonts, fontAliases), IDC_SEL_FONT2));
    s.push_back(DigitList("kanji-code", VX_TEXT_SEL_KANJI_TABLE, kKanjiTable,
                          Listed(kKanjiTables, kanjiAliases), IDC_SEL_KANJI_TABLE));
    s.push_back({"page-length",
                 0,
                 VX_TEXT_SEL_PAGE_LENGTH,
                 "",
                 SettingKind::PageLength,
                 static_cast<int>(kPageLengthTens),
                 0,
                 0,
                 {},
                 {IDC_SEL_PAGE_LENGTH}});

    // MSW1
    s.push_back(SwitchList("country", 1, 1, 3, VX_TEXT_MSW1_COUNTRY,
                           Listed(kCountries, countryAliases), IDC_MSW1_COUNTRY));
    s.push_back(
        Switch("dc1-dc3", 1, 5, VX_TEXT_MSW1_SW5, VX_TEXT_MSW1_SW5_NOTE,
               Pair(VX_TEXT_MSW1_SW5_ENABLED, "enabled", VX_TEXT_MSW1_SW5_DISABLED, "disabled"),
               IDC_MSW1_SW5_ENABLED, IDC_MSW1_SW5_DISABLED));
    s.push_back(Switch("auto-newline", 1, 6, VX_TEXT_MSW1_SW6, VX_TEXT_MSW1_SW6_NOTE,
                       Pair(VX_TEXT_MSW1_SW6_CRLF, "cr-lf", VX_TEXT_MSW1_SW6_CR, "cr-only"),
                       IDC_MSW1_SW6_CRLF, IDC_MSW1_SW6_CR));
    s.push_back(Switch("print-codes", 1, 7, VX_TEXT_MSW1_SW7, VX_TEXT_MSW1_SW7_NOTE,
                       Pair(VX_TEXT_MSW1_SW7_CR, "cr-only", VX_TEXT_MSW1_SW7_ALL, "cr-lf-vt-ff"),
                       IDC_MSW1_SW7_CR, IDC_MSW1_SW7_ALL));
    s.push_back(Switch("cr-function", 1, 8, VX_TEXT_MSW1_SW8, VX_TEXT_MSW1_SW8_NOTE,
                       Pair(VX_TEXT_MSW1_SW8_RETURN, "cr-only", VX_TEXT_MSW1_SW8_NEWLINE, "cr-lf"),
                       IDC_MSW1_SW8_RETURN, IDC_MSW1_SW8_NEWLINE));

    // MSW2
    s.push_back(CheckBox("slash-zero", 2, 1, VX_TEXT_MSW2_SW1_SLASH, IDC_MSW2_SW1_SLASH));
    s.push_back(Switch("graphics-dots", 2, 3, VX_TEXT_MSW2_SW3, VX_TEXT_MSW2_SW3_NOTE,
                       Pair(VX_TEXT_MSW2_SW3_NATIVE, "native", VX_TEXT_MSW2_SW3_COPY, "copy"),
                       IDC_MSW2_SW3_NATIVE, IDC_MSW2_SW3_COPY));
    s.push_back(
        Switch("host-print-mode", 2, 4, VX_TEXT_MSW2_SW4, VX_TEXT_MSW2_SW4_NOTE,
               Pair(VX_TEXT_MSW2_SW4_ENABLED, "enabled", VX_TEXT_MSW2_SW4_DISABLED, "disabled"),
               IDC_MSW2_SW4_ENABLED, IDC_MSW2_SW4_DISABLED));
    s.push_back(
        Switch("host-density", 2, 5, VX_TEXT_MSW2_SW5, VX_TEXT_MSW2_SW5_NOTE,
               Pair(VX_TEXT_MSW2_SW5_ENABLED, "enabled", VX_TEXT_MSW2_SW5_DISABLED, "disabled"),
               IDC_MSW2_SW5_ENABLED, IDC_MSW2_SW5_DISABLED));
    s.push_back(Switch("data-bits", 2, 6, VX_TEXT_MSW2_SW6, VX_TEXT_MSW2_SW6_NOTE,
                       Pair(VX_TEXT_MSW2_SW6_8BIT, "8-bit", VX_TEXT_MSW2_SW6_7BIT, "7-bit"),
                       IDC_MSW2_SW6_8BIT, IDC_MSW2_SW6_7BIT));
    s.push_back(Switch("paper-out-data", 2, 7, VX_TEXT_MSW2_SW7, VX_TEXT_MSW2_SW7_NOTE,
                       Pair(VX_TEXT_MSW2_SW7_DISCARD, "discard", VX_TEXT_MSW2_SW7_KEEP, "keep"),
                       IDC_MSW2_SW7_DISCARD, IDC_MSW2_SW7_KEEP));
    s.push_back(Switch("jam-recovery", 2, 8, VX_TEXT_MSW2_SW8, VX_TEXT_MSW2_SW8_NOTE,
                       Pair(VX_TEXT_MSW2_SW8_RESET, "reset", VX_TEXT_MSW2_SW8_PLATEN, "platen"),
                       IDC_MSW2_SW8_RESET, IDC_MSW2_SW8_PLATEN));

    // MSW3
    s.push_back(SwitchList("speed", 3, 1, 2, VX_TEXT_MSW3_SPEED, Listed(kSpeeds, speedAliases),
                           IDC_MSW3_SPEED));
    s.push_back(
        Switch("auto-print-mode", 3, 3, VX_TEXT_MSW3_SW3, VX_TEXT_MSW3_SW3_NOTE,
               Pair(VX_TEXT_MSW3_SW3_DISABLED, "disabled", VX_TEXT_MSW3_SW3_ENABLED, "enabled"),
               IDC_MSW3_SW3_DISABLED, IDC_MSW3_SW3_ENABLED));
    s.push_back(Switch("driver", 3, 4, VX_TEXT_MSW3_SW4, VX_TEXT_MSW3_SW4_NOTE,
                       Pair(VX_TEXT_MSW3_SW4_168, "168", VX_TEXT_MSW3_SW4_160, "160"),
                       IDC_MSW3_SW4_168, IDC_MSW3_SW4_160));
    s.push_back(
        Switch("port-choice", 3, 5, VX_TEXT_MSW3_SW5, VX_TEXT_MSW3_SW5_NOTE,
               Pair(VX_TEXT_MSW3_SW5_FIRST, "first-received", VX_TEXT_MSW3_SW5_FIXED, "fixed"),
               IDC_MSW3_SW5_FIRST, IDC_MSW3_SW5_FIXED));
    s.push_back(Switch("port", 3, 6, VX_TEXT_MSW3_SW6, VX_TEXT_MSW3_SW6_NOTE,
                       Pair(VX_TEXT_MSW3_SW6_LAN, "lan", VX_TEXT_MSW3_SW6_PARALLEL, "parallel"),
                       IDC_MSW3_SW6_LAN, IDC_MSW3_SW6_PARALLEL));
    s.push_back(CheckBox("slash-zero-2byte", 3, 7, VX_TEXT_MSW3_SW7_SLASH, IDC_MSW3_SW7_SLASH));
    s.push_back(
        Switch("power-saving", 3, 8, VX_TEXT_MSW3_SW8, VX_TEXT_MSW3_SW8_NOTE,
               Pair(VX_TEXT_MSW3_SW8_ENABLED, "enabled", VX_TEXT_MSW3_SW8_DISABLED, "disabled"),
               IDC_MSW3_SW8_ENABLED, IDC_MSW3_SW8_DISABLED));

    // MSW4
    s.push_back(
        Switch("buzzer", 4, 1, VX_TEXT_MSW4_SW1, VX_TEXT_MSW4_SW1_NOTE,
               Pair(VX_TEXT_MSW4_SW1_DISABLED, "disabled", VX_TEXT_MSW4_SW1_ENABLED, "enabled"),
               IDC_MSW4_SW1_DISABLED, IDC_MSW4_SW1_ENABLED));
    s.push_back(SwitchList("density", 4, 2, 2, VX_TEXT_MSW4_DENSITY,
                           Listed(kDensities, densityAliases), IDC_MSW4_DENSITY));
    s.push_back(Switch("auto-eject", 4, 4, VX_TEXT_MSW4_SW4, VX_TEXT_MSW4_SW4_NOTE,
                       Pair(VX_TEXT_MSW4_SW4_NO, "no", VX_TEXT_MSW4_SW4_YES, "yes"),
                       IDC_MSW4_SW4_NO, IDC_MSW4_SW4_YES));
    s.push_back(SwitchList("print-mode", 4, 5, 2, VX_TEXT_MSW4_PRINT_MODE,
                           Listed(kPrintModes, modeAliases), IDC_MSW4_PRINT_MODE));
    s.push_back(
        Switch("em-code", 4, 7, VX_TEXT_MSW4_SW7, VX_TEXT_MSW4_SW7_NOTE,
               Pair(VX_TEXT_MSW4_SW7_ENABLED, "enabled", VX_TEXT_MSW4_SW7_DISABLED, "disabled"),
               IDC_MSW4_SW7_ENABLED, IDC_MSW4_SW7_DISABLED));
    s.push_back(Switch("barcode", 4, 8, VX_TEXT_MSW4_SW8, VX_TEXT_MSW4_SW8_NOTE,
                       Pair(VX_TEXT_MSW4_SW8_WIDE, "wide", VX_TEXT_MSW4_SW8_SHINJOSHO, "shinjosho"),
                       IDC_MSW4_SW8_WIDE, IDC_MSW4_SW8_SHINJOSHO));

    // No page shows these two; the block carries them all the same.
    s.push_back(Unshown("sw1-4", SettingKind::Carried, 1, 4));
    s.push_back(Unshown("sw2-2", SettingKind::Cleared, 2, 2));
    AddEnglishTexts(s);
    return s;
}

// The pages showing `block`. They are shown again only for another block; a value stored
// through them leaves them showing none.
MemoryPages& PagesShowing(const SwitchBlock& block, bool forget = false) {
    thread_local MemoryPages pages;
    thread_local SwitchBlock shown;
    thread_local bool showing = false;
    if (forget) {
        showing = false;
    } else if (!showing || !(shown == block)) {
        pages.Apply(block);
        shown = block;
        showing = true;
    }
    return pages;
}

}  // namespace

const std::vector<Setting>& Settings() {
    static const std::vector<Setting> settings = MakeSettings();
    return settings;
}

const Setting* FindSetting(const std::string& key) {
    for (const Setting& s : Settings())
        if (s.key == key) return &s;
    return nullptr;
}

std::string DisplayText(const std::string& templateText) {
    std::string out;
    for (std::size_t i = 0; i < templateText.size(); ++i) {
        const char c = templateText[i];
        // "(&X)": the mnemonic in parentheses goes as a whole.
        if (c == '(' && i + 3 < templateText.size() && templateText[i + 1] == '&' &&
            templateText[i + 3] == ')') {
            i += 3;
            continue;
        }
        if (c == '&') {
            if (i + 1 < templateText.size() && templateText[i + 1] == '&') out += templateText[++i];
            continue;
        }
        out += c;
    }
    const std::size_t begin = out.find_first_not_of(' ');
    if (begin == std::string::npos) return {};
    return out.substr(begin, out.find_last_not_of(' ') - begin + 1);
}

std::string DisplayLabel(const Setting& s) {
    const std::string label = DisplayText(s.label);
    return s.note.empty() ? label : label + " " + s.note;
}

std::string DisplayLabel(const Setting& s, Language language) {
    return language == Language::English && !s.english.empty() ? s.english : DisplayLabel(s);
}

std::string ValueText(const SettingValue& v, Language language) {
    return language == Language::English && !v.english.empty() ? v.english : DisplayText(v.text);
}

std::string PageTitle(int page, Language language) {
    static const char* const english[] = {"Function select", "MSW1", "MSW2", "MSW3", "MSW4"};
    return language == Language::English ? english[page] : kPageTitles[page];
}

Shown ShownValue(const Setting& s, const SwitchBlock& block, Language language) {
    Shown shown = ShownValue(s, block);
    if (shown.index >= 0)
        shown.text = ValueText(s.values[static_cast<std::size_t>(shown.index)], language);
    return shown;
}

int RawCode(const Setting& s, const SwitchBlock& block) {
    switch (s.kind) {
        case SettingKind::DigitPair:
        case SettingKind::DigitList:
            return GetDigit(block, static_cast<BlockByte>(s.at));
        case SettingKind::PageLength:
            return GetPageLength(block);
        default:
            return GetSwitchCode(block, s.at, s.first, s.width);
    }
}

Shown ShownValue(const Setting& s, const SwitchBlock& block) {
    Shown shown;
    if (!s.Settable()) {
        shown.index = RawCode(s, block);  // no page: the switch as the block carries it
    } else {
        MemoryPageWindow& w = PagesShowing(block).Window(s.page);
        const int id = s.controls.at(0);
        switch (s.kind) {
            case SettingKind::PageLength:
                shown.number = ParseInteger(w.GetText(id)).value_or(0);
                shown.text = shown.alias = std::to_string(shown.number);
                return shown;
            case SettingKind::DigitPair:
            case SettingKind::Switch:
                shown.index = w.GetRadioIndex(id);  // -1: neither button is checked
                break;
            case SettingKind::CheckBox:
                shown.index = w.GetCheck(id);
                break;
            default: {
                const std::vector<std::string> items = w.GetListItems(id);
                const auto at = std::find(items.begin(), items.end(), w.GetText(id));
                shown.index = at == items.end() ? -1 : static_cast<int>(at - items.begin());
                break;
            }
        }
    }
    if (shown.index < 0) {
        shown.text = shown.alias = "-";
    } else {
        shown.text = DisplayText(s.values[static_cast<std::size_t>(shown.index)].text);
        shown.alias = s.values[static_cast<std::size_t>(shown.index)].alias;
    }
    return shown;
}

std::vector<int> BytePositions(const Setting& s) {
    switch (s.kind) {
        case SettingKind::DigitPair:
        case SettingKind::DigitList:
            return {s.at};
        case SettingKind::PageLength:
            return {kPageLengthTens, kPageLengthUnits};
        default: {
            const int low = static_cast<int>(MswLowByte(s.at));
            const int firstByte = s.first > 4 ? low + 1 : low;
            const int lastByte = s.first + s.width - 1 > 4 ? low + 1 : low;
            std::vector<int> positions = {firstByte};
            if (lastByte != firstByte) positions.push_back(lastByte);
            return positions;
        }
    }
}

std::string RawBytes(const Setting& s, const SwitchBlock& block) {
    std::string out;
    for (int at : BytePositions(s)) {
        if (!out.empty()) out += ' ';
        out += Hex(GetByte(block, static_cast<BlockByte>(at)));
    }
    return out;
}

void Store(const Setting& s, SwitchBlock& block, int value) {
    MemoryPages& pages = PagesShowing(block);
    MemoryPageWindow& w = pages.Window(s.page);
    const int id = s.controls.at(0);
    switch (s.kind) {
        case SettingKind::PageLength:
            w.SetText(id, std::to_string(value));
            break;
        case SettingKind::CheckBox:
            w.SetCheck(id, value);
            break;
        case SettingKind::DigitList:
        case SettingKind::SwitchList:
            w.SelectListItem(id, value);
            break;
        default:
            w.SetRadioIndex(id, value);
            break;
    }
    pages.Collect(block);
    PagesShowing(block, true);
}

SwitchBlock Collected(const SwitchBlock& block) {
    SwitchBlock out = block;
    PagesShowing(block).Collect(out);
    return out;
}

}  // namespace vx::cli
