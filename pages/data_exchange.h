// Two-way transfer between a page's bound variables and its controls, one
// primitive per kind of control. Each primitive returns false when the transfer
// is refused; the page then stops its transfer at that control.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "pages/page_window.h"

namespace vx {

// "%1 文字以内で入力してください。" with %1 = the limit; "整数を入力してください。".
std::string TooLongMessage(int maxChars);
extern const char* const kNotAnIntegerMessage;

// A whole text read as a signed decimal integer: blanks around it allowed, an optional sign,
// at least one digit, nothing else, and within the range of int.
std::optional<int> ParseInteger(const std::string& text);
// The leading decimal number of a text: blanks skipped, an optional sign, digits up to the
// first non-digit; 0 when there are none. Saturates at the limits of int.
int LeadingNumber(const std::string& text);
// Position of the first item that begins with `text`, ignoring the case of ASCII letters;
// -1 when none does.
int FindItemByPrefix(const std::vector<std::string>& items, const std::string& text);
// Number of characters of a UTF-8 text.
std::size_t CharacterCount(const std::string& utf8);

class DataExchange {
  public:
    DataExchange(PageWindow& window, bool store) : window_(window), store_(store) {}

    bool Storing() const { return store_; }

    bool CheckBox(int id, int& value);
    bool RadioGroup(int firstId, int& value);
    // maxChars 0: no limit.
    bool ListText(int id, std::string& value, int maxChars);
    bool Integer(int id, int& value);

  private:
    PageWindow& window_;
    bool store_;
};

}  // namespace vx
