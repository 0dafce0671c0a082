// Silent mode, for software deployment: the install (/S, /S /D=<folder>) and the
// uninstall (/M /S) with no window and no question, an exit code that says how it
// ended, and a log (/LOG=<file>) in place of every window.
#pragma once

#include <string>

#include "installer/installer_platform.h"
#include "installer/progress.h"
#include "installer/setup_info.h"

namespace vx::inst {

// Exit codes of a silent run (the interactive run keeps its own).
enum SilentExit : int {
    kExitDone = 0,
    kExitFailed = 1,           // nothing of a partial install is left behind
    kExitSetupFileBroken = 2,  // the setup file is missing or invalid, or the log unwritable
    kExitNoRight = 3,          // not enough rights
    kExitNoSpace = 4,          // not enough free space
    kExitBadDestination = 5,   // the destination is not a folder that can be used
};

// The log of a silent run: one line per step, and the text of a failure.
class Log {
  public:
    virtual ~Log() = default;
    virtual void Line(const std::string& text) = 0;
    // Whether the log's file can be written (asked once, before the run).
    virtual bool Writable() { return true; }
};

// Message boxes of a silent run: the text goes to the log; a question is answered No.
class LogBoxes : public MessageBoxes {
  public:
    explicit LogBoxes(Log& log) : log_(log) {}
    Answer Show(const std::string& text, const std::string& caption, MsgStyle style) override;

  private:
    Log& log_;
};

// The progress of a silent run: every status text is a line of the log; no pauses.
class LogProgress : public ProgressView {
  public:
    explicit LogProgress(Log& log) : log_(log), boxes_(log) {}
    void SetRange(unsigned upper) override {
        upper_ = upper;
        position_ = 0;
    }
    void StepIt() override {
        if (position_ < upper_) ++position_;
    }
    unsigned Upper() override { return upper_; }
    unsigned Position() override { return position_; }
    void SetPercentText(const std::string&) override {}
    void SetStatusText(const std::string& text) override { log_.Line(text); }
    void BringToForeground() override {}
    void Close() override {}
    MessageBoxes& Messages() override { return boxes_; }
    bool Paced() override { return false; }

  private:
    Log& log_;
    LogBoxes boxes_;
    unsigned upper_ = 0;
    unsigned position_ = 0;
};

// A silent run of what `invocation` asks for: the install, or the uninstall stages in
// their order. Returns the exit code; the install worker ends the process itself.
int RunSilent(Platform& p, const Invocation& invocation, Log& log);

}  // namespace vx::inst
