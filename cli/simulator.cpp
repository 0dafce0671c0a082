#include "cli/simulator.h"

#include <algorithm>

#include "printer/settings_reply.h"
#include "settings/printer_commands.h"

namespace vx::cli {

std::string SimulatedDeviceId(bool busy) {
    return std::string("MFG:ZAM;MDL:QX-K480/330;CLS:PRINTER;CMD:QX;SN:SIM0001;EXTSTS:") +
           (busy ? "00000100" : "00000000") + ";";
}

std::vector<PrinterEvent> SimulatedPrinter::Receive(const std::vector<std::uint8_t>& bytes) {
    const std::size_t answered = answered_ * kSettingsReplySize;
    answered_ = 0;
    return Receive(bytes, answered);
}

std::vector<PrinterEvent> SimulatedPrinter::Receive(const std::vector<std::uint8_t>& bytes,
                                                    std::size_t answered) {
    std::vector<PrinterEvent> events = Carry(bytes);
    std::size_t report = 0;
    for (PrinterEvent& e : events)
        if (e.kind == PrinterEvent::ReportRequested && report++ < answered / kSettingsReplySize)
            e.count = kSettingsReplySize;
    answered_ = 0;
    return events;
}

std::vector<std::uint8_t> SimulatedPrinter::AnswerAll(
    const std::vector<std::uint8_t>& received) const {
    SimulatedPrinter probe(settings_);
    std::vector<std::uint8_t> out;
    for (const PrinterEvent& e : probe.Carry(received)) {
        if (e.kind != PrinterEvent::ReportRequested) continue;
        const auto reply = SettingsReply(e.before);
        out.insert(out.end(), reply.begin(), reply.end());
    }
    return out;
}

std::vector<std::uint8_t> SimulatedPrinter::Answer(const std::vector<std::uint8_t>& received) {
    // The job so far, carried out on a copy: the printer's settings change when it has ended.
    SimulatedPrinter probe(settings_);
    std::vector<std::uint8_t> out;
    std::size_t report = 0;
    for (const PrinterEvent& e : probe.Carry(received)) {
        if (e.kind != PrinterEvent::ReportRequested || report++ < answered_) continue;
        const auto reply = SettingsReply(e.before);
        out.insert(out.end(), reply.begin(), reply.end());
        ++answered_;
    }
    return out;
}

std::vector<PrinterEvent> SimulatedPrinter::Carry(const std::vector<std::uint8_t>& bytes) {
    std::vector<PrinterEvent> events;
    std::size_t ignored = 0;
    auto flushIgnored = [&] {
        if (ignored == 0) return;
        PrinterEvent e{PrinterEvent::Ignored};
        e.count = ignored;
        events.push_back(e);
        ignored = 0;
    };

    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        const bool command = i + 3 < n && bytes[i] == kFs && bytes[i + 1] == kCommandLetter;
        const std::uint8_t function = command ? bytes[i + 2] : 0;
        if (function == kSetSettings && i + kBlockSize <= n &&
            bytes[i + kBlockSize - 1] == kCommandEnd) {
            flushIgnored();
            PrinterEvent e{PrinterEvent::SettingsWritten};
            e.before = settings_;
            std::copy(bytes.begin() + static_cast<long>(i),
                      bytes.begin() + static_cast<long>(i + kBlockSize), settings_.bytes.begin());
            e.after = settings_;
            events.push_back(e);
            i += kBlockSize;
        } else if ((function == kPrintSettings || function == kReportSettings) &&
                   bytes[i + 3] == kCommandEnd) {
            flushIgnored();
            PrinterEvent e{function == kPrintSettings ? PrinterEvent::PrintRequested
                                                      : PrinterEvent::ReportRequested};
            e.before = settings_;
            events.push_back(e);
            i += 4;
            // The report request ends with a zero byte.
            if (function == kReportSettings && i < n && bytes[i] == 0) ++i;
        } else {
            ++ignored;
            ++i;
        }
    }
    flushIgnored();
    return events;
}

}  // namespace vx::cli
