#include "harness/program.h"

#include "common/win32/utf16.h"

namespace vx::e2e {

using vx::win32::Narrow;

namespace {

std::wstring FileName(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

testing::AssertionResult SetWineVersion(const std::wstring& exeName, const std::wstring& version) {
    const std::wstring keyPath = L"Software\\Wine\\AppDefaults\\" + exeName;
    HKEY key = nullptr;
    LONG rc = RegCreateKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, &key, nullptr);
    if (rc != ERROR_SUCCESS) {
        return testing::AssertionFailure()
               << "cannot create HKCU\\" << Narrow(keyPath) << ": " << rc;
    }
    if (version.empty()) {
        rc = RegDeleteValueW(key, L"Version");
        if (rc == ERROR_FILE_NOT_FOUND) rc = ERROR_SUCCESS;
    } else {
        rc = RegSetValueExW(key, L"Version", 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(version.c_str()),
                            static_cast<DWORD>((version.size() + 1) * sizeof(wchar_t)));
    }
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS) {
        return testing::AssertionFailure()
               << "cannot set the Windows version of " << Narrow(exeName) << ": " << rc;
    }
    return testing::AssertionSuccess();
}

Program::Program(Program&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)), pid_(std::exchange(other.pid_, 0)) {}

Program& Program::operator=(Program&& other) noexcept {
    if (this != &other) {
        Terminate();
        process_ = std::exchange(other.process_, nullptr);
        pid_ = std::exchange(other.pid_, 0);
    }
    return *this;
}

Program::~Program() { Terminate(); }

testing::AssertionResult Program::Start(const std::wstring& path, const StartOptions& options,
                                        Program* started) {
    const auto versionSet = SetWineVersion(FileName(path), options.version);
    if (!versionSet) return versionSet;

    std::wstring commandLine = L"\"" + path + L"\"";
    if (!options.arguments.empty()) commandLine += L" " + options.arguments;

    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &si, &pi)) {
        return testing::AssertionFailure()
               << "cannot start " << Narrow(commandLine) << ": error " << GetLastError();
    }
    CloseHandle(pi.hThread);
    *started = Program();
    started->process_ = pi.hProcess;
    started->pid_ = pi.dwProcessId;
    return testing::AssertionSuccess();
}

bool Program::Running() const {
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

testing::AssertionResult Program::WaitForExit(Millis timeout, DWORD* exitCode) {
    if (!process_) return testing::AssertionFailure() << "no process was started";
    if (WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
        return testing::AssertionFailure() << "waited " << timeout.count() << " ms for process "
                                           << pid_ << " to end; it still runs";
    }
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    if (exitCode) *exitCode = code;
    return testing::AssertionSuccess();
}

void Program::Terminate() {
    if (!process_) return;
    if (Running()) {
        TerminateProcess(process_, 255);
        WaitForSingleObject(process_, 10000);
    }
    CloseHandle(process_);
    process_ = nullptr;
    pid_ = 0;
}

}  // namespace vx::e2e
