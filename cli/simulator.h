// A stand-in for a printer of the model on its raw port: it takes the
// commands of each job as the printer would and keeps the settings it holds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "settings/switch_block.h"

namespace vx::cli {

struct PrinterEvent {
    enum Kind {
        SettingsWritten,  // FS 'o' '0' ... '.': the printer adopts the 29 bytes
        PrintRequested,   // FS 'o' '2' '.': the printer prints its settings
        ReportRequested,  // FS 'o' '3' '.' 0: the printer answers with 12 bytes
        Ignored,          // bytes that are no command of the printer
    } kind;
    SwitchBlock before{};   // SettingsWritten: the settings held until then
    SwitchBlock after{};    // SettingsWritten: the settings held now
    std::size_t count = 0;  // Ignored: how many bytes; ReportRequested: bytes answered (or 0)
};

// The IEEE 1284 device ID the simulated printer reports: ready, or busy printing.
std::string SimulatedDeviceId(bool busy);

class SimulatedPrinter {
  public:
    explicit SimulatedPrinter(const SwitchBlock& settings) : settings_(settings) {}

    const SwitchBlock& Settings() const { return settings_; }

    // Carries out every command of one job's bytes, in order; the job has ended.
    std::vector<PrinterEvent> Receive(const std::vector<std::uint8_t>& bytes);
    // The same for a job that got `answered` bytes of replies while it arrived.
    std::vector<PrinterEvent> Receive(const std::vector<std::uint8_t>& bytes, std::size_t answered);

    // While a job arrives (all its bytes so far, each time more come): the 12-byte reply to
    // each settings report request not answered yet, from the settings the printer holds at
    // that point of the job.
    std::vector<std::uint8_t> Answer(const std::vector<std::uint8_t>& received);
    // All the replies a job's bytes so far call for, from the start of the job.
    std::vector<std::uint8_t> AnswerAll(const std::vector<std::uint8_t>& received) const;

  private:
    std::vector<PrinterEvent> Carry(const std::vector<std::uint8_t>& bytes);

    SwitchBlock settings_;
    std::size_t answered_ = 0;  // report requests of the current job answered
};

}  // namespace vx::cli
