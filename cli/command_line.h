// vxctl's arguments: options as given, and the texts options and plans take
// (numbers, HOST[:PORT], KEY=VALUE, file names, name patterns).
#pragma once

#include <cstddef>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace vx::cli {

// A command's arguments once read: the positionals, the options with a value and the flags.
struct Options {
    std::vector<std::string> positionals;
    std::vector<std::pair<std::string, std::string>> values;  // in the order given
    std::set<std::string> flags;

    // The last value given for `name`; empty when none is.
    std::string Value(const std::string& name) const;
    bool Has(const std::string& name) const;
};

// What a command takes besides its positionals.
struct OptionNames {
    std::vector<std::string> valueOptions;
    std::vector<std::string> flagOptions;
};

// Reads a command's arguments ("--" ends the options). False with `badOption` and
// `missingValue` telling which option was wrong: unknown, or without its value.
bool ParseOptions(const OptionNames& names, const std::vector<std::string>& args, Options& out,
                  std::string& badOption, bool& missingValue);

constexpr long long kLargestNumber = 999999999;

bool AllDigits(const std::string& text);
// A positive whole number of at most 9 digits; -1 otherwise.
long long PositiveNumber(const std::string& text);

// "host", "host:port", "[v6]:port" or a bare IPv6 address; the port stays as it was when
// none is given. False when the text is none of these.
bool SplitHostPort(const std::string& text, std::string& host, unsigned& port);

// The unicast IPv4 addresses of "A.B.C.D/N" (N from 24 to 32) or of one address: without
// the network's and the broadcast address where the range has them. False when the text is
// none of these.
bool RangeAddresses(const std::string& text, std::vector<std::string>& out);

// An argument of set meant as KEY=VALUE: one with an equals sign (also a full-width one), or
// a setting's key alone.
bool IsAssignment(const std::string& arg);
// A name set may create: one ending in ".dat", as the settings program names them.
bool IsSettingsFileName(const std::string& path);

// A shell-style pattern: "*" any text, "?" any one byte, everything else itself.
bool GlobMatches(const char* pattern, const char* text);
bool IsPattern(const std::string& name);

// Runs work(0) ... work(count - 1) on up to `threads` threads, this one among them.
void RunSpread(std::size_t count, std::size_t threads,
               const std::function<void(std::size_t)>& work);

}  // namespace vx::cli
