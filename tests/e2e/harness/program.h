// A program under test, started from the driver in the same Wine prefix.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "harness/wait.h"

namespace vx::e2e {

struct StartOptions {
    // Windows version Wine reports to the program ("win98", "winxp", ...), written to
    // HKCU\Software\Wine\AppDefaults\<file name>\Version before the start. Empty: the
    // prefix's default (the NT family).
    std::wstring version;
    // Command line after the program's quoted path, e.g. L"C:\\test-io\\a.dat".
    // (The locale is not an option: Wine gives a program the locale of the Unix
    // environment it was started from, whatever its Windows environment says; see
    // run_in_prefix.sh --locale.)
    std::wstring arguments;
};

// Owns a started process; the destructor terminates it if it still runs, so a
// failed test leaves nothing behind.
class Program {
  public:
    Program() = default;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    Program(Program&& other) noexcept;
    Program& operator=(Program&& other) noexcept;
    ~Program();

    // Starts `path` (a Windows path) with `options`.
    static testing::AssertionResult Start(const std::wstring& path, const StartOptions& options,
                                          Program* started);

    DWORD Pid() const { return pid_; }
    HANDLE Handle() const { return process_; }
    bool Running() const;

    // Waits for the process to end and gives its exit code.
    testing::AssertionResult WaitForExit(Millis timeout, DWORD* exitCode = nullptr);
    // Ends the process at once (exit code 255) and waits for it.
    void Terminate();

  private:
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
};

// Sets or (with an empty version) removes the Windows version Wine reports to
// programs with the file name `exeName`.
testing::AssertionResult SetWineVersion(const std::wstring& exeName, const std::wstring& version);

}  // namespace vx::e2e
