#include "installer/win32/win32_shell_links.h"

#include <objbase.h>
#include <shlobj.h>

#include "common/win32/owned.h"
#include "common/win32/utf16.h"

namespace vx::inst::win32 {

using vx::win32::ComPtr;
using vx::win32::Widen;

namespace {

class Win32Link : public ShellLink {
  public:
    // The file interface goes first, then the link (members end in reverse order).
    Win32Link(ComPtr<IShellLinkW> link, ComPtr<IPersistFile> file)
        : link_(std::move(link)), file_(std::move(file)) {}
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
    ComPtr<IShellLinkW> link_;
    ComPtr<IPersistFile> file_;
};

}  // namespace

std::unique_ptr<ShellLink> Win32ShellLinks::Create() {
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.PutVoid()))) {
        return nullptr;
    }
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid()))) return nullptr;
    return std::make_unique<Win32Link>(std::move(link), std::move(file));
}

}  // namespace vx::inst::win32
