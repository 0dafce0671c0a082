#include "cli/assignment.h"

#include "cli/text_output.h"

namespace vx::cli {

namespace {

// 1..99 written in decimal digits only; -1 for anything else.
int PageLengthOf(const std::string& value) {
    if (value.empty() || value.size() > 9) return -1;
    int n = 0;
    for (char c : value) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n >= 1 && n <= 99 ? n : -1;
}

}  // namespace

Assignment ParseAssignment(const std::string& argument) {
    Assignment a;
    const std::size_t eq = argument.find('=');
    if (eq == std::string::npos) {
        a.error = AssignmentError::NoEquals;
        a.key = argument;
        return a;
    }
    a.key = argument.substr(0, eq);
    a.value = argument.substr(eq + 1);
    for (const Setting& s : Settings())
        if (SameIgnoringAsciiCase(s.key, a.key)) a.setting = &s;
    if (a.setting == nullptr) {
        a.error = AssignmentError::UnknownKey;
        return a;
    }
    if (!a.setting->Settable()) {
        a.error = AssignmentError::NotSettable;
        return a;
    }
    if (a.setting->kind == SettingKind::PageLength) {
        a.code = PageLengthOf(a.value);
        if (a.code < 0) a.error = AssignmentError::BadValue;
        return a;
    }
    const std::vector<SettingValue>& values = a.setting->values;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const SettingValue& v = values[i];
        if (SameIgnoringAsciiCase(v.alias, a.value) || v.text == a.value ||
            DisplayText(v.text) == a.value ||
            (!v.english.empty() && SameIgnoringAsciiCase(v.english, a.value))) {
            a.code = static_cast<int>(i);
            return a;
        }
    }
    a.error = AssignmentError::BadValue;
    return a;
}

std::vector<std::string> AllowedValues(const Setting& s, Language language) {
    if (s.kind == SettingKind::PageLength) return {"1..99"};
    std::vector<std::string> out;
    for (const SettingValue& v : s.values)
        out.push_back(ValueText(v, language) + " (" + v.alias + ")");
    return out;
}

std::vector<std::string> SettableKeys() {
    std::vector<std::string> keys;
    for (const Setting& s : Settings())
        if (s.Settable()) keys.push_back(s.key);
    return keys;
}

SwitchBlock WithChanges(const SwitchBlock& block, const std::vector<Assignment>& changes) {
    SwitchBlock out = Collected(block);
    for (const Assignment& a : changes) Store(*a.setting, out, a.code);
    return out;
}

}  // namespace vx::cli
