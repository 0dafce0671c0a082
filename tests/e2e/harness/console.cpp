#include "harness/console.h"

#include <chrono>

#include "settings/win32/utf16.h"

namespace vx::e2e {

namespace {

// Takes what the pipe holds now, without waiting for more.
void Drain(HANDLE pipe, std::string* into) {
    DWORD available = 0;
    while (PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
        char buffer[4096];
        DWORD n = 0;
        if (!ReadFile(pipe, buffer, available < sizeof buffer ? available : sizeof buffer, &n,
                      nullptr) ||
            n == 0)
            break;
        into->append(buffer, n);
    }
}

}  // namespace

testing::AssertionResult RunConsole(const std::wstring& path, const std::wstring& arguments,
                                    Millis timeout, ConsoleRun* run) {
    *run = ConsoleRun();
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE outRead = nullptr, outWrite = nullptr, errRead = nullptr, errWrite = nullptr;
    if (!CreatePipe(&outRead, &outWrite, &inherit, 0) ||
        !CreatePipe(&errRead, &errWrite, &inherit, 0))
        return testing::AssertionFailure() << "CreatePipe failed: " << GetLastError();
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = outWrite;
    si.hStdError = errWrite;
    std::wstring commandLine = L"\"" + path + L"\" " + arguments;
    PROCESS_INFORMATION pi{};
    const BOOL started = CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi);
    const DWORD startError = GetLastError();
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    if (!started) {
        CloseHandle(outRead);
        CloseHandle(errRead);
        return testing::AssertionFailure()
               << "cannot start " << win32::Narrow(commandLine) << ": error " << startError;
    }
    // Both pipes are drained while the program runs, so it never waits on a full one, and
    // once more after it ended. The end of the pipes is not awaited: a process the program
    // started (Wine's own services among them) may hold their other ends.
    testing::AssertionResult result = testing::AssertionSuccess();
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        Drain(outRead, &run->out);
        Drain(errRead, &run->err);
        if (WaitForSingleObject(pi.hProcess, 20) == WAIT_OBJECT_0) {
            Drain(outRead, &run->out);
            Drain(errRead, &run->err);
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            TerminateProcess(pi.hProcess, 255);
            result = testing::AssertionFailure() << "waited " << timeout.count() << " ms for "
                                                 << win32::Narrow(commandLine) << " to end";
            break;
        }
    }
    CloseHandle(outRead);
    CloseHandle(errRead);
    GetExitCodeProcess(pi.hProcess, &run->exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return result;
}

}  // namespace vx::e2e
