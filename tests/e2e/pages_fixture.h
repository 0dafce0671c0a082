// What the page scenarios share: the settings program started with its five
// pages found, its start-up notices answered, and ways to read and drive it.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>

#include "common/win32/utf16.h"
#include "harness/qlv3906.h"
#include "harness/ui.h"
#include "resources/resource.h"

namespace vx::e2e {

// A control that only one page has, to tell the pages apart.
inline constexpr int kPageMarkers[5] = {IDC_SEL_PAGE_LENGTH, IDC_MSW1_COUNTRY, IDC_MSW2_SW3_NATIVE,
                                        IDC_MSW3_SPEED, IDC_MSW4_DENSITY};

struct PagesWindow : testing::Test {
    Program app;
    HWND main = nullptr;
    HWND pages[5] = {};

    void SetUp() override {
        ASSERT_TRUE(StartQlv3906({}, &app, &main));
        // The four hidden pages follow the window's first painting, before any start-up notice.
        ASSERT_TRUE(PollUntil(kStartTimeout, [&] { return FindPages(); }))
            << "the five pages never all existed; windows: " << DescribeWindows(app.Pid());
        // The printer is chosen at start-up, with notices about its settings.
        AnswerUntilQuiet();
    }

    // The five pages among the main window's child dialogs; true when all were found.
    bool FindPages() {
        for (HWND child = FindWindowExW(main, nullptr, kDialogClass, nullptr); child;
             child = FindWindowExW(main, child, kDialogClass, nullptr)) {
            for (int i = 0; i < 5; ++i) {
                if (GetDlgItem(child, kPageMarkers[i])) pages[i] = child;
            }
        }
        for (HWND page : pages)
            if (!page) return false;
        return true;
    }

    // What every control of every page holds, one line a control, in the z-order of the
    // main window's children and of each page's controls; for comparing two moments.
    std::wstring PagesState() {
        std::wstring s;
        for (HWND child = GetWindow(main, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            int page = -1;
            for (int i = 0; i < 5; ++i)
                if (pages[i] == child) page = i;
            s += L"main child " + ClassName(child) + L" page " + std::to_wstring(page) +
                 L" visible " + std::to_wstring(IsWindowVisible(child) != FALSE) + L"\n";
        }
        s += L"tab " + std::to_wstring(TabSelection()) + L"\n";
        for (int i = 0; i < 5; ++i) {
            for (HWND c = GetWindow(pages[i], GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                const std::wstring cls = ClassName(c);
                s += std::to_wstring(i) + L" " + std::to_wstring(GetDlgCtrlID(c)) + L" " + cls +
                     L" style " + std::to_wstring(GetWindowLongW(c, GWL_STYLE)) + L" enabled " +
                     std::to_wstring(IsWindowEnabled(c) != FALSE) + L" text \"" + ControlText(c) +
                     L"\"";
                auto ask = [&](UINT msg, WPARAM wp = 0) {
                    return L" " + std::to_wstring(SendMessageW(c, msg, wp, 0));
                };
                if (_wcsicmp(cls.c_str(), L"Button") == 0) s += L" check" + ask(BM_GETCHECK);
                if (_wcsicmp(cls.c_str(), L"ComboBox") == 0) {
                    s += L" items" + ask(CB_GETCOUNT) + L" selected" + ask(CB_GETCURSEL);
                    s += L" edit-selection" + ask(CB_GETEDITSEL);
                }
                if (_wcsicmp(cls.c_str(), L"Edit") == 0) {
                    s += L" modified" + ask(EM_GETMODIFY) + L" undo" + ask(EM_CANUNDO) +
                         L" selection" + ask(EM_GETSEL) + L" limit" + ask(EM_GETLIMITTEXT);
                }
                if (_wcsicmp(cls.c_str(), UPDOWN_CLASSW) == 0)
                    s += L" range" + ask(UDM_GETRANGE) + L" position" + ask(UDM_GETPOS) +
                         L" buddy " +
                         std::to_wstring(GetDlgCtrlID(
                             reinterpret_cast<HWND>(SendMessageW(c, UDM_GETBUDDY, 0, 0))));
                s += L"\n";
            }
        }
        return s;
    }

    // Answers every question No, every notice OK and the printer list OK, until the
    // program has shown nothing but its main window for a second.
    void AnswerUntilQuiet() {
        auto quietSince = std::chrono::steady_clock::now();
        PollUntil(Millis{20000}, [&] {
            bool answered = false;
            for (HWND box : MessageBoxes(app.Pid())) {
                answered = ClickButton(box, HasButton(box, IDNO) ? IDNO : IDOK);
                break;
            }
            for (HWND dialog : TopLevelWindows(app.Pid())) {
                if (!answered && WindowText(dialog) == L"プリンタの選択") {
                    answered = ClickButton(dialog, IDOK);
                }
            }
            const auto now = std::chrono::steady_clock::now();
            if (answered || TopLevelWindows(app.Pid()).size() != 1) quietSince = now;
            return now - quietSince >= Millis{1000};
        });
    }

    int Check(int page, int id) {
        return static_cast<int>(SendMessageW(GetDlgItem(pages[page], id), BM_GETCHECK, 0, 0));
    }
    std::wstring Text(int page, int id) { return ControlText(GetDlgItem(pages[page], id)); }
    std::optional<bool> SendButton() {
        return IsToolbarButtonEnabled(FindChild(main, TOOLBARCLASSNAMEW), IDT_SEND_SETTINGS);
    }
    bool WaitForSendButton(bool enabled) {
        return PollUntil(kReactTimeout, [&] { return SendButton() == enabled; });
    }
    bool WaitForVisiblePage(int index) {
        return PollUntil(kReactTimeout, [&] {
            for (int i = 0; i < 5; ++i) {
                if ((IsWindowVisible(pages[i]) != FALSE) != (i == index)) return false;
            }
            return true;
        });
    }
    // The program's keyboard focus.
    HWND Focus() {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info) ? info.hwndFocus
                                                                                : nullptr;
    }
    // Puts the program's keyboard focus on `control` by sharing its input state a moment.
    // The window's activation arrives a moment after it is brought to the front and
    // puts the focus back where the dialog last had it, so this repeats until the focus
    // has stayed on `control` for a while.
    bool SetFocusIn(HWND control) {
        const DWORD appThread = GetWindowThreadProcessId(main, nullptr);
        const DWORD ownThread = GetCurrentThreadId();
        SetForegroundWindow(main);
        int steady = 0;
        return PollUntil(kReactTimeout, [&] {
            if (Focus() == control) return ++steady >= 6;  // 300 ms
            steady = 0;
            if (AttachThreadInput(ownThread, appThread, TRUE)) {
                SetActiveWindow(main);
                SetFocus(control);
                AttachThreadInput(ownThread, appThread, FALSE);
            }
            return false;
        });
    }
    // A key pressed in the program, with Ctrl held when `ctrl`: the key messages go to
    // the program's focus window while its keyboard state (shared for the moment) says
    // Ctrl is down. Other programs on the display do not get in the way, as they would
    // with synthesised input to the foreground window.
    bool PressKey(WORD key, bool ctrl, std::function<bool()> done, Millis wait = kReactTimeout) {
        return PressKeyIn(main, key, ctrl, done, wait);
    }
    int TabSelection() {
        return static_cast<int>(SendMessageW(GetDlgItem(main, IDC_MAIN_TAB), TCM_GETCURSEL, 0, 0));
    }
};

}  // namespace vx::e2e
