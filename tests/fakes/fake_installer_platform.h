// Fakes of the installer's platform services and windows: they record what the flows do
// and answer as the test scripts them. The files and the registry have headers of their own.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "installer/folder_flow.h"
#include "installer/installer_platform.h"
#include "installer/installer_texts.h"
#include "installer/progress.h"
#include "tests/fakes/fake_installer_files.h"
#include "tests/fakes/fake_installer_registry.h"

namespace vx::inst::test {

struct SavedLink {
    std::string target, description, workingDirectory;
};

class FakeLinks : public ShellLinks {
  public:
    explicit FakeLinks(FakeFiles& files) : files_(files) {}
    std::map<std::string, SavedLink> saved;  // by link path as given
    bool unavailable = false, failPath = false, failDescription = false,
         failWorkingDirectory = false, failSave = false;
    std::set<std::string> failSaveOf;  // link paths, by Key()

    std::unique_ptr<ShellLink> Create() override;

  private:
    friend class FakeLink;
    FakeFiles& files_;
};

class FakeLink : public ShellLink {
  public:
    explicit FakeLink(FakeLinks& owner) : owner_(owner) {}
    bool SetPath(const std::string& t) override {
        if (owner_.failPath) return false;
        link_.target = t;
        return true;
    }
    bool SetDescription(const std::string& d) override {
        if (owner_.failDescription) return false;
        link_.description = d;
        return true;
    }
    bool SetWorkingDirectory(const std::string& w) override {
        if (owner_.failWorkingDirectory) return false;
        link_.workingDirectory = w;
        return true;
    }
    bool Save(const std::string& path) override {
        if (owner_.failSave || owner_.failSaveOf.count(Key(path)) ||
            !owner_.files_.IsFolder(FolderOf(path))) {
            return false;
        }
        owner_.saved[path] = link_;
        owner_.files_.AddFile(path, "link");
        return true;
    }

  private:
    FakeLinks& owner_;
    SavedLink link_;
};

inline std::unique_ptr<ShellLink> FakeLinks::Create() {
    if (unavailable) return nullptr;
    return std::make_unique<FakeLink>(*this);
}

class FakeSystem : public System {
  public:
    OsVersion version{2, 5, 1};
    std::string modulePath = "D:\\VXInst.exe";
    std::string commandLine = "D:\\VXInst.exe";
    std::string windowsDirectory = "C:\\windows";
    std::string tempPath = "C:\\TEMP\\";
    std::vector<unsigned> sleeps;
    std::optional<int> exitCode;
    int startFailures = 0;  // attempts that fail before one succeeds
    std::vector<std::pair<std::string, std::string>> started, attempts;
    bool canManageServices = true;
    std::function<int()> runChild;  // what a program RunProcess starts does; its exit code
    std::vector<std::string> deleteAtRestart, openedFolders, openedDocuments;
    bool failDeleteAtRestart = false;
    std::string workingFolder = "C:\\";
    int comInits = 0;
    std::vector<std::string>* events = nullptr;  // shared ordering log, when set

    OsVersion Version() override { return version; }
    std::string ModulePath() override { return modulePath; }
    std::string CommandLine() override { return commandLine; }
    std::string WindowsDirectory() override { return windowsDirectory; }
    std::string TempPath() override { return tempPath; }
    void Sleep(unsigned ms) override { sleeps.push_back(ms); }
    void ExitProcess(int code) override {
        exitCode = code;
        Note("exit " + std::to_string(code));
    }
    bool StartProcess(const std::string& program, const std::string& commandLine) override {
        attempts.emplace_back(program, commandLine);
        if (startFailures > 0) {
            --startFailures;
            return false;
        }
        started.emplace_back(program, commandLine);
        return true;
    }
    bool RunProcess(const std::string& program, const std::string& commandLine,
                    int& code) override {
        if (!StartProcess(program, commandLine)) return false;
        code = runChild ? runChild() : 0;
        return true;
    }
    bool CanManageServices() override { return canManageServices; }
    std::string AnsiText(const std::string& text) override { return text; }
    bool DeleteAtRestart(const std::string& path) override {
        if (failDeleteAtRestart) return false;
        deleteAtRestart.push_back(path);
        return true;
    }
    void SetWorkingFolder(const std::string& folder) override {
        workingFolder = folder;
        Note("cd " + folder);
    }
    void InitComForThread() override { ++comInits; }
    void OpenFolderWindow(const std::string& folder) override { openedFolders.push_back(folder); }
    void OpenDocument(const std::string& path) override { openedDocuments.push_back(path); }
    void Note(const std::string& e) {
        if (events) events->push_back(e);
    }
};

class FakeProfile : public Profile {
  public:
    std::string expectedFile = "D:\\VXInst.ini";
    std::map<std::string, std::string> values;     // key -> UTF-8 value
    std::map<std::string, std::size_t> ansiBytes;  // when it differs from the UTF-8 length
    std::vector<std::string> readKeys;

    unsigned ReadInt(const std::string& file, const std::string& section,
                     const std::string& key) override {
        readKeys.push_back(key);
        if (file != expectedFile || section != "SetupInformation" || !values.count(key)) return 0;
        return static_cast<unsigned>(std::stoul(values[key]));
    }
    std::string ReadText(const std::string& file, const std::string& section,
                         const std::string& key, std::size_t& bytes) override {
        readKeys.push_back(key);
        bytes = 0;
        if (file != expectedFile || section != "SetupInformation" || !values.count(key)) return {};
        bytes = ansiBytes.count(key) ? ansiBytes[key] : values[key].size();
        return values[key];
    }
};

struct Box {
    std::string text, caption;
    MsgStyle style;
};

class FakeBoxes : public MessageBoxes {
  public:
    std::vector<Box> shown;
    std::deque<Answer> answers;  // for Yes/No boxes; Yes when none is left
    std::vector<std::string>* events = nullptr;

    Answer Show(const std::string& text, const std::string& caption, MsgStyle style) override {
        shown.push_back({text, caption, style});
        if (events) events->push_back("box " + text);
        if (style != MsgStyle::YesNoExclamation && style != MsgStyle::YesNoPlain) return Answer::Ok;
        if (answers.empty()) return Answer::Yes;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> t;
        for (const Box& b : shown) t.push_back(b.text);
        return t;
    }
};

class FakeProgress : public ProgressView {
  public:
    unsigned upper = 100, position = 0;
    std::vector<std::string> percents, statuses;
    bool closed = false, foreground = false;
    FakeBoxes boxes;

    void SetRange(unsigned u) override {
        upper = u & 0xFFFF;
        position = 0;
    }
    void StepIt() override {
        position += 1;
        if (position > upper) position = 0;  // the control wraps past its end
    }
    unsigned Upper() override { return upper; }
    unsigned Position() override { return position; }
    void SetPercentText(const std::string& t) override { percents.push_back(t); }
    void SetStatusText(const std::string& t) override { statuses.push_back(t); }
    void BringToForeground() override { foreground = true; }
    void Close() override { closed = true; }
    MessageBoxes& Messages() override { return boxes; }
};

class FakeFolderView : public FolderView {
  public:
    std::string destination, title, label;
    std::string labelTemplate = "%sのインストールを行います。\nインストール先を指定してください。";
    std::vector<bool> enables, closes;  // EnableInputs and Close(ok) calls
    bool topmost = false;
    bool confirm = false;
    std::vector<std::string> confirmTitles;
    std::vector<InstallJob> jobs;
    std::vector<SetupRecord> uninstalls;
    std::function<void(const InstallJob&)> onInstall;
    std::function<void(const SetupRecord&)> onUninstall;
    FakeBoxes boxes;

    std::string Destination() override { return destination; }
    void SetDestination(const std::string& p) override { destination = p; }
    void EnableInputs(bool e) override { enables.push_back(e); }
    void MakeTopmost() override { topmost = true; }
    void SetTitle(const std::string& t) override { title = t; }
    std::string LabelTemplate() override { return labelTemplate; }
    void SetLabel(const std::string& t) override { label = t; }
    void Close(bool ok) override { closes.push_back(ok); }
    MessageBoxes& Messages() override { return boxes; }
    void RunInstallProgress(const InstallJob& job) override {
        jobs.push_back(job);
        if (onInstall) onInstall(job);
    }
    bool ConfirmUninstall(const std::string& t) override {
        confirmTitles.push_back(t);
        return confirm;
    }
    void RunUninstallProgress(const SetupRecord& r) override {
        uninstalls.push_back(r);
        if (onUninstall) onUninstall(r);
    }
};

// Where the standard setup installs when the user keeps the proposed folder.
inline constexpr char kInstallFolder[] = "C:\\Program Files\\Veltrix";

// Everything a flow needs, wired together.
struct FakePlatform {
    FakeSystem system;
    FakeFiles files;
    FakeRegistry registry;
    FakeLinks links{files};
    FakeProfile profile;
    Platform p{system, files, registry, links, profile};

    FakePlatform() = default;
    // The files and registry keys of `base` (nothing else of it), then changed by
    // `change`: one way of breaking what `base` holds, `base` itself untouched.
    FakePlatform(const FakePlatform& base, const std::function<void(FakePlatform&)>& change)
        : files(base.files) {
        registry.keys = base.registry.keys;
        change(*this);
    }
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    // The medium as it is made: the installer and its complete setup file at the top,
    // the compressed program and the help file in the distribution folder.
    void StandardMedium() {
        StandardSetup();
        files.AddFile("D:\\VXInst.exe", "installer");
        files.AddFile("D:\\VXInst.ini", "setup");
        files.AddCompressed("D:\\DISK1\\QLV3906.EX_", 'E', "program");
        files.AddFile("D:\\DISK1\\QLV3906.chm", "chm");
    }

    // The all-users Start menu's programs folder, made and named in the shell's key.
    void CommonProgramsAt(const std::string& folder) {
        files.AddFolder(folder);
        registry.keys[FakeRegistry::Path(RegRoot::LocalMachine, text::kShellFoldersHklm)] = {
            {"Common Programs", folder}};
    }

    // A complete setup file as the medium carries it.
    void StandardSetup() {
        profile.values = {{"DISK", "5"},
                          {"TITLE_NAME", "ZAM ベルトリクス"},
                          {"PRINTER_NAME", "QX-K480/330"},
                          {"INSTALL_FOLDER", "Veltrix"},
                          {"DISK_PATH", "DISK1"},
                          {"VX_FILE", "QLV3906.EXE"},
                          {"HELP_FILE1", "QLV3906.hlp"},
                          {"HELP_FILE2", "QLV3906.chm"},
                          {"CHECKSUMS", "QLV3906.EX_:92ED7784"}};  // CRC-32 of "program"
    }
};

}  // namespace vx::inst::test
