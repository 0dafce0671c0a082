// A stand-in for a printer of the model on its raw port: it takes the
// commands of each job as the printer would and keeps the settings it holds.
#pragma once

#include <cstdint>
#include <vector>

#include "settings/switch_block.h"

namespace vx::cli {

struct PrinterEvent {
    enum Kind {
        SettingsWritten,  // FS 'o' '0' ... '.': the printer adopts the 29 bytes
        PrintRequested,   // FS 'o' '2' '.': the printer prints its settings
        ReportRequested,  // FS 'o' '3' '.': answered on the parallel port only
        Ignored,          // bytes that are no command of the printer
    } kind;
    SwitchBlock before{};   // SettingsWritten: the settings held until then
    SwitchBlock after{};    // SettingsWritten: the settings held now
    std::size_t count = 0;  // Ignored: how many bytes
};

class SimulatedPrinter {
  public:
    explicit SimulatedPrinter(const SwitchBlock& settings) : settings_(settings) {}

    const SwitchBlock& Settings() const { return settings_; }

    // Carries out every command of one job's bytes, in order.
    std::vector<PrinterEvent> Receive(const std::vector<std::uint8_t>& bytes);

  private:
    SwitchBlock settings_;
};

}  // namespace vx::cli
