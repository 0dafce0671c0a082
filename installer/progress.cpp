// One step of the progress window's bar: its percentage, its status text and the pause.
#include "installer/progress.h"

#include "installer/installer_texts.h"
#include "installer/path_text.h"

namespace vx::inst {

void Progress::Start(unsigned steps, const std::string& status) {
    // The bar's range is a 16-bit value; an oversized count is held at its largest
    // value so the percentage never divides by a wrapped-around zero.
    view_.SetRange(steps > 0xFFFF ? 0xFFFF : steps);
    view_.SetPercentText(FormatNumber(text::kPercent, 0));
    view_.SetStatusText(status);
}

void Progress::Step(const std::string& status) {
    system_.InitComForThread();
    view_.StepIt();
    const unsigned upper = view_.Upper();
    const unsigned position = view_.Position();
    const unsigned long long percent =
        upper == 0 ? 100 : static_cast<unsigned long long>(position) * 100 / upper;
    view_.SetPercentText(FormatNumber(text::kPercent, static_cast<long long>(percent)));
    view_.SetStatusText(status);
    if (view_.Paced()) system_.Sleep(kStepPauseMs);
}

}  // namespace vx::inst
