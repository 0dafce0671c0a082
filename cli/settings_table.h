// Every setting the switch block holds, as vxctl names it: a stable ASCII key,
// the page, control and label the settings program shows it under, its values
// (the page's own texts with an ASCII alias each) and the bytes and switches
// that carry it. What a block shows and what a value writes come from the
// settings program's own pages, run on windows kept in memory.
#pragma once

#include <string>
#include <vector>

#include "settings/switch_block.h"

namespace vx::cli {

enum class Language;  // cli/cli_platform.h

enum class SettingKind {
    DigitPair,   // a function-select byte '0' or '1', shown as a radio pair
    DigitList,   // a function-select byte holding the position of a list item
    PageLength,  // bytes 24 and 25, two decimal digits
    Switch,      // one memory switch, shown as a radio pair
    CheckBox,    // one memory switch, shown as a check box
    SwitchList,  // neighbouring memory switches holding the code of a list item
    Carried,     // a memory switch no page shows; written back as it was (SW1-4)
    Cleared,     // a memory switch no page shows; always written back as 0 (SW2-2)
};

struct SettingValue {
    std::string text;          // as the page template writes it (a button's text keeps its "(&O)")
    std::string alias;         // ASCII
    std::string english = {};  // the text under --lang en; empty: the page's text
};

struct Setting {
    std::string key;
    int page;           // tab index 0..4; -1 for a switch that no page shows
    std::string label;  // template text: group box, static text or check box
    std::string note;   // the switch note under a group box, "（MSW1-5）"; may be empty
    SettingKind kind;
    int at;                            // block byte (function select) or memory switch 1..4
    int first;                         // first switch (memory switches)
    int width;                         // number of switches (memory switches)
    std::vector<SettingValue> values;  // in the page's order: list order, button order
    std::vector<int> controls;         // the page's control ids (both buttons of a pair)
    std::string english = {};          // label and note under --lang en; empty: as in Japanese

    bool Settable() const { return page >= 0; }
};

// In page order, each page's settings in the order of their bytes and switches; the
// switches no page shows come last.
const std::vector<Setting>& Settings();
const Setting* FindSetting(const std::string& key);

// A template text as the page shows it: "有効(&O)" -> "有効", "QX-K480/330(16&8)" ->
// "QX-K480/330(168)", blanks at both ends removed.
std::string DisplayText(const std::string& templateText);
// Label and note as one line.
std::string DisplayLabel(const Setting& s);
// The same in a language: the page's own text in Japanese, vxctl's in English.
std::string DisplayLabel(const Setting& s, Language language);
// A value's text in a language: "有効" or "Enabled".
std::string ValueText(const SettingValue& v, Language language);
// A page's tab title (0..4).
std::string PageTitle(int page, Language language);

// What the page shows for a block.
struct Shown {
    int index = -1;     // position in values; -1 when no button of a pair is checked
    int number = 0;     // page length as the page shows it
    std::string text;   // the value as the page shows it; "-" when no button is checked
    std::string alias;  // its ASCII alias; "-" when no button is checked
};
Shown ShownValue(const Setting& s, const SwitchBlock& block);
// The same with the value's text in a language (ValueText).
Shown ShownValue(const Setting& s, const SwitchBlock& block, Language language);

// The code the block carries for the setting: the digit (-1 when the byte is none), the
// page length (-1 when a byte is no digit), the switch value or the list code.
int RawCode(const Setting& s, const SwitchBlock& block);
// The raw byte(s) holding the setting: "0x31", or "0x36 0x36" for the page length.
std::string RawBytes(const Setting& s, const SwitchBlock& block);
// Block byte positions holding the setting.
std::vector<int> BytePositions(const Setting& s);

// Shows `block` on the pages, sets the setting's control to a value (its position among
// the setting's values, or a page length) and collects the pages into `block` again.
void Store(const Setting& s, SwitchBlock& block, int value);

// What the settings program holds after showing `block` on its pages and collecting them
// again: the block it saves and sends for a loaded file.
SwitchBlock Collected(const SwitchBlock& block);

}  // namespace vx::cli
