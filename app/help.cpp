#include "app/help.h"

#include "common/texts.h"
#include "resources/resource.h"

namespace vx {

void HelpFile::FindHelpFile(HelpSystem& system, MainView& view) {
    const WindowsVersion v = system.Version();
    const HelpChoice choice = ChooseHelpFile(v.platformId, v.major, v.minor);
    kind_ = choice.kind;
    path_ = ProgramFolder(system.ModulePath()) + choice.fileName;
    if (!system.FileExists(path_)) view.EnableCommand(IDM_HELP_CONTENTS, false);
}

void HelpFile::ShowHelp(HelpSystem& system, MainView& view) const {
    // Either viewer may fail to show the file (HTML Help shows nothing at all then):
    // the user is told in both cases.
    const bool shown =
        kind_ == HelpKind::HtmlHelp ? system.ShowHtmlHelp(path_) : system.ShowWinHelp(path_);
    if (!shown)
        view.ShowMessage(text::kNoHelpFile, text::kCaption, MsgIcon::Warning, MsgButtons::Ok);
}

void HelpFile::Shutdown(HelpSystem& system) const { system.QuitWinHelp(path_); }

}  // namespace vx
