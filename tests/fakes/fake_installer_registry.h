// A fake of the installer's registry: keys by root and path, each root its own (the
// 32-bit view too), with the value names written in order.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "installer/installer_platform.h"
#include "tests/fakes/fake_installer_files.h"

namespace vx::inst::test {

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

}  // namespace vx::inst::test
