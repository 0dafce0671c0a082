// Running a console program of the prefix to its end and taking its output.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "harness/wait.h"

namespace vx::e2e {

struct ConsoleRun {
    DWORD exitCode = 0;
    std::string out;  // standard output, the bytes as written (UTF-8 for vxctl)
    std::string err;  // standard error
};

// Starts `path` with `arguments` (the command line after the quoted path), its standard
// output and error on pipes, and waits for it to end.
testing::AssertionResult RunConsole(const std::wstring& path, const std::wstring& arguments,
                                    Millis timeout, ConsoleRun* run);

}  // namespace vx::e2e
