// The settings' labels and values in English, for `--lang en`: the settings
// program shows them in Japanese only, so these are vxctl's own.
#pragma once

#include <vector>

#include "cli/settings_table.h"

namespace vx::cli {

// Fills in `english` of every setting and value that has an English text of its own; the
// others (the driver's names, the check boxes' marks) read the same in both languages.
void AddEnglishTexts(std::vector<Setting>& settings);

}  // namespace vx::cli
