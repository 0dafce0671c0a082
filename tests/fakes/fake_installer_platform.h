// Fakes of the installer's platform services: they record what the flows do and
// answer as the test scripts them. Paths compare without regard to case, as on Windows.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "installer/installer.h"

namespace vx::inst::test {

inline std::string Key(const std::string& path) {
    std::string k;
    for (char c : path) {
        if (c == '/') c = '\\';
        if (c == '\\' && !k.empty() && k.back() == '\\') continue;  // "a\\b" is "a\b"
        k += c;
    }
    while (k.size() > 3 && k.back() == '\\') k.pop_back();
    return UpperAscii(k);
}

class FakeFiles : public InstallFiles {
  public:
    struct Node {
        std::string path;  // as created
        bool folder = false;
        bool readOnly = false;
        bool link = false;
        std::string data;
        char storedLast = 0;        // compressed: the real last character of the name
        std::uint32_t packed = 0;   // compressed: the size its header records
        bool downloadMark = false;  // a copy keeps it, as the stream is copied too
    };

    std::map<std::string, Node> nodes;
    std::set<std::string> roots{"C:\\"};
    std::map<std::string, std::uint64_t> freeBytes;
    std::set<std::string> failCreate, failCopy, failExpand, failDelete;  // by Key()
    std::set<std::string> failExpandedName;  // sources whose expanded name cannot be had
    std::set<std::string> diskFull;  // targets that get half their bytes, then the disk is full
    std::set<std::string> inUse;     // files a program holds open: neither moved nor deleted
    std::set<std::string> running;   // programs' files while they run: moved, not deleted
    // What a path (or the start of one) resolves to, by Key(): another spelling of a drive,
    // or a link's target.
    std::map<std::string, std::string> resolvesTo;
    std::vector<std::string> log;

    void AddFolder(const std::string& path) {
        // Ancestors first, like a real tree.
        const std::string parent = FolderOf(path);
        if (!parent.empty() && parent.size() > 2 && !nodes.count(Key(parent))) AddFolder(parent);
        nodes[Key(path)] = Node{path, true, false, false, {}, 0, 0};
    }
    void AddFile(const std::string& path, const std::string& data, bool readOnly = false) {
        AddFolder(FolderOf(path));
        nodes[Key(path)] = Node{path, false, readOnly, false, data, 0, 0};
    }
    // A compressed file: `data` is what it expands to.
    void AddCompressed(const std::string& path, char storedLast, const std::string& data) {
        AddFile(path, data);
        nodes[Key(path)].storedLast = storedLast;
        nodes[Key(path)].packed = static_cast<std::uint32_t>(data.size());
    }
    void AddLink(const std::string& path) {
        AddFolder(path);
        nodes[Key(path)].link = true;
    }
    const Node* Find(const std::string& path) const {
        static const Node root{"", true, false, false, {}, 0, 0};
        const std::string k = Key(path);
        if (roots.count(k) || roots.count(k + "\\")) return &root;
        auto it = nodes.find(k);
        return it == nodes.end() ? nullptr : &it->second;
    }
    std::vector<std::string> Below(const std::string& folder) const {
        std::vector<std::string> out;
        const std::string prefix = Key(folder) + "\\";
        for (const auto& [k, n] : nodes) {
            if (k.compare(0, prefix.size(), prefix) == 0) out.push_back(n.path);
        }
        return out;
    }

    bool List(const std::string& folder, std::vector<DirEntry>& entries) override {
        const Node* f = Find(folder);
        if (!f || !f->folder) return false;
        entries.clear();
        const std::string prefix = Key(folder) + "\\";
        for (const auto& [k, n] : nodes) {
            if (k.compare(0, prefix.size(), prefix) != 0) continue;
            if (k.find('\\', prefix.size()) != std::string::npos) continue;
            entries.push_back({NameOf(n.path), n.folder, n.link});
        }
        return true;
    }
    bool Exists(const std::string& path) override { return Find(path) != nullptr; }
    bool IsFolder(const std::string& path) override {
        const Node* n = Find(path);
        return n && n->folder;
    }
    bool IsLink(const std::string& path) override {
        const Node* n = Find(path);
        return n && n->link;
    }
    std::string FullPath(const std::string& path) override {
        std::string p = path;
        for (char& c : p) c = c == '/' ? '\\' : c;
        if (p.size() < 3 || p[1] != ':' || p[2] != '\\') return path;
        std::vector<std::string> parts;
        std::string part;
        for (const char c : p.substr(3) + "\\") {
            if (c != '\\') {
                part += c;
                continue;
            }
            if (part == "..") {
                if (!parts.empty()) parts.pop_back();
            } else if (part != ".") {
                while (!part.empty() && (part.back() == '.' || part.back() == ' ')) part.pop_back();
                if (!part.empty()) parts.push_back(part);
            }
            part.clear();
        }
        std::string out = p.substr(0, 3);
        for (const std::string& s : parts) out += (out.back() == '\\' ? "" : "\\") + s;
        for (const auto& [from, to] : resolvesTo) {
            const std::string k = Key(out);
            if (k == from || (k.size() > from.size() && k.compare(0, from.size(), from) == 0 &&
                              (from.back() == '\\' || k[from.size()] == '\\'))) {
                out = to + out.substr(from.size());
            }
        }
        if (const Node* n = Find(out); n && !n->path.empty()) out = n->path;
        return out;
    }
    bool DriveRootExists(const std::string& root) override {
        return roots.count(UpperAscii(root)) > 0;
    }
    std::uint64_t FreeBytes(const std::string& root) override {
        auto it = freeBytes.find(UpperAscii(root));
        return it == freeBytes.end() ? 0 : it->second;
    }
    FolderResult CreateFolder(const std::string& path) override {
        log.push_back("mkdir " + path);
        if (const Node* n = Find(path))
            return n->folder ? FolderResult::AlreadyThere : FolderResult::Failed;
        if (failCreate.count(Key(path))) return FolderResult::Failed;
        if (!IsFolder(FolderOf(path))) return FolderResult::PathNotFound;
        nodes[Key(path)] = Node{path, true, false, false, {}, 0, 0};
        return FolderResult::Created;
    }
    bool RemoveFolder(const std::string& path) override {
        log.push_back("rmdir " + path);
        const Node* n = Find(path);
        if (!n || !n->folder) return false;
        if (!n->link && !Below(path).empty()) return false;
        nodes.erase(Key(path));
        return true;
    }
    void SetNormalAttributes(const std::string& path) override {
        if (auto it = nodes.find(Key(path)); it != nodes.end()) it->second.readOnly = false;
    }
    unsigned Copy(const std::string& from, const std::string& to) override {
        log.push_back("copy " + from + " > " + to);
        const Node* src = Find(from);
        if (!src || src->folder) return 2;
        if (failCopy.count(Key(to)) || !IsFolder(FolderOf(to))) return 3;
        if (inUse.count(Key(to))) return 32;
        if (const Node* dst = Find(to); dst && dst->readOnly) return 5;
        Node copy = *src;
        copy.path = to;
        if (diskFull.count(Key(to))) copy.data.resize(copy.data.size() / 2);
        nodes[Key(to)] = copy;
        return diskFull.count(Key(to)) ? 112 : 0;
    }
    bool Delete(const std::string& path) override {
        log.push_back("del " + path);
        const Node* n = Find(path);
        if (!n || n->folder || n->readOnly || failDelete.count(Key(path)) ||
            inUse.count(Key(path)) || running.count(Key(path))) {
            return false;
        }
        nodes.erase(Key(path));
        return true;
    }
    bool Move(const std::string& given, const std::string& to) override {
        log.push_back("move " + given + " > " + to);
        const std::string from = Find(given) ? given : FullPath(given);  // another spelling
        const Node* n = Find(from);
        if (!n || n->folder || Key(from)[0] != Key(to)[0] || !IsFolder(FolderOf(to)) ||
            inUse.count(Key(from)) || inUse.count(Key(to))) {
            return false;
        }
        Node moved = *n;
        moved.path = to;
        if (running.erase(Key(from))) running.insert(Key(to));
        nodes.erase(Key(from));
        nodes[Key(to)] = moved;
        return true;
    }
    std::optional<std::uint64_t> FileSize(const std::string& path) override {
        const Node* n = Find(path);
        if (!n || n->folder) return std::nullopt;
        return n->data.size();
    }
    std::optional<std::string> ExpandedName(const std::string& path) override {
        const Node* n = Find(path);
        if (!n || failExpandedName.count(Key(path))) return std::nullopt;
        if (!n->storedLast) return path;
        std::string expanded = path;
        expanded.back() = n->storedLast;
        return expanded;
    }
    std::int64_t Expand(const std::string& from, const std::string& to) override {
        log.push_back("expand " + from + " > " + to);
        const Node* src = Find(from);
        if (!src || failExpand.count(Key(to)) || inUse.count(Key(to)) || !IsFolder(FolderOf(to)))
            return -1;
        std::string data = src->data;
        if (diskFull.count(Key(to))) data.resize(data.size() / 2);
        nodes[Key(to)] = Node{to, false, false, false, data, 0, 0, src->downloadMark};
        return diskFull.count(Key(to)) ? -1 : static_cast<std::int64_t>(data.size());
    }
    std::string ReadHead(const std::string& path, std::size_t count) override {
        const Node* n = Find(path);
        if (!n || n->folder) return {};
        std::string head = n->data;
        if (n->storedLast) {
            head = std::string("SZDD\x88\xF0\x27\x33", 8) + 'A' + n->storedLast;
            for (int i = 0; i < 4; ++i) head += static_cast<char>(n->packed >> (8 * i) & 0xFF);
        }
        return head.substr(0, count);
    }
    bool ReadBytes(const std::string& path, std::string& text) override {
        const Node* n = Find(path);
        if (!n || n->folder) return false;
        text = n->data;
        return true;
    }
    bool WriteBytes(const std::string& path, const std::string& text) override {
        if (!IsFolder(FolderOf(path))) return false;
        nodes[Key(path)] = Node{path, false, false, false, text, 0, 0};
        return true;
    }
    void RemoveDownloadMark(const std::string& path) override {
        if (auto it = nodes.find(Key(path)); it != nodes.end()) it->second.downloadMark = false;
    }
};

class FakeKey;

class FakeRegistry : public Registry {
  public:
    using Values = std::map<std::string, std::string>;
    // By "HKLM\...", "HKLM32\..." (the 32-bit view, a root of its own here) or "HKU\..." Key().
    std::map<std::string, Values> keys;
    std::map<std::string, std::map<std::string, std::vector<std::string>>> lists;  // the same
    std::map<std::string, std::map<std::string, std::uint32_t>> numbers;           // the same
    std::set<std::string> failOpen, failWrite;
    bool failCreate = false, failDelete = false;
    std::vector<std::string> writes;  // value names in order

    static std::string Path(RegRoot root, const std::string& path) {
        const char* name = root == RegRoot::LocalMachine     ? "HKLM\\"
                           : root == RegRoot::LocalMachine32 ? "HKLM32\\"
                                                             : "HKU\\";
        return Key(name + path);
    }
    std::unique_ptr<RegKey> Open(RegRoot root, const std::string& path) override;
    std::unique_ptr<RegKey> Create(RegRoot root, const std::string& path) override;
    Values* At(RegRoot root, const std::string& path) {
        auto it = keys.find(Path(root, path));
        return it == keys.end() ? nullptr : &it->second;
    }
};

class FakeKey : public RegKey {
  public:
    FakeKey(FakeRegistry& r, std::string k) : reg_(r), key_(std::move(k)) {}
    bool ReadString(const std::string& name, std::string& value) override {
        auto& values = reg_.keys[key_];
        auto it = values.find(name);
        if (it == values.end()) return false;
        value = it->second;
        return true;
    }
    bool WriteString(const std::string& name, const std::string& value) override {
        reg_.writes.push_back(name);
        if (reg_.failWrite.count(name)) return false;
        reg_.keys[key_][name] = value;
        return true;
    }
    bool ReadStrings(const std::string& name, std::vector<std::string>& values) override {
        auto& lists = reg_.lists[key_];
        auto it = lists.find(name);
        if (it == lists.end()) return false;
        values = it->second;
        return true;
    }
    bool WriteStrings(const std::string& name, const std::vector<std::string>& values) override {
        reg_.writes.push_back(name);
        if (reg_.failWrite.count(name)) return false;
        reg_.lists[key_][name] = values;
        return true;
    }
    bool WriteNumber(const std::string& name, std::uint32_t value) override {
        reg_.writes.push_back(name);
        if (reg_.failWrite.count(name)) return false;
        reg_.numbers[key_][name] = value;
        return true;
    }
    bool DeleteSelf() override {
        if (reg_.failDelete) return false;
        reg_.keys.erase(key_);
        reg_.lists.erase(key_);
        reg_.numbers.erase(key_);
        return true;
    }

  private:
    FakeRegistry& reg_;
    std::string key_;
};

inline std::unique_ptr<RegKey> FakeRegistry::Open(RegRoot root, const std::string& path) {
    const std::string k = Path(root, path);
    if (!keys.count(k) || failOpen.count(k)) return nullptr;
    return std::make_unique<FakeKey>(*this, k);
}
inline std::unique_ptr<RegKey> FakeRegistry::Create(RegRoot root, const std::string& path) {
    if (failCreate) return nullptr;
    const std::string k = Path(root, path);
    keys[k];
    return std::make_unique<FakeKey>(*this, k);
}

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
