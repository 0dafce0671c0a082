// Where the values on the pages came from, for the status bar's third part: read from the
// printer (at what time), loaded from a file (its name) or the factory settings, and
// whether they were changed since.
#pragma once

#include <string>

#include "settings/switch_block.h"

namespace vx {

struct TimeOfDay {
    int hour = 0;
    int minute = 0;
};

enum class SettingsOrigin { Factory, File, Printer };

struct SettingsSource {
    SettingsOrigin origin = SettingsOrigin::Factory;
    std::string fileName;                 // File: the name without its folder
    TimeOfDay readAt;                     // Printer: when the reply came
    SwitchBlock block = FactoryDefaults;  // the values as they came

    static SettingsSource Factory();
    static SettingsSource File(const std::string& fileName, const SwitchBlock& block);
    static SettingsSource Printer(TimeOfDay readAt, const SwitchBlock& block);
};

// "受信 (14:05)", "ファイル： office.dat" or "工場出荷設定値", followed by
// "（変更あり）" when `working` differs from the values as they came.
std::string SettingsSourceText(const SettingsSource& source, const SwitchBlock& working);

}  // namespace vx
