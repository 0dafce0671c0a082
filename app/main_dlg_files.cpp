// Settings files: the open and save commands, loading a file by name, and
// files dropped on the window.
#include "app/main_dlg.h"
#include "common/texts.h"
#include "settings/settings_file.h"

namespace vx {

namespace {

MainView::FileDialog SettingsFileDialog(const std::string& folder) {
    return {text::kFileFilter, "dat", "*.dat", folder};
}

}  // namespace

std::string CMainDlg::SettingsFileFolder() {
    // The program folder, unless this user cannot write there (a standard user under
    // Program Files): then every save would first fail with the access-denied message.
    std::string program = view_.ProgramFolder();  // returned by move
    if (files_->CanCreateFileIn(program)) return program;
    const std::string documents = files_->DocumentsFolder();
    return documents.empty() ? program : documents;
}

MsgAnswer CMainDlg::Ask(const std::string& text, MsgIcon icon, MsgButtons buttons) {
    return view_.ShowMessage(text, text::kCaption, icon, buttons);
}

void CMainDlg::OnOpenSettingsFile() {
    if (initialised) {
        CollectBlock(copies.workingBlock);
        if (copies.DiffersFromSent() &&
            Ask(text::kDiscardQuestion, MsgIcon::Warning, MsgButtons::YesNo) != MsgAnswer::Yes)
            return;
    }
    std::string path;
    const FileChoice choice = view_.AskOpenFileName(SettingsFileDialog(SettingsFileFolder()), path);
    if (choice == FileChoice::Cancelled) return;

    // A name too long for the dialog names a file that cannot be opened.
    SwitchBlock fromFile = copies.workingBlock;
    if (choice == FileChoice::NameTooLong ||
        ReadSettingsFile(*files_, path, fromFile) != LoadResult::Loaded) {
        Ask(text::kNotSettingsFile, MsgIcon::Warning, MsgButtons::Ok);
        return;
    }
    copies.OnFileLoaded(fromFile);
    source = SettingsSource::File(BareFileName(path), fromFile);
    ApplyBlock(copies.workingBlock);
    UpdateSendState();
}

FileChoice CMainDlg::AskSaveFileName(std::string& path) {
    return view_.AskSaveFileName(SettingsFileDialog(SettingsFileFolder()), path);
}

void CMainDlg::OnSaveSettingsFile() {
    CollectBlock(copies.workingBlock);
    std::string path;
    // The dialog comes back, new, after a name that cannot be written to for a reason the
    // user can mend; Cancel ends the command.
    for (;;) {
        const FileChoice choice = AskSaveFileName(path);
        if (choice == FileChoice::Cancelled) return;
        if (choice == FileChoice::NameTooLong) {
            // Nothing can be written under that name: say so, and let the user choose again.
            Ask(text::kWriteFailed, MsgIcon::Error, MsgButtons::Ok);
            continue;
        }
        switch (WriteSettingsFile(*files_, path, copies.workingBlock)) {
            case SaveResult::Saved:
                copies.OnFileSaved();
                return;
            case SaveResult::AccessDenied:
                // On the NT family the user may pick another folder, as often as needed.
                if (view_.Family() == PlatformFamily::Nt) {
                    Ask(text::kNoPermission, MsgIcon::Warning, MsgButtons::Ok);
                    continue;
                }
                [[fallthrough]];
            case SaveResult::Failed:
                // Also a write that failed after the open: the file does not hold the settings.
                Ask(text::kWriteFailed, MsgIcon::Error, MsgButtons::Ok);
                return;
        }
    }
}

int CMainDlg::LoadSettingsFileByName(const std::string& path) {
    if (path.empty()) return 0;
    if (initialised) {
        CollectBlock(copies.workingBlock);
        if (copies.DiffersFromSent() &&
            Ask(text::kLoadDiscardQuestion, MsgIcon::Warning, MsgButtons::YesNo) != MsgAnswer::Yes)
            return 0;
    }
    SwitchBlock fromFile = copies.workingBlock;
    if (ReadSettingsFile(*files_, path, fromFile) != LoadResult::Loaded) {
        Ask(text::kNotValidSettingsFile, MsgIcon::Warning, MsgButtons::Ok);
        return 1;
    }
    copies.OnFileLoaded(fromFile);
    source = SettingsSource::File(BareFileName(path), fromFile);
    ApplyBlock(copies.workingBlock);
    UpdateSendState();
    Ask(text::kLoadedBefore + BareFileName(path) + text::kLoadedAfter, MsgIcon::Information,
        MsgButtons::Ok);
    return 1;
}

void CMainDlg::OnDropFiles(const std::vector<std::string>& paths) {
    if (!paths.empty()) LoadSettingsFileByName(paths.front());
}

}  // namespace vx
