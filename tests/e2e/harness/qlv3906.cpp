#include "harness/qlv3906.h"

#include "harness/paths.h"
#include "harness/ui.h"

namespace vx::e2e {

std::wstring Qlv3906Path() { return WindowsPathOf(VX_QLV3906_EXE); }

testing::AssertionResult StartQlv3906(const StartOptions& options, Program* app, HWND* main,
                                      const std::wstring& path) {
    const auto started = Program::Start(path, options, app);
    if (!started) return started;
    return WaitForDialog(app->Pid(), kMainTitle, kStartTimeout, main);
}

bool SetRegistryValue(HKEY root, const std::wstring& path, const wchar_t* name, DWORD type,
                      const void* data, DWORD size) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const LONG r = RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    return r == ERROR_SUCCESS;
}

bool SetRegistryText(HKEY root, const std::wstring& path, const wchar_t* name,
                     const std::wstring& v) {
    return SetRegistryValue(root, path, name, REG_SZ, v.c_str(),
                            static_cast<DWORD>((v.size() + 1) * sizeof(wchar_t)));
}

bool SetRegistryNumber(HKEY root, const std::wstring& path, const wchar_t* name, DWORD v) {
    return SetRegistryValue(root, path, name, REG_DWORD, &v, sizeof v);
}

bool AddModelPrinter(const std::wstring& name, const std::wstring& driver,
                     const std::wstring& port) {
    const std::wstring key = L"System\\CurrentControlSet\\Control\\Print\\Printers\\" + name;
    const DWORD attributes = 0x40;  // local
    return SetRegistryValue(HKEY_LOCAL_MACHINE, key, L"Attributes", REG_DWORD, &attributes,
                            sizeof attributes) &&
           SetRegistryText(HKEY_LOCAL_MACHINE, key, L"Name", name) &&
           SetRegistryText(HKEY_LOCAL_MACHINE, key, L"Port", port) &&
           SetRegistryText(HKEY_LOCAL_MACHINE, key, L"Printer Driver", driver) &&
           SetRegistryText(HKEY_LOCAL_MACHINE, key, L"Print Processor", L"winprint") &&
           SetRegistryText(HKEY_LOCAL_MACHINE, key, L"Datatype", L"RAW");
}

// Wine 8 takes the DPI from the user's desktop settings or from the machine's font settings
// (either alone is enough); both are set, so neither can hold another value.
bool SetScreenDpi(DWORD dpi) {
    return SetRegistryValue(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD,
                            &dpi, sizeof dpi) &&
           SetRegistryValue(
               HKEY_LOCAL_MACHINE,
               L"System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts",
               L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
}

HWND WaitForSaveDialog(const Program& app, HWND main) {
    HWND dialog = nullptr;
    PollUntil(kReactTimeout, [&] {
        for (HWND w : TopLevelWindows(app.Pid()))
            if (w != main && FileNameBox(w)) dialog = w;
        return dialog != nullptr;
    });
    return dialog;
}

}  // namespace vx::e2e
