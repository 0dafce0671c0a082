#include "app/settings_source.h"

#include <cstdio>

#include "common/texts.h"

namespace vx {

SettingsSource SettingsSource::Factory() { return {}; }

SettingsSource SettingsSource::File(const std::string& fileName, const SwitchBlock& block) {
    SettingsSource s;
    s.origin = SettingsOrigin::File;
    s.fileName = fileName;
    s.block = block;
    return s;
}

SettingsSource SettingsSource::Printer(TimeOfDay readAt, const SwitchBlock& block) {
    SettingsSource s;
    s.origin = SettingsOrigin::Printer;
    s.readAt = readAt;
    s.block = block;
    return s;
}

std::string SettingsSourceText(const SettingsSource& source, const SwitchBlock& working) {
    std::string text;
    switch (source.origin) {
        case SettingsOrigin::Factory:
            text = text::kSourceFactory;
            break;
        case SettingsOrigin::File:
            text = text::kSourceFile + source.fileName;
            break;
        case SettingsOrigin::Printer: {
            char time[16];
            std::snprintf(time, sizeof time, "%02d:%02d", source.readAt.hour % 100,
                          source.readAt.minute % 100);
            text = text::kSourcePrinterBefore + std::string(time) + text::kSourcePrinterAfter;
            break;
        }
    }
    if (working != source.block) text += text::kSourceChanged;
    return text;
}

}  // namespace vx
