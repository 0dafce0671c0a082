// The progress window as the workers see it, and one step of its bar.
#pragma once

#include <string>

#include "installer/installer_platform.h"

namespace vx::inst {

// The progress window (template 129), driven from a worker thread.
class ProgressView {
  public:
    virtual ~ProgressView() = default;
    virtual void SetRange(unsigned upper) = 0;  // 0..upper, step 1, position 0
    virtual void StepIt() = 0;
    virtual unsigned Upper() = 0;
    virtual unsigned Position() = 0;
    virtual void SetPercentText(const std::string& text) = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    virtual void BringToForeground() = 0;
    virtual void Close() = 0;              // with OK
    virtual MessageBoxes& Messages() = 0;  // owned by the progress window
    // Whether someone watches: the steps are paced for the eye only then.
    virtual bool Paced() { return true; }
};

// The pacing of a watched progress window: each step, the start of the install, and the
// end of either worker.
inline constexpr unsigned kStepPauseMs = 500;
inline constexpr unsigned kStartPauseMs = 100;
inline constexpr unsigned kEndPauseMs = 1000;

// Progress: one step of the bar with its status text and the pause.
class Progress {
  public:
    Progress(System& system, ProgressView& view) : system_(system), view_(view) {}
    void Start(unsigned steps, const std::string& status);
    void Step(const std::string& status);
    ProgressView& View() { return view_; }

  private:
    System& system_;
    ProgressView& view_;
};

}  // namespace vx::inst
