// How vxctl shows switch blocks: a block's settings page by page, what differs
// between two blocks, and the JSON records of every command (one builder).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/cli_platform.h"
#include "cli/print_service.h"
#include "cli/settings_table.h"
#include "settings/switch_block.h"

namespace vx::cli {

using Bytes = std::vector<std::uint8_t>;

// "0x05".
std::string Hex(std::uint8_t byte);
// "30 31 …", the block's bytes.
std::string BlockHex(const SwitchBlock& block);
// The settings file that holds the block.
Bytes FileBytes(const SwitchBlock& block);
// The bytes the settings program sends once it has loaded `block` from a file.
Bytes SentBytes(const SwitchBlock& block);
// "12.34" seconds.
std::string Seconds(long long ms);
// "done", "timed-out", …: a job's result in JSON.
const char* OutcomeKeyword(JobOutcome outcome);

// One line of a comparison: a setting, or a byte that no setting covers.
struct Difference {
    const Setting* setting = nullptr;
    std::size_t byte = 0;   // when there is no setting
    bool highBits = false;  // bits 4 to 7 of a memory-switch byte
};
// What differs between two blocks, settings first, in table order.
std::vector<Difference> Differences(const SwitchBlock& a, const SwitchBlock& b);

// "日本 (japan)"; a value whose alias is its text once.
std::string ValueCell(const Shown& shown);

// The block page by page as the pages show it, a table a page. `fromFile`: a settings
// file's block, shown as it is sent, with what is corrected.
std::string ShowText(const SwitchBlock& block, const std::string& indent, Language language,
                     bool fromFile = false);
// The differences a line each: key, label, a's value, b's value, the bytes.
std::string DifferenceText(const std::vector<Difference>& diffs, const SwitchBlock& a,
                           const SwitchBlock& b, const std::string& indent, Language language);
// The differences as a JSON array, one difference a line, each side's value and bytes.
std::string DifferencesJson(const std::vector<Difference>& diffs, const SwitchBlock& a,
                            const SwitchBlock& b, Language language);

// A JSON object built field by field, in the order added.
class JsonRecord {
  public:
    JsonRecord& Text(const std::string& key, const std::string& value);
    JsonRecord& Number(const std::string& key, long long value);
    JsonRecord& Bool(const std::string& key, bool value);
    // A value written as JSON already: a number, an object, an array.
    JsonRecord& Raw(const std::string& key, const std::string& json);

    std::string Object() const { return "{" + fields_ + "}"; }
    // The record on a line of its own.
    std::string Line() const { return Object() + "\n"; }
    // The record with a block's settings after its fields: "block", then "settings", one
    // setting a line, as show gives them (`fromFile`: as a settings file's are sent).
    std::string WithSettings(const SwitchBlock& block, Language language,
                             bool fromFile = false) const;

  private:
    std::string fields_;
};

}  // namespace vx::cli
