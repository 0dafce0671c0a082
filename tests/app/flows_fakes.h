// The main dialog's surroundings for the flow tests: a window that records
// and scripts, pages kept in memory, and files in memory.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/main_view.h"
#include "app/startup.h"
#include "pages/page_window.h"
#include "pages/settings_page.h"
#include "printer/printer_list_dlg.h"
#include "settings/file_system.h"
#include "tests/printer/fake_printer_list_view.h"

namespace vx::test {

// Controls that keep what was put into them.
class MemoryPageWindow : public PageWindow {
  public:
    int GetCheck(int id) override { return checks_[id]; }
    void SetCheck(int id, int state) override { checks_[id] = state; }
    int GetRadioIndex(int firstId) override {
        auto it = radios_.find(firstId);
        return it == radios_.end() ? -1 : it->second;
    }
    void SetRadioIndex(int firstId, int index) override { radios_[firstId] = index; }
    std::string GetText(int id) override { return texts_[id]; }
    void SetText(int id, const std::string& text) override { texts_[id] = text; }
    std::vector<std::string> GetListItems(int) override { return {}; }
    void SelectListItem(int, int) override {}
    bool HasFocus(int) override { return false; }
    void SetFocus(int) override {}
    void SelectAllText(int) override {}
    void SetSpinRange(int, int, int) override {}
    void ShowRefusal(const std::string&, RefusalIcon) override {}
    void RaiseCommand(int) override {}

  private:
    std::map<int, int> checks_, radios_;
    std::map<int, std::string> texts_;
};

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

    std::vector<std::string> Texts() const {
        std::vector<std::string> t;
        for (const ShownMessage& m : messages) t.push_back(m.text);
        return t;
    }

    MsgAnswer ShowMessage(const std::string& text, const std::string& caption, MsgIcon icon,
                          MsgButtons buttons) override {
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

    void CreateTabImages() override {}
    void InsertTab(int, const std::string&, int) override {}
    PageWindow& CreatePageWindow(int, SettingsPage& page, bool) override {
        pageWindows_.push_back(std::make_unique<MemoryPageWindow>());
        page.Attach(pageWindows_.back().get());
        page.OnInitPage();
        return *pageWindows_.back();
    }
    int GetTabSelection() override { return tab_; }
    void SetTabSelection(int index) override { tab_ = index; }
    void ShowPageWindow(int, bool) override {}
    bool TabHasFocus() override { return false; }
    void FocusPageWindow(int) override {}
    void ShowAbout() override {}

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
    std::vector<std::unique_ptr<MemoryPageWindow>> pageWindows_;
    int tab_ = 0;
};

// Files in memory, by path.
class MemoryFileSystem : public FileSystem {
  public:
    std::map<std::string, std::vector<std::uint8_t>> files;
    std::set<std::string> accessDenied;     // cannot be opened for writing: access denied
    std::set<std::string> broken;           // cannot be opened at all
    std::set<std::string> readOnlyFolders;  // no file can be created in them
    bool writesFail = false;

    std::unique_ptr<File> OpenForReading(const std::string& path) override {
        if (broken.count(path) || !files.count(path)) return nullptr;
        return std::make_unique<Open>(*this, path);
    }
    std::unique_ptr<File> OpenForUpdate(const std::string& path, OpenError& error) override {
        if (accessDenied.count(path)) {
            error = OpenError::AccessDenied;
            return nullptr;
        }
        if (broken.count(path)) {
            error = OpenError::Other;
            return nullptr;
        }
        files[path];
        return std::make_unique<Open>(*this, path);
    }
    bool CanCreateFileIn(const std::string& folder) override {
        return !readOnlyFolders.count(folder);
    }
    std::string DocumentsFolder() override { return "C:\\users\\me\\Documents\\"; }

  private:
    class Open : public File {
      public:
        Open(MemoryFileSystem& fs, const std::string& path) : fs_(fs), path_(path) {}
        long Read(std::uint8_t* data, std::size_t size) override {
            const std::vector<std::uint8_t>& f = fs_.files[path_];
            std::size_t n = 0;
            while (n < size && pos_ < f.size()) data[n++] = f[pos_++];
            return static_cast<long>(n);
        }
        long Write(const std::uint8_t* data, std::size_t size) override {
            if (fs_.writesFail) return -1;
            std::vector<std::uint8_t>& f = fs_.files[path_];
            for (std::size_t i = 0; i < size; ++i, ++pos_) {
                if (pos_ < f.size())
                    f[pos_] = data[i];
                else
                    f.push_back(data[i]);
            }
            return static_cast<long>(size);
        }

      private:
        MemoryFileSystem& fs_;
        std::string path_;
        std::size_t pos_ = 0;
    };
};

}  // namespace vx::test
