#include "pages/data_exchange.h"

#include <climits>
#include <cstddef>

namespace vx {

const char* const kNotAnIntegerMessage = "整数を入力してください。";

std::string TooLongMessage(int maxChars) {
    return std::to_string(maxChars) + " 文字以内で入力してください。";
}

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Reads an optional sign and digits from `pos`; saturates at the limits of int.
// `digits` tells how many digits were read; `overflow` whether the value did not fit.
long long ReadNumber(const std::string& s, std::size_t& pos, std::size_t& digits, bool& overflow) {
    bool negative = false;
    if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) negative = s[pos++] == '-';
    long long value = 0;
    digits = 0;
    overflow = false;
    for (; pos < s.size() && IsDigit(s[pos]); ++pos, ++digits) {
        if (value <= static_cast<long long>(INT_MAX) + 1) value = value * 10 + (s[pos] - '0');
    }
    if (negative) value = -value;
    if (value > INT_MAX) {
        value = INT_MAX;
        overflow = true;
    } else if (value < INT_MIN) {
        value = INT_MIN;
        overflow = true;
    }
    return value;
}

}  // namespace

std::optional<int> ParseInteger(const std::string& text) {
    std::size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    std::size_t digits = 0;
    bool overflow = false;
    const long long value = ReadNumber(text, pos, digits, overflow);
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    if (digits == 0 || overflow || pos != text.size()) return std::nullopt;
    return static_cast<int>(value);
}

int LeadingNumber(const std::string& text) {
    std::size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    std::size_t digits = 0;
    bool overflow = false;
    const long long value = ReadNumber(text, pos, digits, overflow);
    return digits == 0 ? 0 : static_cast<int>(value);
}

int FindItemByPrefix(const std::vector<std::string>& items, const std::string& text) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string& item = items[i];
        if (item.size() < text.size()) continue;
        bool match = true;
        for (std::size_t k = 0; k < text.size() && match; ++k) {
            match = FoldAscii(item[k]) == FoldAscii(text[k]);
        }
        if (match) return static_cast<int>(i);
    }
    return -1;
}

std::size_t CharacterCount(const std::string& utf8) {
    std::size_t n = 0;
    for (unsigned char c : utf8) {
        if ((c & 0xC0) != 0x80) ++n;  // every byte that does not continue a sequence
    }
    return n;
}

bool DataExchange::CheckBox(int id, int& value) {
    if (store_) {
        value = window_.GetCheck(id);
    } else {
        if (value < 0 || value > 2) value = 0;
        window_.SetCheck(id, value);
    }
    return true;
}

bool DataExchange::RadioGroup(int firstId, int& value) {
    if (store_) {
        value = window_.GetRadioIndex(firstId);
    } else {
        window_.SetRadioIndex(firstId, value);
    }
    return true;
}

bool DataExchange::ListText(int id, std::string& value, int maxChars) {
    if (!store_) {
        const int index = FindItemByPrefix(window_.GetListItems(id), value);
        if (index >= 0) {
            window_.SelectListItem(id, index);
        } else {
            window_.SetText(id, value);
        }
        return true;
    }
    std::string text = window_.GetText(id);
    value = text;
    if (maxChars > 0 && CharacterCount(text) > static_cast<std::size_t>(maxChars)) {
        window_.ShowRefusal(TooLongMessage(maxChars), MsgIcon::Warning);
        window_.SetFocus(id);
        return false;
    }
    return true;
}

bool DataExchange::Integer(int id, int& value) {
    if (!store_) {
        window_.SetText(id, std::to_string(value));
        return true;
    }
    const std::optional<int> parsed = ParseInteger(window_.GetText(id));
    if (!parsed) {
        window_.ShowRefusal(kNotAnIntegerMessage, MsgIcon::None);
        window_.SetFocus(id);
        window_.SelectAllText(id);
        return false;
    }
    value = *parsed;
    return true;
}

}  // namespace vx
