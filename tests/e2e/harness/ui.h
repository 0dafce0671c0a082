// Finding and reading another process's windows through the wide-character API.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "harness/wait.h"

namespace vx::e2e {

// The class of dialogs and message boxes.
inline constexpr wchar_t kDialogClass[] = L"#32770";

// Title of a top-level window (GetWindowTextW).
std::wstring WindowText(HWND window);
// Text of a control, also of another process: WM_GETTEXT, which the system
// copies across processes (GetWindowTextW does not ask another process).
std::wstring ControlText(HWND control);
std::wstring ClassName(HWND window);
DWORD WindowProcessId(HWND window);

// Visible top-level windows of class `className` that belong to process `pid`,
// front to back.
std::vector<HWND> TopLevelWindows(DWORD pid, const wchar_t* className = kDialogClass);

// A readable list of the process's visible top-level windows, for failure messages.
std::string DescribeWindows(DWORD pid);

// Waits until process `pid` shows a visible dialog whose title is exactly `title`.
// The failure message says what was awaited and which windows the process had.
testing::AssertionResult WaitForDialog(DWORD pid, const std::wstring& title, Millis timeout,
                                       HWND* found);

// Message boxes are the dialogs that hold the message text control 0xFFFF.
bool IsMessageBox(HWND window);
std::vector<HWND> MessageBoxes(DWORD pid);
testing::AssertionResult WaitForMessageBox(DWORD pid, Millis timeout, HWND* box);
// Waits until no message box of the process is left (after answering one).
testing::AssertionResult WaitForNoMessageBox(DWORD pid, Millis timeout);
std::wstring MessageBoxText(HWND box);
// Whether the dialog has a visible button with this id (IDOK, IDYES, IDNO, ...).
bool HasButton(HWND dialog, int id);
// Clicks the dialog's button `id` (BM_CLICK, posted: a click may open a modal box).
testing::AssertionResult ClickButton(HWND dialog, int id);

// The first descendant of `parent` of class `className`, or nullptr.
HWND FindChild(HWND parent, const wchar_t* className);
// The file name box of an open or save-as dialog: the edit of the combo box 1148, or
// the edit 1152; nullptr when `dialog` has neither.
HWND FileNameBox(HWND dialog);

// Whether the toolbar button with command id `commandId` is enabled; nullopt when
// the toolbar has no such button or does not answer.
std::optional<bool> IsToolbarButtonEnabled(HWND toolbar, int commandId);

// Text of part `part` of a status bar in another process: the text is fetched into
// a buffer allocated in that process and read back from there.
testing::AssertionResult ReadStatusBarText(HWND statusBar, int part, std::wstring* text);

// Width in pixels of `text` in the font of a list view in another process (the text goes
// through a buffer allocated in that process).
testing::AssertionResult ListViewTextWidth(HWND list, const std::wstring& text, int* width);

}  // namespace vx::e2e

namespace vx::e2e {

// A key pressed in the program that owns `window`, with Ctrl held when `ctrl`: the
// key messages go to the program's focus window while its keyboard state (shared
// for the moment) says Ctrl is down, so accelerators fire. Returns whether `done`
// became true within `wait`.
bool PressKeyIn(HWND window, WORD key, bool ctrl, const std::function<bool()>& done, Millis wait);

}  // namespace vx::e2e
