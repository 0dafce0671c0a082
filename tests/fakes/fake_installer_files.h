// A fake of the installer's file services: a tree of files and folders in memory that
// records what the flows do and fails as the test scripts it. Paths compare without regard
// to case, as on Windows.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "installer/installer_platform.h"
#include "installer/path_text.h"

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

}  // namespace vx::inst::test
