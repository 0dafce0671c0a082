#include "installer/win32/win32_registry.h"

#include "common/win32/owned.h"
#include "common/win32/utf16.h"

namespace vx::inst::win32 {

using vx::win32::Narrow;
using vx::win32::Widen;

namespace {

HKEY RootKey(RegRoot root) { return root == RegRoot::Users ? HKEY_USERS : HKEY_LOCAL_MACHINE; }

// Full access, in the 32-bit programs' view where asked (a 32-bit program's own view).
REGSAM Access(RegRoot root) {
    return root == RegRoot::LocalMachine32 ? KEY_ALL_ACCESS | KEY_WOW64_32KEY : KEY_ALL_ACCESS;
}

class Win32Key : public RegKey {
  public:
    explicit Win32Key(HKEY key) : key_(key) {}
    bool ReadString(const std::string& name, std::string& value) override {
        wchar_t buffer[MAX_PATH + 1] = L"";
        DWORD type = 0, size = sizeof(buffer) - sizeof(wchar_t);
        if (RegQueryValueExW(key_.Get(), Widen(name).c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ)) {
            return false;
        }
        buffer[size / sizeof(wchar_t)] = L'\0';
        value = Narrow(buffer);
        return true;
    }
    bool WriteString(const std::string& name, const std::string& value) override {
        const std::wstring w = Widen(value);
        return RegSetValueExW(key_.Get(), Widen(name).c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(w.c_str()),
                              static_cast<DWORD>((w.size() + 1) * sizeof(wchar_t))) ==
               ERROR_SUCCESS;
    }
    bool ReadStrings(const std::string& name, std::vector<std::string>& values) override {
        const std::wstring wname = Widen(name);
        DWORD type = 0, size = 0;
        if (RegQueryValueExW(key_.Get(), wname.c_str(), nullptr, &type, nullptr, &size) !=
                ERROR_SUCCESS ||
            type != REG_MULTI_SZ) {
            return false;
        }
        std::wstring data(size / sizeof(wchar_t) + 2, L'\0');  // room for missing ends
        if (RegQueryValueExW(key_.Get(), wname.c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS) {
            return false;
        }
        values.clear();
        for (std::size_t at = 0; at < data.size() && data[at] != L'\0';) {
            const std::size_t end = data.find(L'\0', at);
            values.push_back(Narrow(data.substr(at, end - at)));
            at = end + 1;
        }
        return true;
    }
    bool WriteStrings(const std::string& name, const std::vector<std::string>& values) override {
        std::wstring data;
        for (const std::string& v : values) data += Widen(v) + L'\0';
        data += L'\0';
        return RegSetValueExW(key_.Get(), Widen(name).c_str(), 0, REG_MULTI_SZ,
                              reinterpret_cast<const BYTE*>(data.data()),
                              static_cast<DWORD>(data.size() * sizeof(wchar_t))) == ERROR_SUCCESS;
    }
    bool WriteNumber(const std::string& name, std::uint32_t value) override {
        const DWORD number = value;
        return RegSetValueExW(key_.Get(), Widen(name).c_str(), 0, REG_DWORD,
                              reinterpret_cast<const BYTE*>(&number),
                              sizeof number) == ERROR_SUCCESS;
    }
    bool DeleteSelf() override { return RegDeleteKeyW(key_.Get(), L"") == ERROR_SUCCESS; }

  private:
    vx::win32::RegKey key_;
};

}  // namespace

std::unique_ptr<RegKey> Win32Registry::Open(RegRoot root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(RootKey(root), Widen(path).c_str(), 0, Access(root), &key) != ERROR_SUCCESS) {
        return nullptr;
    }
    return std::make_unique<Win32Key>(key);
}

std::unique_ptr<RegKey> Win32Registry::Create(RegRoot root, const std::string& path) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    wchar_t emptyClass[] = L"";
    if (RegCreateKeyExW(RootKey(root), Widen(path).c_str(), 0, emptyClass, REG_OPTION_NON_VOLATILE,
                        Access(root), nullptr, &key, &disposition) != ERROR_SUCCESS) {
        return nullptr;
    }
    return std::make_unique<Win32Key>(key);
}

}  // namespace vx::inst::win32
