#include "cli/settings_english.h"

#include <cstring>

namespace vx::cli {

namespace {

struct EnglishTexts {
    const char* key;
    const char* label;                // with the memory switches it stands for
    std::vector<const char*> values;  // in the setting's value order; none: as they are
};

const EnglishTexts kEnglish[] = {
    {"outline-font", "Outline font", {"Off", "On"}},
    {"typeface", "Typeface", {"Mincho", "Gothic"}},
    {"font1", "Font 1", {"Standard", "Italic", "Courier", "Gothic", "OCR-B"}},
    {"font2", "Font 2", {"Standard", "Italic", "Courier", "Gothic", "OCR-B"}},
    {"kanji-code", "Kanji code table", {"JIS 1978", "JIS 1983", "JIS 1990"}},
    {"page-length", "Page length", {}},
    {"country",
     "International characters (MSW1-1/2/3)",
     {"Japan", "USA", "UK", "Germany", "Sweden"}},
    {"dc1-dc3", "DC1/DC3 code handling (MSW1-5)", {"Enabled", "Disabled"}},
    {"auto-newline", "Automatic new line (MSW1-6)", {"CR and LF", "CR only"}},
    {"print-codes", "Print command codes (MSW1-7)", {"CR only", "CR, LF, VT, FF"}},
    {"cr-function", "CR code function (MSW1-8)", {"CR only", "CR and LF"}},
    {"slash-zero", "Slashed zero for 1-byte digits (MSW2-1)", {}},
    {"graphics-dots", "Graphics dot count (MSW2-3)", {"Native mode", "Copy mode"}},
    {"host-print-mode", "Print mode chosen by the computer (MSW2-4)", {"Enabled", "Disabled"}},
    {"host-density", "Density chosen by the computer (MSW2-5)", {"Enabled", "Disabled"}},
    {"data-bits", "7/8-bit data (MSW2-6)", {"8 bits", "7 bits"}},
    {"paper-out-data", "Data received without paper (MSW2-7)", {"Discard", "Keep"}},
    {"jam-recovery",
     "Recovery from a paper jam (MSW2-8)",
     {"Power off and on, forced reset", "Opening and closing the platen"}},
    {"speed", "High-speed mode (MSW3-1/2)", {"240 LPM", "225 LPM", "310 LPM"}},
    {"auto-print-mode", "Automatic print mode switching (MSW3-3)", {"Disabled", "Enabled"}},
    {"driver", "Printer driver (MSW3-4)", {}},
    {"port-choice", "How the port is chosen (MSW3-5)", {"Port that received first", "Fixed"}},
    {"port", "Port (MSW3-6)", {"LAN", "Parallel"}},
    {"slash-zero-2byte", "Slashed zero for 2-byte digits (MSW3-7)", {}},
    {"power-saving", "Power saving (MSW3-8)", {"Enabled", "Disabled"}},
    {"buzzer", "Buzzer (MSW4-1)", {"Disabled", "Enabled"}},
    {"density", "Print density (MSW4-2/3)", {"Standard", "Density 1", "Density 2", "Density 3"}},
    {"auto-eject", "Automatic ejection (MSW4-4)", {"No", "Yes"}},
    {"print-mode", "Print mode (MSW4-5/6)", {"Standard", "High speed", "High quality"}},
    {"em-code", "EM code handling (MSW4-7)", {"Enabled", "Disabled"}},
    {"barcode", "Barcode pattern (MSW4-8)", {"Wide pattern", "Shinjosho pattern"}},
};

}  // namespace

void AddEnglishTexts(std::vector<Setting>& settings) {
    for (Setting& s : settings) {
        for (const EnglishTexts& e : kEnglish) {
            if (s.key != e.key) continue;
            s.english = e.label;
            for (std::size_t i = 0; i < e.values.size() && i < s.values.size(); ++i)
                s.values[i].english = e.values[i];
        }
    }
}

}  // namespace vx::cli
