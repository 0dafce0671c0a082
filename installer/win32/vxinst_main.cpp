// The installer program VXInst: the application start-up and its four windows.
// Every decision is in the portable flows; these windows only show and forward.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

#include "common/win32/dialog.h"
#include "common/win32/owned.h"
#include "common/win32/utf16.h"
#include "installer/folder_flow.h"
#include "installer/install_flow.h"
#include "installer/installer_texts.h"
#include "installer/path_text.h"
#include "installer/silent.h"
#include "installer/uninstall_flow.h"
#include "installer/win32/dialog_items.h"
#include "installer/win32/progress_dialog.h"
#include "installer/win32/win32_files.h"
#include "installer/win32/win32_log.h"
#include "installer/win32/win32_message_boxes.h"
#include "installer/win32/win32_profile.h"
#include "installer/win32/win32_registry.h"
#include "installer/win32/win32_shell_links.h"
#include "installer/win32/win32_system.h"
#include "vxinst_resource.h"

namespace vx::inst::win32 {
namespace {

using vx::win32::Narrow;
using vx::win32::Widen;

struct Services {
    Win32System system;
    Win32Files files;
    Win32Registry registry;
    Win32ShellLinks links;
    Win32Profile profile;
    Platform p{system, files, registry, links, profile};
};

Services& TheServices() {
    static Services services;
    return services;
}

HINSTANCE g_instance = nullptr;
SetupRecord g_setupRecord;  // the one record the setup information reading fills

using vx::win32::Dialog;

class CInstallProgressDlg : public CProgressDlg {
  public:
    explicit CInstallProgressDlg(const InstallJob& job) : job_(job) {}

  protected:
    // Ends the process itself.
    void Work() override { RunInstallWorker(TheServices().p, job_, *this); }

  private:
    InstallJob job_;
};

class CUninstallProgressDlg : public CProgressDlg {
  public:
    explicit CUninstallProgressDlg(const SetupRecord& record) : record_(record) {}

  protected:
    void SetUp() override { SetWindowTextW(hwnd_, Widen(text::kUninstallProgressTitle).c_str()); }
    void Work() override { RunUninstallWorker(TheServices().p, record_, *this); }

  private:
    SetupRecord record_;
};

// Template 130: "いいえ(&N)" is the default, so Enter declines as Esc does.
class CUninstallConfirmDlg : public Dialog {
  public:
    explicit CUninstallConfirmDlg(const std::string& title) : title_(title) {}

  protected:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM) override {
        switch (message) {
            case WM_INITDIALOG: {
                wchar_t caption[512] = L"";
                GetWindowTextW(hwnd_, caption, 512);
                SetWindowTextW(hwnd_, Widen(FormatText(Narrow(caption), title_)).c_str());
                for (const int id : {IDT_UNINSTALL_WHAT, IDT_UNINSTALL_QUESTION}) {
                    SetItemText(hwnd_, id, FormatText(ItemText(hwnd_, id), title_));
                }
                SetForegroundWindow(hwnd_);
                SetFocus(GetDlgItem(hwnd_, IDCANCEL));
                return FALSE;  // the focus is set
            }
            case WM_COMMAND:
                if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                    EndDialog(hwnd_, LOWORD(wParam));
                    return TRUE;
                }
                break;
        }
        return FALSE;
    }

  private:
    std::string title_;
};

// Template 102: the destination folder.
class CFolderDlg : public Dialog, public FolderView {
  public:
    std::string Destination() override {
        wchar_t text[MAX_PATH + 1] = L"";
        GetDlgItemTextW(hwnd_, IDE_DESTINATION, text, MAX_PATH + 1);
        return Narrow(text);
    }
    void SetDestination(const std::string& p) override { SetItemText(hwnd_, IDE_DESTINATION, p); }
    void EnableInputs(bool enable) override {
        for (const int id : {IDOK, IDCANCEL, IDB_BROWSE, IDE_DESTINATION}) {
            EnableWindow(GetDlgItem(hwnd_, id), enable);
        }
    }
    void MakeTopmost() override { win32::MakeTopmost(hwnd_); }
    void SetTitle(const std::string& t) override { SetWindowTextW(hwnd_, Widen(t).c_str()); }
    std::string LabelTemplate() override { return ItemText(hwnd_, IDT_FOLDER_PROMPT); }
    void SetLabel(const std::string& t) override { SetItemText(hwnd_, IDT_FOLDER_PROMPT, t); }
    void Close(bool ok) override { EndDialog(hwnd_, ok ? IDOK : IDCANCEL); }
    MessageBoxes& Messages() override { return boxes_; }
    void RunInstallProgress(const InstallJob& job) override {
        CInstallProgressDlg dlg(job);
        dlg.Run(g_instance, hwnd_);
    }
    bool ConfirmUninstall(const std::string& title) override {
        CUninstallConfirmDlg dlg(title);
        return dlg.RunModal(g_instance, IDD_UNINSTALL_CONFIRM, hwnd_) == IDOK;
    }
    void RunUninstallProgress(const SetupRecord& record) override {
        CUninstallProgressDlg dlg(record);
        dlg.Run(g_instance, hwnd_);
    }

  protected:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM) override {
        switch (message) {
            case WM_INITDIALOG: {
                boxes_.SetOwner(hwnd_);
                for (const int size : {ICON_BIG, ICON_SMALL}) {
                    const int px = GetSystemMetrics(size == ICON_BIG ? SM_CXICON : SM_CXSMICON);
                    HANDLE icon = LoadImageW(g_instance, MAKEINTRESOURCEW(IDI_VXINST), IMAGE_ICON,
                                             px, px, LR_DEFAULTCOLOR);
                    SendMessageW(hwnd_, WM_SETICON, size, reinterpret_cast<LPARAM>(icon));
                }
                SendDlgItemMessageW(hwnd_, IDE_DESTINATION, EM_LIMITTEXT, MAX_PATH - 1, 0);
                SetUpFolderWindow(TheServices().p, *this, g_setupRecord);
                return TRUE;
            }
            case WM_COMMAND:
                switch (LOWORD(wParam)) {
                    case IDB_BROWSE:
                        Browse();
                        return TRUE;
                    case IDOK:
                        OnFolderOk(TheServices().p, *this, g_setupRecord);
                        return TRUE;
                    case IDCANCEL:
                        EndDialog(hwnd_, IDCANCEL);
                        return TRUE;
                }
                break;
        }
        return FALSE;
    }

  private:
    static int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM lParam, LPARAM) {
        Services& s = TheServices();
        if (message == BFFM_INITIALIZED) {
            const std::string start = BrowseInitialPath(
                s.files,
                DefaultDestination(s.system.WindowsDirectory(), g_setupRecord.installFolder));
            SendMessageW(browser, BFFM_SETSELECTIONW, TRUE,
                         reinterpret_cast<LPARAM>(Widen(start).c_str()));
        } else if (message == BFFM_SELCHANGED) {
            wchar_t path[MAX_PATH] = L"";
            SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam), path);
            SendMessageW(browser, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(path));
            const DWORD a = GetFileAttributesW(path);
            const bool read = a != INVALID_FILE_ATTRIBUTES;
            const bool allowed = BrowseSelectionAllowed(
                read, read && (a & FILE_ATTRIBUTE_DIRECTORY), read ? a : 0, Narrow(path));
            SendMessageW(browser, BFFM_ENABLEOK, 0, allowed ? 1 : 0);
        }
        return 0;
    }

    void Browse() {
        vx::win32::ComPtr<IMalloc> allocator;
        if (FAILED(SHGetMalloc(allocator.Put()))) return;
        const std::wstring title = Widen(text::kBrowseTitle);
        wchar_t display[MAX_PATH] = L"";
        BROWSEINFOW info{};
        info.hwndOwner = hwnd_;
        info.pszDisplayName = display;
        info.lpszTitle = title.c_str();
        info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
        info.lpfn = &CFolderDlg::BrowseCallback;
        if (PIDLIST_ABSOLUTE picked = SHBrowseForFolderW(&info)) {
            wchar_t path[MAX_PATH] = L"";
            if (SHGetPathFromIDListW(picked, path)) {
                SetDestination(BrowseResult(Narrow(path), g_setupRecord.installFolder));
            }
            allocator->Free(picked);
        }
    }

    Win32MessageBoxes boxes_;
};

// The application object: a silent run with no window at all; or the common controls,
// the privilege check, COM and the folder window.
class CInstallerApp {
  public:
    int Run() {
        Services& s = TheServices();
        const Invocation invocation = ParseInvocation(s.system.CommandLine());
        if (invocation.silent) {
            const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
            Win32Log log(invocation.logFile);
            const int code = RunSilent(s.p, invocation, log);
            if (SUCCEEDED(com)) CoUninitialize();
            return code;
        }

        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&controls);
        if (!HasInstallRight(s.system)) {
            MessageBoxW(nullptr, Widen(text::kNoInstallRight).c_str(), L"", MB_OK | MB_ICONERROR);
            return 1;
        }
        // The folder browser, like every shell object, needs COM on this thread.
        const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        CFolderDlg folder;
        folder.RunModal(g_instance, IDD_FOLDER, nullptr);
        if (SUCCEEDED(com)) CoUninitialize();
        return 0;
    }
};

}  // namespace
}  // namespace vx::inst::win32

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    vx::inst::win32::g_instance = instance;
    vx::inst::win32::CInstallerApp app;
    return app.Run();
}
