#include "app/win32/file_dialogs.h"

#include <cderr.h>
#include <commdlg.h>

#include <vector>

#include "common/win32/utf16.h"

namespace vx::win32 {

namespace {

// "label|pattern||" with every bar a zero, as the common file dialogs take it.
std::wstring FilterOf(const std::string& filter) {
    std::wstring w = Widen(filter);
    for (wchar_t& c : w) {
        if (c == L'|') c = L'\0';
    }
    w.push_back(L'\0');
    return w;
}

// The common file dialogs, loaded on their first use: start-up never needs them.
struct FileDialogFunctions {
    using Show = BOOL(WINAPI*)(OPENFILENAMEW*);
    using Error = DWORD(WINAPI*)();
    Show open = nullptr;
    Show saveAs = nullptr;
    Error error = nullptr;
};
const FileDialogFunctions& FileDialogs() {
    static const FileDialogFunctions functions = [] {
        FileDialogFunctions f;
        if (HMODULE module = LoadLibraryW(L"comdlg32.dll")) {
            auto find = [module](const char* name) {
                return reinterpret_cast<void*>(GetProcAddress(module, name));
            };
            f.open = reinterpret_cast<FileDialogFunctions::Show>(find("GetOpenFileNameW"));
            f.saveAs = reinterpret_cast<FileDialogFunctions::Show>(find("GetSaveFileNameW"));
            f.error = reinterpret_cast<FileDialogFunctions::Error>(find("CommDlgExtendedError"));
        }
        return f;
    }();
    return functions;
}

}  // namespace

FileChoice AskFileName(HWND owner, const MainView::FileDialog& dialog, bool save,
                       std::string& path) {
    const FileDialogFunctions& dialogs = FileDialogs();
    const FileDialogFunctions::Show show = save ? dialogs.saveAs : dialogs.open;
    if (!show || !dialogs.error) return FileChoice::Cancelled;  // no dialog to ask with
    const std::wstring filter = FilterOf(dialog.filter);
    const std::wstring extension = Widen(dialog.defaultExtension);
    const std::wstring folder = Widen(dialog.folder);
    std::vector<wchar_t> name(MAX_PATH, L'\0');
    const std::wstring initial = Widen(dialog.fileName);
    initial.copy(name.data(), MAX_PATH - 1);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    ofn.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | (save ? OFN_OVERWRITEPROMPT : 0);
    if (show(&ofn)) {
        path = Narrow(name.data());
        return FileChoice::Chosen;
    }
    // A name longer than the buffer ends the dialog as Cancel does, with this error.
    return dialogs.error() == FNERR_BUFFERTOOSMALL ? FileChoice::NameTooLong
                                                   : FileChoice::Cancelled;
}

}  // namespace vx::win32
