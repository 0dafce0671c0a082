#include "harness/ui.h"

#include <commctrl.h>

#include <sstream>

#include "common/win32/utf16.h"

namespace vx::e2e {

using vx::win32::Narrow;

namespace {

constexpr int kMessageTextId = 0xFFFF;
constexpr UINT kSendTimeoutMs = 5000;

// SendMessage with a time-out, for windows of another process that may hang.
bool Send(HWND window, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
    DWORD_PTR r = 0;
    if (!SendMessageTimeoutW(window, msg, wp, lp, SMTO_ABORTIFHUNG, kSendTimeoutMs, &r)) {
        return false;
    }
    *result = static_cast<LRESULT>(r);
    return true;
}

struct EnumState {
    DWORD pid;
    const wchar_t* className;
    std::vector<HWND>* found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param) {
    auto* state = reinterpret_cast<EnumState*>(param);
    if (IsWindowVisible(window) && WindowProcessId(window) == state->pid &&
        (!state->className || ClassName(window) == state->className)) {
        state->found->push_back(window);
    }
    return TRUE;
}

// Memory in another process, freed on destruction.
class RemoteBuffer {
  public:
    RemoteBuffer(HANDLE process, SIZE_T size)
        : process_(process),
          address_(
              VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    ~RemoteBuffer() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    void* Address() const { return address_; }

  private:
    HANDLE process_;
    void* address_;
};

}  // namespace

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ControlText(HWND control) {
    LRESULT length = 0;
    if (!Send(control, WM_GETTEXTLENGTH, 0, 0, &length) || length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    LRESULT copied = 0;
    if (!Send(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), &copied)) {
        return {};
    }
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

DWORD WindowProcessId(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

std::vector<HWND> TopLevelWindows(DWORD pid, const wchar_t* className) {
    std::vector<HWND> found;
    EnumState state{pid, className, &found};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&state));
    return found;
}

std::string DescribeWindows(DWORD pid) {
    const auto windows = TopLevelWindows(pid, nullptr);
    if (windows.empty()) return "no visible window";
    std::ostringstream out;
    out << windows.size() << " visible window(s):";
    for (HWND w : windows) {
        out << " [" << Narrow(ClassName(w)) << " \"" << Narrow(WindowText(w)) << "\"";
        if (IsMessageBox(w)) out << " text \"" << Narrow(MessageBoxText(w)) << "\"";
        out << "]";
    }
    return out.str();
}

testing::AssertionResult WaitForDialog(DWORD pid, const std::wstring& title, Millis timeout,
                                       HWND* found) {
    *found = nullptr;
    const bool shown = PollUntil(timeout, [&] {
        for (HWND w : TopLevelWindows(pid)) {
            if (WindowText(w) == title) {
                *found = w;
                return true;
            }
        }
        return false;
    });
    if (shown) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "waited " << timeout.count() << " ms for process " << pid
                                       << " to show a dialog titled \"" << Narrow(title)
                                       << "\"; it has " << DescribeWindows(pid);
}

bool IsMessageBox(HWND window) {
    return ClassName(window) == kDialogClass && GetDlgItem(window, kMessageTextId) != nullptr;
}

std::vector<HWND> MessageBoxes(DWORD pid) {
    std::vector<HWND> boxes;
    for (HWND w : TopLevelWindows(pid)) {
        if (IsMessageBox(w)) boxes.push_back(w);
    }
    return boxes;
}

testing::AssertionResult WaitForMessageBox(DWORD pid, Millis timeout, HWND* box) {
    *box = nullptr;
    // A box is taken once it is visible and its text is set: Wine may show the box a
    // moment before its text control has the text.
    const bool shown = PollUntil(timeout, [&] {
        for (HWND w : MessageBoxes(pid)) {
            if (IsWindowVisible(w) && !MessageBoxText(w).empty()) {
                *box = w;
                return true;
            }
        }
        return false;
    });
    if (shown) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "waited " << timeout.count() << " ms for process " << pid
                                       << " to show a message box; it has " << DescribeWindows(pid);
}

testing::AssertionResult WaitForNoMessageBox(DWORD pid, Millis timeout) {
    if (PollUntil(timeout, [&] { return MessageBoxes(pid).empty(); })) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure()
           << "waited " << timeout.count() << " ms for process " << pid
           << " to close its message boxes; it has " << DescribeWindows(pid);
}

std::wstring MessageBoxText(HWND box) {
    HWND text = GetDlgItem(box, kMessageTextId);
    return text ? ControlText(text) : std::wstring();
}

bool HasButton(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    return button && IsWindowVisible(button);
}

testing::AssertionResult ClickButton(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    if (!button) {
        return testing::AssertionFailure()
               << "dialog \"" << Narrow(WindowText(dialog)) << "\" has no button " << id;
    }
    if (!PostMessageW(button, BM_CLICK, 0, 0)) {
        return testing::AssertionFailure()
               << "cannot click button " << id << ": error " << GetLastError();
    }
    return testing::AssertionSuccess();
}

namespace {

struct ChildSearch {
    const wchar_t* className;
    HWND found;
};

// A CALLBACK function, not a lambda: on i686 only a stdcall function converts.
BOOL CALLBACK FindChildOfClass(HWND child, LPARAM param) {
    auto* s = reinterpret_cast<ChildSearch*>(param);
    if (ClassName(child) != s->className) return TRUE;
    s->found = child;
    return FALSE;
}

}  // namespace

HWND FindChild(HWND parent, const wchar_t* className) {
    ChildSearch search{className, nullptr};
    EnumChildWindows(parent, FindChildOfClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FileNameBox(HWND dialog) {
    HWND combo = GetDlgItem(dialog, 1148);
    if (combo) {
        HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
        return edit ? edit : combo;
    }
    return GetDlgItem(dialog, 1152);
}

std::optional<bool> IsToolbarButtonEnabled(HWND toolbar, int commandId) {
    LRESULT index = -1;
    if (!Send(toolbar, TB_COMMANDTOINDEX, static_cast<WPARAM>(commandId), 0, &index) || index < 0) {
        return std::nullopt;
    }
    LRESULT enabled = 0;
    if (!Send(toolbar, TB_ISBUTTONENABLED, static_cast<WPARAM>(commandId), 0, &enabled)) {
        return std::nullopt;
    }
    return enabled != 0;
}

testing::AssertionResult ReadStatusBarText(HWND statusBar, int part, std::wstring* text) {
    text->clear();
    LRESULT lengthAndType = 0;
    if (!Send(statusBar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0, &lengthAndType)) {
        return testing::AssertionFailure() << "the status bar does not answer";
    }
    const std::size_t length = LOWORD(lengthAndType);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                                 WindowProcessId(statusBar));
    if (!process) {
        return testing::AssertionFailure()
               << "cannot open the status bar's process: error " << GetLastError();
    }
    testing::AssertionResult result = testing::AssertionSuccess();
    {
        const SIZE_T bytes = (length + 1) * sizeof(wchar_t);
        RemoteBuffer remote(process, bytes);
        std::wstring buffer(length + 1, L'\0');
        LRESULT ignored = 0;
        SIZE_T read = 0;
        if (!remote.Address()) {
            result = testing::AssertionFailure() << "VirtualAllocEx failed: " << GetLastError();
        } else if (!Send(statusBar, SB_GETTEXTW, static_cast<WPARAM>(part),
                         reinterpret_cast<LPARAM>(remote.Address()), &ignored)) {
            result = testing::AssertionFailure() << "the status bar does not answer";
        } else if (!ReadProcessMemory(process, remote.Address(), buffer.data(), bytes, &read) ||
                   read != bytes) {
            result = testing::AssertionFailure() << "ReadProcessMemory failed: " << GetLastError();
        } else {
            buffer.resize(length);
            *text = buffer;
        }
    }
    CloseHandle(process);
    return result;
}

testing::AssertionResult ListViewTextWidth(HWND list, const std::wstring& text, int* width) {
    *width = 0;
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, WindowProcessId(list));
    if (!process) {
        return testing::AssertionFailure()
               << "cannot open the list view's process: error " << GetLastError();
    }
    testing::AssertionResult result = testing::AssertionSuccess();
    {
        const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
        RemoteBuffer remote(process, bytes);
        SIZE_T written = 0;
        LRESULT answer = 0;
        if (!remote.Address()) {
            result = testing::AssertionFailure() << "VirtualAllocEx failed: " << GetLastError();
        } else if (!WriteProcessMemory(process, remote.Address(), text.c_str(), bytes, &written) ||
                   written != bytes) {
            result = testing::AssertionFailure() << "WriteProcessMemory failed: " << GetLastError();
        } else if (!Send(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(remote.Address()),
                         &answer)) {
            result = testing::AssertionFailure() << "the list view does not answer";
        } else {
            *width = static_cast<int>(answer);
        }
    }
    CloseHandle(process);
    return result;
}

}  // namespace vx::e2e

namespace vx::e2e {

bool PressKeyIn(HWND window, WORD key, bool ctrl, const std::function<bool()>& done, Millis wait) {
    const DWORD appThread = GetWindowThreadProcessId(window, nullptr);
    const DWORD ownThread = GetCurrentThreadId();
    SetForegroundWindow(window);
    if (!AttachThreadInput(ownThread, appThread, TRUE)) return false;
    BYTE state[256] = {};
    GetKeyboardState(state);
    if (ctrl) state[VK_CONTROL] = state[VK_LCONTROL] = 0x80;
    SetKeyboardState(state);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    HWND target = GetGUIThreadInfo(appThread, &info) && info.hwndFocus ? info.hwndFocus : window;
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 0xC0000001);
    const bool ok = PollUntil(wait, done);
    state[VK_CONTROL] = state[VK_LCONTROL] = 0;
    SetKeyboardState(state);
    AttachThreadInput(ownThread, appThread, FALSE);
    return ok;
}

}  // namespace vx::e2e
