#include "installer/win32/win32_shell_links.h"

#include <objbase.h>
#include <shlobj.h>

#include "common/win32/utf16.h"

namespace vx::inst::win32 {

using vx::win32::Widen;

namespace {

class Win32Link : public ShellLink {
  public:
    Win32Link(IShellLinkW* link, IPersistFile* file) : link_(link), file_(file) {}
    ~Win32Link() override {
        file_->Release();
        link_->Release();
    }
    // SetPath answers S_FALSE while the target does not exist yet: only failures count.
    bool SetPath(const std::string& t) override {
        return !FAILED(link_->SetPath(Widen(t).c_str()));
    }
    bool SetDescription(const std::string& d) override {
        return !FAILED(link_->SetDescription(Widen(d).c_str()));
    }
    bool SetWorkingDirectory(const std::string& w) override {
        return !FAILED(link_->SetWorkingDirectory(Widen(w).c_str()));
    }
    bool Save(const std::string& path) override {
        return !FAILED(file_->Save(Widen(path).c_str(), TRUE));
    }

  private:
    IShellLinkW* link_;
    IPersistFile* file_;
};

}  // namespace

std::unique_ptr<ShellLink> Win32ShellLinks::Create() {
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link)))) {
        return nullptr;
    }
    IPersistFile* file = nullptr;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        link->Release();
        return nullptr;
    }
    return std::make_unique<Win32Link>(link, file);
}

}  // namespace vx::inst::win32
