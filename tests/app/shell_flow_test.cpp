// Quitting, and the start-up worker meeting the window's thread.
#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "app/help.h"
#include "app/main_dlg.h"
#include "resources/resource.h"
#include "tests/app/main_dlg_rig.h"
#include "tests/fakes/fake_main_view.h"
#include "tests/fakes/fake_printer_link.h"
#include "tests/fakes/fake_spooler.h"

namespace vx {
namespace {

using namespace test;

const char kSendBeforeExit[] = "Veltrix を終了する前に、設定値をプリンタへ送信しますか？";
const char kSaveBeforeExit[] = "Veltrix を終了する前に、設定ファイルへ保存しますか？";
const char kDriver[] = "ZAM QX-K480/330(168)";

struct ExitTest : ::testing::Test, MainDlgRig {
    void SetUp() override {
        dlg.OnInitDialog();
        dlg.initialised = true;
    }
    // A setting changed on the MSW3 page after start-up.
    void ChangeAPage() {
        SwitchBlock b = dlg.copies.workingBlock;
        SetSwitch(b, 3, 8, true);
        dlg.ApplyBlock(b);
    }
};

TEST_F(ExitTest, NothingChangedSinceSendAndSaveAsksNothing) {
    dlg.copies.syncPending = true;  // pending alone is no change
    dlg.OnCommand(IDM_EXIT);
    EXPECT_TRUE(view.messages.empty());
    EXPECT_TRUE(view.closed);
}

TEST_F(ExitTest, ChangesAskToSendThenToSave) {
    ChangeAPage();
    view.answers = {MsgAnswer::No, MsgAnswer::No};
    dlg.ConfirmExit();
    ASSERT_EQ(view.messages.size(), 2u);
    EXPECT_EQ(view.messages[0].text, kSendBeforeExit);
    EXPECT_EQ(view.messages[1].text, kSaveBeforeExit);
    for (const ShownMessage& m : view.messages) {
        EXPECT_EQ(m.caption, "Veltrix");
        EXPECT_EQ(m.icon, MsgIcon::Warning);
        EXPECT_EQ(m.buttons, MsgButtons::YesNoCancel);
    }
    EXPECT_TRUE(view.closed);
}

TEST_F(ExitTest, CancelAtEitherQuestionKeepsTheProgramRunning) {
    ChangeAPage();
    view.answers = {MsgAnswer::Cancel};
    dlg.ConfirmExit();
    EXPECT_EQ(view.Texts(), std::vector<std::string>{kSendBeforeExit});
    EXPECT_FALSE(view.closed);
    EXPECT_NE(dlg.copies.workingBlock, dlg.copies.sentBlock);  // collected, nothing else

    view.messages.clear();
    view.answers = {MsgAnswer::No, MsgAnswer::Cancel};
    dlg.ConfirmExit();
    EXPECT_EQ(view.Texts(), (std::vector<std::string>{kSendBeforeExit, kSaveBeforeExit}));
    EXPECT_FALSE(view.closed);
}

TEST_F(ExitTest, YesSavesAndQuitsWhateverTheOutcome) {
    ChangeAPage();
    dlg.CollectBlock(dlg.copies.workingBlock);
    dlg.copies.OnSent();  // sent, never saved
    view.answers = {MsgAnswer::Yes};
    view.saveAnswers = {""};  // the save-as dialog cancelled
    dlg.ConfirmExit();
    EXPECT_EQ(view.Texts(), std::vector<std::string>{kSaveBeforeExit});
    EXPECT_EQ(view.saveDialogs.size(), 1u);
    EXPECT_TRUE(view.closed);
}

TEST_F(ExitTest, FactoryDefaultsAfterALoadAskToSave) {
    SwitchBlock loaded = FactoryDefaults;
    SetPageLength(loaded, 30);
    dlg.copies.OnFileLoaded(loaded);
    dlg.copies.sentBlock = loaded;
    dlg.copies.syncPending = false;
    dlg.ApplyBlock(loaded);
    dlg.ShowFactoryDefaults();
    EXPECT_TRUE(view.enabled[IDM_SEND_SETTINGS]);
    view.messages.clear();
    view.answers = {MsgAnswer::No, MsgAnswer::No};
    dlg.ConfirmExit();
    EXPECT_EQ(view.Texts(), (std::vector<std::string>{kSendBeforeExit, kSaveBeforeExit}));
}

// A window whose thread is the test's main thread: work sent from the worker waits
// until the main thread has run it, as a synchronous window message does.
class ThreadedView : public FakeMainView {
  public:
    void RunOnWindowThread(const std::function<void()>& work) override {
        std::unique_lock<std::mutex> lock(m_);
        pending_ = &work;
        cv_.notify_all();
        cv_.wait(lock, [this] { return pending_ == nullptr; });
    }
    // One turn of the window's message loop.
    void Pump() {
        std::unique_lock<std::mutex> lock(m_);
        if (!cv_.wait_for(lock, std::chrono::milliseconds(5),
                          [this] { return pending_ != nullptr; }))
            return;
        const std::function<void()>* work = pending_;
        lock.unlock();
        (*work)();
        lock.lock();
        pending_ = nullptr;
        cv_.notify_all();
    }

  private:
    std::mutex m_;
    std::condition_variable cv_;
    const std::function<void()>* pending_ = nullptr;
};

// The help viewers as the system would answer: which files exist, what a viewer returns.
struct FakeHelpSystem : HelpSystem {
    WindowsVersion version;
    std::vector<std::string> files;
    bool viewerShows = true;
    std::vector<std::string> opened;

    WindowsVersion Version() override { return version; }
    std::string ModulePath() override { return "C:\\VX\\QLV3906.EXE"; }
    bool FileExists(const std::string& path) override {
        return std::find(files.begin(), files.end(), path) != files.end();
    }
    bool ShowHtmlHelp(const std::string& path) override {
        opened.push_back(path);
        return viewerShows;
    }
    bool ShowWinHelp(const std::string& path) override {
        opened.push_back(path);
        return viewerShows;
    }
    void QuitWinHelp(const std::string&) override {}
};

struct HelpTest : ::testing::Test, MainDlgRig {
    FakeHelpSystem help;
    void Start() {
        dlg.UseHelpSystem(help);
        dlg.FindHelpFile();  // as the window does, before the dialog's own set-up
        dlg.OnInitDialog();
    }
};

TEST_F(HelpTest, AViewerThatShowsNothingIsReported) {
    help.files = {"C:\\VX\\QLV3906.chm"};
    Start();
    dlg.OnCommand(IDM_HELP_CONTENTS);
    EXPECT_EQ(help.opened, std::vector<std::string>{"C:\\VX\\QLV3906.chm"});
    EXPECT_TRUE(view.messages.empty());

    help.viewerShows = false;  // HTML Help gave no window back
    dlg.OnCommand(IDM_HELP_CONTENTS);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, "ヘルプファイルが見つかりません。");
    EXPECT_EQ(view.messages[0].caption, "Veltrix");
    EXPECT_EQ(view.messages[0].icon, MsgIcon::Warning);
    EXPECT_EQ(view.messages[0].buttons, MsgButtons::Ok);
}

TEST_F(HelpTest, WithOnlyTheHtmlHelpFileNt40HasNoHelpCommand) {
    // The medium ships no WinHelp file, which NT 4.0 and Windows 95 would show.
    help.version = {2, 4, 0};
    help.files = {"C:\\VX\\QLV3906.chm"};
    Start();
    EXPECT_FALSE(view.enabled.at(IDM_HELP_CONTENTS));
}

TEST(StartupWorker, SelectsThePrinterOnTheWindowThreadThenSetsInitialised) {
    ThreadedView view;
    view.family = PlatformFamily::Nt;
    FakeFileSystem files;
    FakeSpooler spooler;
    spooler.AddPrinter("QX", kDriver, "LPT1:");
    FakePortOpener ports;
    CMainDlg dlg{view, files, spooler, ports};
    dlg.OnInitDialog();
    ASSERT_FALSE(dlg.initialised);

    std::thread worker([&dlg] { dlg.RunStartupWorker(); });
    // Meanwhile the user clicks: the change check runs on the window's thread and
    // compares without collecting until the worker has finished.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!dlg.initialised && std::chrono::steady_clock::now() < deadline) {
        dlg.OnCommand(IDM_DATA_CHECK);
        view.Pump();
    }
    worker.join();
    ASSERT_TRUE(dlg.initialised) << "the worker did not finish within 10 s";
    EXPECT_EQ(dlg.currentPrinterName, "QX");
    EXPECT_EQ(view.status[0], "プリンタ名： QX");
    EXPECT_FALSE(view.enabled[IDM_RECEIVE_SETTINGS]);  // NT family
    // Right after start-up the send command is off though a send is pending ...
    EXPECT_TRUE(dlg.copies.syncPending);
    // ... and the first change on a page turns it on.
    SwitchBlock b = FactoryDefaults;
    SetSwitch(b, 2, 1, true);
    dlg.ApplyBlock(b);
    dlg.OnCommand(IDM_DATA_CHECK);
    EXPECT_TRUE(view.enabled[IDM_SEND_SETTINGS]);
}

// A file name too long for the start-up buffer is refused over the shown window, before the
// printer is chosen; nothing is loaded.
TEST(StartupWorker, ATooLongFileNameIsRefusedFirstThenThePrinterIsChosen) {
    MainDlgRig rig;
    rig.view.family = PlatformFamily::Nt;
    rig.spooler.AddPrinter("QX", kDriver, "LPT1:");
    rig.dlg.startupFileNameTooLong = true;
    rig.dlg.OnInitDialog();
    rig.dlg.RunStartupWorker();
    ASSERT_EQ(rig.view.messages.size(), 2u);
    EXPECT_EQ(rig.view.messages[0].text,
              "コマンドラインで指定された設定ファイル名が長すぎるため、読み込めません。\n"
              "ファイル名を短くしてやり直してください。");
    EXPECT_EQ(rig.view.messages[0].caption, "Veltrix");
    EXPECT_EQ(rig.view.messages[0].icon, MsgIcon::Warning);
    EXPECT_EQ(rig.view.messages[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(rig.view.listsRun, 1);
    EXPECT_EQ(rig.dlg.currentPrinterName, "QX");
    EXPECT_EQ(rig.dlg.copies.workingBlock, FactoryDefaults);
    EXPECT_TRUE(rig.dlg.initialised);
}

}  // namespace
}  // namespace vx
