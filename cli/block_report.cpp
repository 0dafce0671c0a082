#include "cli/block_report.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "cli/messages.h"
#include "cli/text_output.h"
#include "pages/setting_lists.h"
#include "settings/settings_file.h"

namespace vx::cli {

namespace {

const char* Tr(Language language, const Text& t) {
    return language == Language::Japanese ? t.ja : t.en;
}

// The bytes the settings program sends for `s` where a file's own say something else (it
// corrects a value no control offers); empty when the file's value is sent as it is.
std::string CorrectedBytes(const Setting& s, const SwitchBlock& block, const SwitchBlock& sent) {
    const std::string bytes = RawBytes(s, sent);
    return bytes != RawBytes(s, block) && RawCode(s, block) != RawCode(s, sent) ? bytes : "";
}

bool IsMemorySwitchByte(std::size_t at) {
    for (int msw = 1; msw <= 4; ++msw)
        if (at == MswLowByte(msw) || at == MswLowByte(msw) + 1) return true;
    return false;
}

bool IsFunctionSelectByte(std::size_t at) {
    for (BlockByte b :
         {kOutlineFont, kKanjiTable, kFont1, kFont2, kPageLengthTens, kPageLengthUnits, kTypeface})
        if (at == b) return true;
    return false;
}

// "byte 4 = 0x05", "bytes 24-25 = 0x36 0x36".
std::string RawCell(const Setting& s, const SwitchBlock& block) {
    const std::vector<int> at = BytePositions(s);
    const std::string where =
        at.size() == 1 ? "byte " + std::to_string(at[0])
                       : "bytes " + std::to_string(at.front()) + "-" + std::to_string(at.back());
    return where + " = " + RawBytes(s, block);
}

// The page's title; empty for the switches no page shows.
std::string PageOf(const Setting& s, Language language) {
    return s.page >= 0 ? PageTitle(s.page, language) : "";
}

// The label the page shows; empty for the switches no page shows.
std::string LabelOf(const Setting& s, Language language) {
    return s.page >= 0 ? DisplayLabel(s, language) : "";
}

// The label of a byte no setting covers.
std::string ByteLabel(const Difference& d, Language language) {
    return Tr(language, d.highBits ? msg::kHighBits : msg::kNotASetting);
}

}  // namespace

std::string Hex(std::uint8_t byte) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "0x%02X", byte);
    return buffer;
}

std::string BlockHex(const SwitchBlock& block) {
    std::string out;
    for (std::size_t i = 0; i < block.bytes.size(); ++i) {
        char buffer[4];
        std::snprintf(buffer, sizeof buffer, "%02X", block.bytes[i]);
        out += (i ? " " : "") + std::string(buffer);
    }
    return out;
}

Bytes FileBytes(const SwitchBlock& block) {
    Bytes bytes(kSettingsFileSize);
    std::copy(kSettingsFileHeader.begin(), kSettingsFileHeader.end(), bytes.begin());
    std::copy(block.bytes.begin(), block.bytes.end(), bytes.begin() + kSettingsHeaderSize);
    return bytes;
}

Bytes SentBytes(const SwitchBlock& block) {
    const SwitchBlock sent = Collected(block);
    return Bytes(sent.bytes.begin(), sent.bytes.end());
}

std::string Seconds(long long ms) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", static_cast<double>(ms) / 1000.0);
    return buffer;
}

const char* OutcomeKeyword(JobOutcome outcome) {
    static constexpr std::pair<JobOutcome, const char*> kKeywords[] = {
        {JobOutcome::Done, "done"},
        {JobOutcome::NoSuchPrinter, "no-such-printer"},
        {JobOutcome::FileDestination, "file-destination"},
        {JobOutcome::NotUsable, "not-usable"},
        {JobOutcome::Refused, "refused"},
        {JobOutcome::JobEnded, "job-ended"},
        {JobOutcome::TimedOut, "timed-out"},
        {JobOutcome::NoScheduler, "no-scheduler"},
        {JobOutcome::Lost, "lost"},
    };
    for (const auto& [value, keyword] : kKeywords)
        if (value == outcome) return keyword;
    return "";
}

std::vector<Difference> Differences(const SwitchBlock& a, const SwitchBlock& b) {
    std::vector<Difference> out;
    for (const Setting& s : Settings()) {
        bool differs = false;
        if (s.kind == SettingKind::DigitPair || s.kind == SettingKind::DigitList ||
            s.kind == SettingKind::PageLength) {
            for (int at : BytePositions(s)) differs = differs || a.bytes[at] != b.bytes[at];
        } else {
            differs = RawCode(s, a) != RawCode(s, b);
        }
        if (differs) out.push_back({&s});
    }
    for (std::size_t i = 0; i < kBlockSize; ++i) {
        if (a.bytes[i] == b.bytes[i] || IsFunctionSelectByte(i)) continue;
        if (!IsMemorySwitchByte(i)) {
            out.push_back({nullptr, i, false});
        } else if (((a.bytes[i] ^ b.bytes[i]) & 0xF0) != 0) {
            out.push_back({nullptr, i, true});
        }
    }
    return out;
}

std::string ValueCell(const Shown& shown) {
    return shown.text == shown.alias ? shown.text : shown.text + " (" + shown.alias + ")";
}

std::string ShowText(const SwitchBlock& block, const std::string& indent, Language language,
                     bool fromFile) {
    // One table per page, all with the same column widths; the switches no page shows last.
    // A file's values are those the settings program sends for it; where that is not what
    // the file's bytes say, the bytes sent are named.
    const SwitchBlock sent = fromFile ? Collected(block) : block;
    std::vector<std::vector<std::vector<std::string>>> tables(6);
    for (const Setting& s : Settings()) {
        const std::size_t table = s.page >= 0 ? static_cast<std::size_t>(s.page) : 5;
        std::string raw = RawCell(s, block);
        if (const std::string corrected = CorrectedBytes(s, block, sent); !corrected.empty())
            raw += "  " + Format(Tr(language, msg::kCorrected), {corrected});
        tables[table].push_back(
            {s.key, LabelOf(s, language), ValueCell(ShownValue(s, sent, language)), raw});
    }
    std::vector<std::vector<std::string>> all;
    for (const auto& t : tables) all.insert(all.end(), t.begin(), t.end());
    const std::vector<std::size_t> widths = ColumnWidths(all);
    std::string out;
    for (std::size_t t = 0; t < tables.size(); ++t) {
        const std::string title = t < 5 ? PageTitle(static_cast<int>(t), language)
                                        : std::string(Tr(language, msg::kNotOnAPage));
        out += indent + "[" + title + "]\n" + Columns(tables[t], indent + "  ", widths);
    }
    return out;
}

std::string DifferenceText(const std::vector<Difference>& diffs, const SwitchBlock& a,
                           const SwitchBlock& b, const std::string& indent, Language language) {
    std::vector<std::vector<std::string>> rows;
    for (const Difference& d : diffs) {
        if (d.setting) {
            const Setting& s = *d.setting;
            rows.push_back({s.key, LabelOf(s, language), ValueCell(ShownValue(s, a, language)),
                            "->", ValueCell(ShownValue(s, b, language)),
                            RawCell(s, a) + " -> " + RawBytes(s, b)});
        } else {
            rows.push_back({"byte-" + std::to_string(d.byte), ByteLabel(d, language), "", "", "",
                            "byte " + std::to_string(d.byte) + " = " + Hex(a.bytes[d.byte]) +
                                " -> " + Hex(b.bytes[d.byte])});
        }
    }
    return Columns(rows, indent);
}

std::string DifferencesJson(const std::vector<Difference>& diffs, const SwitchBlock& a,
                            const SwitchBlock& b, Language language) {
    auto side = [language](const Difference& d, const SwitchBlock& block) {
        if (!d.setting) return JsonRecord().Text("raw", Hex(block.bytes[d.byte])).Object();
        const Shown shown = ShownValue(*d.setting, block, language);
        return JsonRecord()
            .Text("value", shown.text)
            .Text("alias", shown.alias)
            .Number("code", RawCode(*d.setting, block))
            .Text("raw", RawBytes(*d.setting, block))
            .Object();
    };
    std::string out = "[\n";
    for (std::size_t i = 0; i < diffs.size(); ++i) {
        const Difference& d = diffs[i];
        const Setting* s = d.setting;
        out += JsonRecord()
                   .Text("key", s ? s->key : "byte-" + std::to_string(d.byte))
                   .Text("page", s ? PageOf(*s, language) : "")
                   .Text("label", s ? LabelOf(*s, language) : ByteLabel(d, language))
                   .Raw("a", side(d, a))
                   .Raw("b", side(d, b))
                   .Object() +
               (i + 1 < diffs.size() ? ",\n" : "\n");
    }
    return out + "]";
}

JsonRecord& JsonRecord::Text(const std::string& key, const std::string& value) {
    return Raw(key, Json(value));
}

JsonRecord& JsonRecord::Number(const std::string& key, long long value) {
    return Raw(key, std::to_string(value));
}

JsonRecord& JsonRecord::Bool(const std::string& key, bool value) {
    return Raw(key, value ? "true" : "false");
}

JsonRecord& JsonRecord::Raw(const std::string& key, const std::string& json) {
    fields_ += (fields_.empty() ? "" : ",") + Json(key) + ":" + json;
    return *this;
}

std::string JsonRecord::WithSettings(const SwitchBlock& block, Language language,
                                     bool fromFile) const {
    const SwitchBlock sent = fromFile ? Collected(block) : block;
    std::string settings = "[\n";
    const auto& all = Settings();
    for (std::size_t i = 0; i < all.size(); ++i) {
        const Setting& s = all[i];
        const Shown shown = ShownValue(s, sent, language);
        JsonRecord one;
        one.Text("key", s.key)
            .Text("page", PageOf(s, language))
            .Text("label", LabelOf(s, language))
            .Text("value", shown.text)
            .Text("alias", shown.alias)
            .Number("code", RawCode(s, sent))
            .Text("raw", RawBytes(s, block));
        if (const std::string corrected = CorrectedBytes(s, block, sent); !corrected.empty())
            one.Text("sent", corrected);
        settings += one.Object() + (i + 1 < all.size() ? ",\n" : "\n");
    }
    JsonRecord record = *this;
    return record.Text("block", BlockHex(block)).Raw("settings", settings + "]").Line();
}

}  // namespace vx::cli
