// A printer link that ends by a deadline: every time-out it is given is cut to the time
// left, and nothing starts once the time is up. `receive --timeout` reads through it, so a
// printer that goes silent in the middle of an exchange is cut off at the deadline.
#pragma once

#include <cstddef>
#include <cstdint>

#include "cli/cli_platform.h"
#include "printer/printer_link.h"

namespace vx::cli {

class DeadlineLink : public PrinterLink {
  public:
    // `deadlineMs` is a time of `clock`; both outlive the link, as `link` does.
    DeadlineLink(PrinterLink& link, Clock& clock, long long deadlineMs)
        : link_(link), clock_(clock), deadlineMs_(deadlineMs) {}

    // True once the deadline cut a call short or kept one from starting.
    bool TimedOut() const { return timedOut_; }

    bool GetTimeouts(PortTimeouts& timeouts) override { return link_.GetTimeouts(timeouts); }
    bool SetTimeouts(const PortTimeouts& timeouts) override;
    bool GetDeviceId(std::uint8_t* out, std::size_t size) override;
    long Write(const std::uint8_t* data, std::size_t size) override;
    long Read(std::uint8_t* data, std::size_t size) override;
    unsigned long LastError() const override { return link_.LastError(); }

  private:
    long long Left() { return deadlineMs_ - clock_.NowMs(); }
    // False after noting the time-out when no time is left.
    bool Started();
    // Notes a time-out when a call fell short and the time is up.
    void Ended(bool complete);

    PrinterLink& link_;
    Clock& clock_;
    long long deadlineMs_;
    bool timedOut_ = false;
};

}  // namespace vx::cli
