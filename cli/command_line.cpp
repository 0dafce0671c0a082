#include "cli/command_line.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <thread>

#include "cli/assignment.h"
#include "cli/text_output.h"

namespace vx::cli {

std::string Options::Value(const std::string& name) const {
    for (auto it = values.rbegin(); it != values.rend(); ++it)
        if (it->first == name) return it->second;
    return {};
}

bool Options::Has(const std::string& name) const {
    for (const auto& v : values)
        if (v.first == name) return true;
    return flags.count(name) != 0;
}

bool ParseOptions(const OptionNames& names, const std::vector<std::string>& args, Options& out,
                  std::string& badOption, bool& missingValue) {
    auto takes = [](const std::vector<std::string>& list, const std::string& n) {
        return std::find(list.begin(), list.end(), n) != list.end();
    };
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnded || a.size() < 2 || a[0] != '-') {
            out.positionals.push_back(a);
            continue;
        }
        if (a == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t eq = a.find('=');
        const std::string name = a.rfind("--", 0) == 0 ? a.substr(0, eq) : a;
        if (takes(names.valueOptions, name)) {
            if (eq != std::string::npos && name != a) {
                out.values.emplace_back(name, a.substr(eq + 1));
            } else if (i + 1 < args.size()) {
                out.values.emplace_back(name, args[++i]);
            } else {
                badOption = name;
                missingValue = true;
                return false;
            }
        } else if (takes(names.flagOptions, a)) {
            out.flags.insert(a);
        } else {
            badOption = a;
            missingValue = false;
            return false;
        }
    }
    return true;
}

bool AllDigits(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

long long PositiveNumber(const std::string& text) {
    if (text.empty() || text.size() > 9) return -1;
    long long n = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n > 0 ? n : -1;
}

bool SplitHostPort(const std::string& text, std::string& host, unsigned& port) {
    std::string portText;
    if (!text.empty() && text[0] == '[') {
        const std::size_t close = text.find(']');
        if (close == std::string::npos) return false;
        host = text.substr(1, close - 1);
        if (close + 1 < text.size()) {
            if (text[close + 1] != ':') return false;
            portText = text.substr(close + 2);
            if (portText.empty()) return false;
        }
    } else if (std::count(text.begin(), text.end(), ':') == 1) {
        host = text.substr(0, text.find(':'));
        portText = text.substr(text.find(':') + 1);
        if (portText.empty()) return false;
    } else {
        host = text;
    }
    if (!portText.empty()) {
        const long long n = portText == "0" ? 0 : PositiveNumber(portText);
        if (n < 0 || n > 65535) return false;
        port = static_cast<unsigned>(n);
    }
    return !host.empty();
}

namespace {
const char kFullWidthEquals[] = "\xEF\xBC\x9D";  // U+FF1D
}  // namespace

bool IsAssignment(const std::string& arg) {
    if (arg.find('=') != std::string::npos || arg.find(kFullWidthEquals) != std::string::npos)
        return true;
    const Assignment a = ParseAssignment(arg + "=");
    return a.error != AssignmentError::UnknownKey;
}

bool IsSettingsFileName(const std::string& path) {
    if (path.size() < 4) return false;
    return AsciiLower(path.substr(path.size() - 4)) == ".dat";
}

bool RangeAddresses(const std::string& text, std::vector<std::string>& out) {
    const std::size_t slash = text.find('/');
    const std::string address = text.substr(0, slash);
    const long long bits = slash == std::string::npos ? 32 : PositiveNumber(text.substr(slash + 1));
    unsigned parts[4];
    char end = 0;
    if (bits < 24 || bits > 32 ||
        std::sscanf(address.c_str(), "%3u.%3u.%3u.%3u%c", &parts[0], &parts[1], &parts[2],
                    &parts[3], &end) != 4 ||
        std::any_of(parts, parts + 4, [](unsigned p) { return p > 255; }))
        return false;
    const std::uint32_t value = parts[0] << 24 | parts[1] << 16 | parts[2] << 8 | parts[3];
    const std::uint32_t size = 1u << (32 - bits);
    const std::uint32_t first = value & ~(size - 1);
    for (std::uint32_t a = first; a < first + size; ++a) {
        if (size >= 4 && (a == first || a == first + size - 1)) continue;
        out.push_back(std::to_string(a >> 24) + "." + std::to_string(a >> 16 & 255) + "." +
                      std::to_string(a >> 8 & 255) + "." + std::to_string(a & 255));
    }
    return true;
}

bool GlobMatches(const char* pattern, const char* text) {
    if (*pattern == '\0') return *text == '\0';
    if (*pattern == '*')
        return GlobMatches(pattern + 1, text) || (*text != '\0' && GlobMatches(pattern, text + 1));
    return *text != '\0' && (*pattern == '?' || *pattern == *text) &&
           GlobMatches(pattern + 1, text + 1);
}

bool IsPattern(const std::string& name) { return name.find_first_of("*?") != std::string::npos; }

void RunSpread(std::size_t count, std::size_t threads,
               const std::function<void(std::size_t)>& work) {
    std::atomic<std::size_t> next{0};
    auto worker = [&] {
        for (std::size_t i = next++; i < count; i = next++) work(i);
    };
    std::vector<std::thread> others;
    for (std::size_t t = 1; t < std::min(threads, count); ++t) others.emplace_back(worker);
    worker();
    for (std::thread& t : others) t.join();
}

}  // namespace vx::cli
