// The main dialog's window: records every call and answers from a script. Its
// pages are fake page windows holding their templates' drop-down items.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "app/main_view.h"
#include "app/printer_list_dlg.h"
#include "app/startup.h"
#include "pages/settings_page.h"
#include "tests/fakes/fake_page_window.h"
#include "tests/fakes/fake_printer_list_view.h"
#include "tests/pages/page_lists.h"

namespace vx::test {

struct ShownMessage {
    std::string text;
    std::string caption;
    MsgIcon icon;
    MsgButtons buttons;
};

class FakeMainView : public MainView {
  public:
    // Script
    PlatformFamily family = PlatformFamily::Win9x;
    TimeOfDay now{14, 5};           // the local time the clock gives
    std::deque<MsgAnswer> answers;  // for questions (Yes/No, Yes/No/Cancel)
    // Chosen files; empty: cancelled; a name that does not fit MAX_PATH ends the dialog
    // with nothing, as the real one does.
    std::deque<std::string> openAnswers;
    std::deque<std::string> saveAnswers;
    // What the user does in a printer list that waits; by default Cancel.
    std::function<void(CPrinterListDlg&, FakePrinterListView&)> listUser =
        [](CPrinterListDlg& dlg, FakePrinterListView& v) { dlg.OnCancel(v); };

    // Record
    std::vector<ShownMessage> messages;
    std::vector<std::string> appMessages;
    std::vector<MsgIcon> appIcons;
    std::map<int, bool> enabled;
    std::vector<FileDialog> openDialogs, saveDialogs;
    std::vector<bool> waitCursor;
    std::map<int, std::string> status;
    int listsRun = 0;
    int listsWaited = 0;  // the list was shown and waited for the user
    int listExitCode = -1;
    bool closed = false;

    std::vector<std::string> calls;  // "message", "images", "page <index>"
    std::vector<std::pair<std::string, int>> tabs;
    std::vector<std::unique_ptr<FakePageWindow>> pages;
    std::vector<bool> visible;
    int tabSelection = 0;
    bool tabFocused = false;
    int focusedPage = -1;
    int abouts = 0;

    // Start-up: work posted to the window's thread runs at once, or with `holdPosted`
    // waits for RunPosted, as it waits for the window's showing.
    bool holdPosted = false;
    std::vector<std::function<void()>> posted;
    void PostToWindowThread(std::function<void()> work) override {
        calls.push_back("post");
        if (!holdPosted) return work();
        posted.push_back(std::move(work));
    }
    void PaintWindow() override { calls.push_back("paint"); }
    void StartStartupWorker() override { calls.push_back("worker"); }
    void RunPosted() {
        std::vector<std::function<void()>> work;
        work.swap(posted);
        for (auto& w : work) w();
    }

    FakePageWindow& Page(int index) { return *pages[static_cast<std::size_t>(index)]; }
    // Page windows pass DataCheck on to the main dialog, as the Win32 pages do.
    template <class Dialog>
    void Route(Dialog& dlg) {
        for (auto& p : pages) p->raised.clear();
        route_ = [&dlg](int id) { dlg.OnCommand(id); };
    }
    void Deliver() {
        for (auto& p : pages) {
            for (int id : p->raised) route_(id);
            p->raised.clear();
        }
    }

    // "caption: text", with " (i)" for an information message.
    std::vector<std::string> Shown() const {
        std::vector<std::string> s;
        for (const ShownMessage& m : messages)
            s.push_back(m.caption + ": " + m.text + (m.icon == MsgIcon::Information ? " (i)" : ""));
        return s;
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> t;
        for (const ShownMessage& m : messages) t.push_back(m.text);
        return t;
    }

    MsgAnswer ShowMessage(const std::string& text, const std::string& caption, MsgIcon icon,
                          MsgButtons buttons) override {
        calls.push_back("message");
        messages.push_back({text, caption, icon, buttons});
        if (buttons == MsgButtons::Ok) return MsgAnswer::Ok;
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text;
            return MsgAnswer::Cancel;
        }
        const MsgAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    void EnableCommand(int id, bool on) override { enabled[id] = on; }

    void CreateTabImages() override { calls.push_back("images"); }
    void InsertTab(int, const std::string& text, int image) override {
        tabs.emplace_back(text, image);
    }
    // Each page's window holds its template's drop-down items and notifies the page.
    PageWindow& CreatePageWindow(int index, SettingsPage& page, bool shown) override {
        calls.push_back("page " + std::to_string(index));
        pages.push_back(std::make_unique<FakePageWindow>(PageLists(page.TemplateId())));
        pages.back()->page = &page;
        page.Attach(pages.back().get());
        page.OnInitPage();
        visible.push_back(shown);
        return *pages.back();
    }
    int GetTabSelection() override { return tabSelection; }
    void SetTabSelection(int index) override { tabSelection = index; }
    void ShowPageWindow(int index, bool shown) override {
        visible[static_cast<std::size_t>(index)] = shown;
    }
    bool TabHasFocus() override { return tabFocused; }
    void FocusPageWindow(int index) override { focusedPage = index; }
    void ShowAbout() override { ++abouts; }

    PlatformFamily Family() override { return family; }
    std::string ProgramFolder() override { return "C:\\Veltrix\\"; }
    FileChoice AskOpenFileName(const FileDialog& d, std::string& path) override {
        openDialogs.push_back(d);
        return Pop(openAnswers, path);
    }
    FileChoice AskSaveFileName(const FileDialog& d, std::string& path) override {
        saveDialogs.push_back(d);
        return Pop(saveAnswers, path);
    }
    void ShowAppMessage(const std::string& text, MsgIcon icon) override {
        appMessages.push_back(text);
        appIcons.push_back(icon);
    }
    void ShowWaitCursor(bool shown) override { waitCursor.push_back(shown); }
    void SetStatusText(int part, const std::string& text) override { status[part] = text; }
    TimeOfDay LocalTime() override { return now; }
    int RunPrinterList(CPrinterListDlg& dlg) override {
        ++listsRun;
        FakePrinterListView list;
        dlg.OnInitDialog(list);
        if (list.endResult == 0 && list.exitCode < 0) {
            ++listsWaited;
            listUser(dlg, list);
        }
        listExitCode = list.exitCode;
        return list.endResult;
    }
    void CloseMainWindow() override { closed = true; }

  private:
    static FileChoice Pop(std::deque<std::string>& q, std::string& path) {
        if (q.empty()) return FileChoice::Cancelled;
        const std::string answer = q.front();
        q.pop_front();
        if (answer.empty()) return FileChoice::Cancelled;
        if (!FitsMaxPath(answer)) return FileChoice::NameTooLong;
        path = answer;
        return FileChoice::Chosen;
    }
    std::function<void(int)> route_;
};

}  // namespace vx::test
